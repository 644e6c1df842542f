#include "platform/x11_screen_layout.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace murva {
namespace {

// An X display connection closed at the end of the scope.
class DisplayConnection {
 public:
  explicit DisplayConnection(const std::string& name)
      : display_(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {}
  ~DisplayConnection() {
    if (display_) XCloseDisplay(display_);
  }
  DisplayConnection(const DisplayConnection&) = delete;
  DisplayConnection& operator=(const DisplayConnection&) = delete;
  Display* get() const { return display_; }

 private:
  Display* display_;
};

}  // namespace

std::vector<std::string> X11MonitorNames(const std::string& display_name) {
  std::vector<std::string> names;
  DisplayConnection connection(display_name);
  Display* display = connection.get();
  if (!display) return names;
  int event_base = 0, error_base = 0;
  if (!XRRQueryExtension(display, &event_base, &error_base)) return names;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (!resources) return names;
  for (int i = 0; i < resources->noutput; ++i) {
    XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
    if (!info) continue;
    if (info->connection == RR_Connected && info->crtc != 0) {
      names.emplace_back(info->name, static_cast<std::size_t>(info->nameLen));
    }
    XRRFreeOutputInfo(info);
  }
  XRRFreeScreenResources(resources);
  return names;
}

int X11WorkspaceCount(const std::string& display_name) {
  DisplayConnection connection(display_name);
  Display* display = connection.get();
  if (!display) return 0;
  const Atom atom = XInternAtom(display, "_NET_NUMBER_OF_DESKTOPS", True);
  if (atom == 0) return 0;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  int workspaces = 0;
  if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1, False, XA_CARDINAL,
                         &type, &format, &count, &remaining, &data) == Success &&
      type == XA_CARDINAL && format == 32 && count == 1 && data) {
    workspaces = static_cast<int>(*reinterpret_cast<unsigned long*>(data));
  }
  if (data) XFree(data);
  return workspaces;
}

}  // namespace murva
