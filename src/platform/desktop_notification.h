// A notice on the desktop (org.freedesktop.Notifications on the session
// bus): how a program that runs without a window tells the user something
// without waiting for an answer.
#pragma once

#include <string>

namespace murva {

// Shows the notice; waits at most a few seconds for the notification server
// to take it. Returns false with error when there is no server to show it.
bool ShowDesktopNotification(const std::string& summary, const std::string& body,
                             std::string& error);

// The body as notification servers read it: line breaks (also the carriage
// returns of the program's own messages) as new lines, and the characters of
// the body markup some servers interpret written as entities.
std::string NotificationBody(const std::string& text);

}  // namespace murva
