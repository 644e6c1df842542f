// The monitors of an X server, from RandR's outputs and CRTCs.
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

#include "platform/monitor_layout.h"
#include "platform/monitor_scale.h"
#include "platform/x11_connection.h"

namespace murva {

MonitorLayout X11Monitors(const std::string& display_name) {
  return X11Monitors(display_name, ProcessEnvironment());
}

MonitorLayout X11Monitors(const std::string& display_name, const EnvironmentLookup& environment) {
  MonitorLayout layout;
  X11Connection connection(display_name);
  Display* display = connection.get();
  if (!display) return layout;
  const char* resource_text = XResourceManagerString(display);
  const std::string resources = resource_text ? resource_text : "";
  const Window root = DefaultRootWindow(display);

  // Without outputs to ask (no RandR 1.2, or a server that reports none
  // lit, as Xvfb may before it is probed), the screen is the one monitor.
  const auto whole_screen = [&] {
    Monitor screen;
    screen.name = "screen";
    screen.pixel_width = DisplayWidth(display, DefaultScreen(display));
    screen.pixel_height = DisplayHeight(display, DefaultScreen(display));
    screen.desktop = {0, 0, screen.pixel_width, screen.pixel_height};
    screen.scale = X11MonitorScale(resources, environment, screen.name, 0);
    MonitorLayout single{screen};
    ArrangeMonitorLayout(single, 0);
    return single;
  };
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &event_base, &error_base) ||
      !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 2)) {
    return whole_screen();
  }

  XRRScreenResources* screen_resources = XRRGetScreenResourcesCurrent(display, root);
  if (!screen_resources) return whole_screen();
  const RROutput primary_output = XRRGetOutputPrimary(display, root);
  int primary = -1;
  for (int i = 0; i < screen_resources->noutput; ++i) {
    XRROutputInfo* output = XRRGetOutputInfo(display, screen_resources, screen_resources->outputs[i]);
    if (!output) continue;
    // Outputs whose connection the driver cannot tell (a VGA monitor
    // without EDID) count when they are lit.
    XRRCrtcInfo* crtc = output->connection != RR_Disconnected && output->crtc != 0
                            ? XRRGetCrtcInfo(display, screen_resources, output->crtc)
                            : nullptr;
    // A connected output without a mode is dark: no picture goes there.
    if (crtc && crtc->mode != 0 && crtc->width > 0 && crtc->height > 0) {
      Monitor monitor;
      monitor.name.assign(output->name, static_cast<std::size_t>(output->nameLen));
      // The CRTC's size is after rotation, in the server's pixels, which
      // are the monitor's own.
      monitor.pixel_width = static_cast<int>(crtc->width);
      monitor.pixel_height = static_cast<int>(crtc->height);
      monitor.desktop = {crtc->x, crtc->y, monitor.pixel_width, monitor.pixel_height};
      monitor.scale = X11MonitorScale(resources, environment, monitor.name,
                                      static_cast<int>(layout.size()));
      if (screen_resources->outputs[i] == primary_output) primary = static_cast<int>(layout.size());
      layout.push_back(std::move(monitor));
    }
    if (crtc) XRRFreeCrtcInfo(crtc);
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(screen_resources);
  if (layout.empty()) return whole_screen();
  ArrangeMonitorLayout(layout, primary);
  return layout;
}

}  // namespace murva
