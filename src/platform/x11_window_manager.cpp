#include "platform/x11_window_manager.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>
// Xlib last: its macros clash with other names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11_connection.h"

namespace murva {
namespace {

// The display number of a local display name (":1", "unix:1.0").
std::optional<std::string> LocalDisplayNumber(const std::string& name) {
  const std::size_t colon = name.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string host = name.substr(0, colon);
  if (!host.empty() && host != "unix") return std::nullopt;
  std::string number = name.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty() || !std::all_of(number.begin(), number.end(), [](unsigned char c) {
        return std::isdigit(c);
      })) {
    return std::nullopt;
  }
  return number;
}

bool ConnectsTo(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const socklen_t length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return connected;
}

// A property of 32-bit items (windows, atoms) on a window.
std::vector<unsigned long> Items(Display* display, Window window, const char* property,
                                 Atom type, long most) {
  std::vector<unsigned long> items;
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, most, False,
                         type, &actual, &format, &count, &remaining, &data) == Success &&
      data && actual == type && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data) XFree(data);
  return items;
}

std::string Text(Display* display, Window window, const char* property, Atom type) {
  std::string text;
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 256, False,
                         type, &actual, &format, &count, &remaining, &data) == Success &&
      data && actual == type && format == 8) {
    text.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data) XFree(data);
  return text;
}

}  // namespace

bool X11DisplayReachable(const std::string& display_name) {
  if (display_name.empty()) return false;
  if (const auto number = LocalDisplayNumber(display_name)) {
    const std::string socket = "/tmp/.X11-unix/X" + *number;
    return ConnectsTo(socket, true) || ConnectsTo(socket, false);
  }
  X11Connection connection(display_name);
  return connection.get() != nullptr;
}

X11WindowManager ProbeX11WindowManager(const std::string& display_name) {
  X11WindowManager manager;
  X11Connection connection(display_name);
  Display* display = connection.get();
  if (!display) return manager;
  manager.reachable = true;
  const Window root = DefaultRootWindow(display);
  // The check window names itself too, so that a window left behind by a
  // window manager that has ended is not taken for a running one.
  const auto check = Items(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1);
  if (check.size() != 1) return manager;
  const auto itself = Items(display, check.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1);
  if (itself.size() != 1 || itself.front() != check.front()) return manager;
  manager.running = true;
  manager.name = Text(display, check.front(), "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False));
  if (manager.name.empty()) manager.name = Text(display, check.front(), "WM_NAME", XA_STRING);
  const auto supported = Items(display, root, "_NET_SUPPORTED", XA_ATOM, 4096);
  for (const char* hint : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_STATE_HIDDEN"}) {
    if (std::find(supported.begin(), supported.end(), XInternAtom(display, hint, False)) !=
        supported.end()) {
      manager.minimises = true;
    }
  }
  return manager;
}

}  // namespace murva
