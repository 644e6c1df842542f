#include "platform/display_connection_watch.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace murva {
namespace {

// A plain connection to the compositor's socket. The Wayland protocol has
// the client speak first, so the compositor sends nothing until the
// connection ends; no Wayland library is needed to see that.
int ConnectWaylandSocket(const std::filesystem::path& socket_path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = socket_path.string();
  if (text.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

DisplayConnectionWatch::DisplayConnectionWatch(const EnvironmentLookup& environment) {
  const std::string wayland = environment("WAYLAND_DISPLAY");
  if (!wayland.empty()) {
    std::filesystem::path socket_path(wayland);
    if (!socket_path.is_absolute()) {
      socket_path = std::filesystem::path(environment("XDG_RUNTIME_DIR")) / wayland;
    }
    fd_ = ConnectWaylandSocket(socket_path);
    if (fd_ >= 0) name_ = wayland;
    return;  // a Wayland session: its X server (Xwayland) may come and go
  }
  const std::string display = environment("DISPLAY");
  if (display.empty()) return;
  x_connection_ = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(x_connection_)) {
    xcb_disconnect(x_connection_);
    x_connection_ = nullptr;
    return;
  }
  fd_ = xcb_get_file_descriptor(x_connection_);
  name_ = display;
}

DisplayConnectionWatch::~DisplayConnectionWatch() {
  if (x_connection_) {
    xcb_disconnect(x_connection_);
  } else if (fd_ >= 0) {
    ::close(fd_);
  }
}

bool DisplayConnectionWatch::Ended() {
  if (fd_ < 0) return false;
  if (x_connection_) {
    // The X server sends a few events to every client (keyboard mapping
    // changes); they are read and dropped.
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_connection_)) std::free(event);
    return xcb_connection_has_error(x_connection_) != 0;
  }
  char buffer[256];
  for (;;) {
    const ssize_t count = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (count == 0) return true;
    if (count > 0) continue;
    if (errno == EINTR) continue;
    return errno != EAGAIN && errno != EWOULDBLOCK;
  }
}

}  // namespace murva
