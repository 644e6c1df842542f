// A weston session for tests: weston 10's headless backend with one output
// of a chosen size and whole scale, its desktop shell, optionally Xwayland.
// Weston offers no layer-shell, so it stands for a compositor that a
// wallpaper program cannot draw on. It runs as the session's user like the
// sway session, so that programs run inside both the same way.
#pragma once

#include "support/desktop_session.h"

namespace murva::testing {

struct WestonOptions {
  // The output's size in desktop units; weston's headless output has
  // width x scale by height x scale pixels.
  int width = 1920;
  int height = 1080;
  int scale = 1;
  bool xwayland = false;
};

class WestonSession : public DesktopSession {
 public:
  explicit WestonSession(WestonOptions options = {}) {
    if (Folder().empty()) return;
    // The program weston starts once it is up tells the test its names on
    // the descriptor the test waits on.
    const std::filesystem::path ready = Home() / "ready.sh";
    WriteBytes(ready, "#!/bin/sh\nprintf '%s\\n%s\\n' \"$WAYLAND_DISPLAY\" \"$DISPLAY\" >&9\n");
    ::chmod(ready.c_str(), 0755);
    const std::filesystem::path config = Home() / "weston.ini";
    WriteBytes(config, "[core]\nidle-time=0\n" +
                           std::string(options.xwayland ? "xwayland=true\n" : "") +
                           "\n[autolaunch]\npath=" + ready.string() + "\n");
    GiveTo(Home(), User());
    StartCompositor({"weston", "--backend=headless-backend.so", "--config=" + config.string(),
                     "--width=" + std::to_string(options.width),
                     "--height=" + std::to_string(options.height),
                     "--scale=" + std::to_string(options.scale)},
                    {}, 2);
    if (options.xwayland) SetX11Display(Answer(1));
  }
};

}  // namespace murva::testing
