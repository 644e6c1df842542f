// How a run without anybody to answer tells the user something: a line on
// standard error (the session's log) and a notice on the desktop when a
// notification server is there. Nothing waits for an answer.
#pragma once

#include <string>

namespace murva {

void ReportUnattended(const std::string& text);

}  // namespace murva
