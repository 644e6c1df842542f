#include "app/unattended_report.h"

#include <iostream>

#include "app/messages.h"
#include "platform/desktop_notification.h"

namespace murva {

void ReportUnattended(const std::string& text) {
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::cerr << "murva32: " << line << '\n';
  std::string error;
  if (!ShowDesktopNotification(text::kApplicationTitle, text, error)) {
    std::cerr << "murva32: (no desktop notice: " << error << ")\n";
  }
}

}  // namespace murva
