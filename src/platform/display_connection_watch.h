// The end of the graphical session, seen as the end of the connection to
// its display server: the Wayland compositor ($WAYLAND_DISPLAY, a socket in
// $XDG_RUNTIME_DIR) when there is one, else the X server ($DISPLAY). A
// process that outlives its session (desktops that leave the processes they
// started at log-on running) notices it here and ends.
#pragma once

#include <string>

#include "platform/program_folder.h"

struct xcb_connection_t;

namespace murva {

class DisplayConnectionWatch {
 public:
  explicit DisplayConnectionWatch(const EnvironmentLookup& environment);
  ~DisplayConnectionWatch();
  DisplayConnectionWatch(const DisplayConnectionWatch&) = delete;
  DisplayConnectionWatch& operator=(const DisplayConnectionWatch&) = delete;

  // Whether a display server was reached.
  bool Valid() const { return fd_ >= 0; }
  // Readable when the server sent something or closed the connection.
  int Fd() const { return fd_; }
  // The display watched, for messages ("wayland-0", ":0").
  const std::string& Name() const { return name_; }
  // Reads what is waiting; true when the connection has ended.
  bool Ended();

 private:
  xcb_connection_t* x_connection_ = nullptr;
  int fd_ = -1;  // the X connection's, or the Wayland socket
  std::string name_;
};

}  // namespace murva
