// A descriptor that becomes readable when the session's monitors may have
// changed: one added or removed, or a new mode, scale, rotation or place.
// On X11 it is RandR's screen, CRTC and output notices; on Wayland the
// registry's wl_output globals coming and going and the end (done) of a
// change of an output's state.
#pragma once

#include <memory>
#include <string>

#include "platform/program_folder.h"

namespace murva {

class WaylandOutputs;

class MonitorChangeWatch {
 public:
  // Watches the compositor at $WAYLAND_DISPLAY when one answers, else the
  // X server at $DISPLAY.
  explicit MonitorChangeWatch(const EnvironmentLookup& environment);
  ~MonitorChangeWatch();
  MonitorChangeWatch(const MonitorChangeWatch&) = delete;
  MonitorChangeWatch& operator=(const MonitorChangeWatch&) = delete;

  // Whether a display server is watched. It turns false when the
  // connection ends (the session is over); the descriptor then stays
  // readable, so the caller stops polling it.
  bool Valid() const;
  int Fd() const;
  // Reads what is waiting; true when the layout may have changed (also
  // once when the connection has ended).
  bool TakeChange();

 private:
  std::unique_ptr<WaylandOutputs> wayland_;
  bool wayland_ended_ = false;
  struct X11Watch;
  std::unique_ptr<X11Watch> x11_;
};

}  // namespace murva
