// Starts the shared virtual X server, then an application on it (with
// widgets, for the tests that drive the control panel).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "shared_display.h"

namespace murva::testing {

XvfbServer& SharedDisplay() {
  static XvfbServer server("1024x768x24");
  return server;
}

}  // namespace murva::testing

int main(int argc, char** argv) {
  auto& server = murva::testing::SharedDisplay();
  if (server.Running()) {
    setenv("DISPLAY", server.Display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
