#include "platform/monitor_change_watch.h"

#include <poll.h>

#include "platform/wayland_outputs.h"
// Xlib last: its macros clash with other names.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace murva {
namespace {

// Long enough for a compositor that is busy starting.
constexpr int kWaylandTimeout = 5000;

// Whether the server has closed a local connection: seen before Xlib
// reads from it, which spares its message of a fatal error.
bool SocketClosed(int fd) {
  pollfd ready{fd, POLLIN, 0};
  return ::poll(&ready, 1, 0) > 0 && (ready.revents & (POLLHUP | POLLERR)) != 0;
}

}  // namespace

struct MonitorChangeWatch::X11Watch {
  Display* display = nullptr;
  int randr_event_base = 0;
  bool ended = false;

  ~X11Watch() {
    if (display && !ended) XCloseDisplay(display);
  }
};

MonitorChangeWatch::MonitorChangeWatch(const EnvironmentLookup& environment) {
  if (const std::string socket = WaylandSocketPath(environment); !socket.empty()) {
    wayland_ = WaylandOutputs::Connect(socket, kWaylandTimeout);
    if (wayland_) return;
  }
  const std::string name = environment("DISPLAY");
  if (name.empty()) return;
  auto watch = std::make_unique<X11Watch>();
  watch->display = XOpenDisplay(name.c_str());
  if (!watch->display) return;
  int error_base = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(watch->display, &watch->randr_event_base, &error_base) ||
      !XRRQueryVersion(watch->display, &major, &minor) || major < 1 ||
      (major == 1 && minor < 2)) {
    return;  // nothing would ever change
  }
  // Xlib ends the process when a connection breaks, unless the display has
  // an exit handler of its own; this one notes that the session is over.
  XSetIOErrorExitHandler(
      watch->display, [](Display*, void* data) { static_cast<X11Watch*>(data)->ended = true; },
      watch.get());
  XRRSelectInput(watch->display, DefaultRootWindow(watch->display),
                 RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  XFlush(watch->display);
  x11_ = std::move(watch);
}

MonitorChangeWatch::~MonitorChangeWatch() = default;

bool MonitorChangeWatch::Valid() const {
  if (wayland_) return !wayland_ended_;
  return x11_ && !x11_->ended;
}

int MonitorChangeWatch::Fd() const {
  if (wayland_) return wayland_->Fd();
  if (x11_) return ConnectionNumber(x11_->display);
  return -1;
}

bool MonitorChangeWatch::TakeChange() {
  if (wayland_) {
    if (wayland_ended_) return false;
    if (!wayland_->Dispatch()) {
      wayland_ended_ = true;
      return true;
    }
    return wayland_->TakeChange();
  }
  if (!x11_ || x11_->ended) return false;
  Display* display = x11_->display;
  if (SocketClosed(ConnectionNumber(display))) {
    // The server has gone; Xlib would end the process on the next read.
    x11_->ended = true;
    return true;
  }
  bool changed = false;
  while (!x11_->ended && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    const int type = event.type - x11_->randr_event_base;
    if (type == RRScreenChangeNotify) {
      XRRUpdateConfiguration(&event);
      changed = true;
    } else if (type == RRNotify) {
      const auto& notice = reinterpret_cast<const XRRNotifyEvent&>(event);
      if (notice.subtype == RRNotify_CrtcChange || notice.subtype == RRNotify_OutputChange) {
        changed = true;
      }
    }
  }
  return changed || x11_->ended;
}

}  // namespace murva
