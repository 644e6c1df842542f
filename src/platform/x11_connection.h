// A connection to an X server for one question, closed at the end of the
// scope. While it is open, protocol errors (an output or window that goes
// away while it is read) are ignored instead of ending the process as
// Xlib's default handler would.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace murva {

class X11Connection {
 public:
  // name empty: $DISPLAY.
  explicit X11Connection(const std::string& name)
      : previous_handler_(XSetErrorHandler([](Display*, XErrorEvent*) { return 0; })),
        display_(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {}
  ~X11Connection() {
    if (display_) XCloseDisplay(display_);
    XSetErrorHandler(previous_handler_);
  }
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;
  Display* get() const { return display_; }

 private:
  XErrorHandler previous_handler_;
  Display* display_;
};

}  // namespace murva
