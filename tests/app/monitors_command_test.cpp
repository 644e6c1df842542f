// --monitors: a line per monitor and one for the session, or a clear
// failure when no display can be reached.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "app/script_commands.h"
#include "platform/scoped_environment.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

// Standard output and standard error of one call.
struct Printed {
  int code = 0;
  std::string out, err;
};

Printed RunMonitors() {
  std::ostringstream out, err;
  std::streambuf* old_out = std::cout.rdbuf(out.rdbuf());
  std::streambuf* old_err = std::cerr.rdbuf(err.rdbuf());
  Printed printed;
  printed.code = RunMonitorsCommand(CommandLine{});
  std::cout.rdbuf(old_out);
  std::cerr.rdbuf(old_err);
  printed.out = out.str();
  printed.err = err.str();
  return printed;
}

// A session with nothing but what the test gives it.
void ClearSession(testing::ScopedEnvironment& environment, const testing::TempFolder& folder) {
  for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "SWAYSOCK",
                           "HYPRLAND_INSTANCE_SIGNATURE", "XDG_CURRENT_DESKTOP",
                           "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "QT_SCALE_FACTOR",
                           "QT_SCREEN_SCALE_FACTORS", "GDK_SCALE"}) {
    environment.Unset(name);
  }
  environment.Set("XDG_RUNTIME_DIR", folder.Path().string());
}

TEST(MonitorsCommand, PrintsEachMonitorAndTheSession) {
  testing::XvfbServer xvfb("1280x800x24");
  ASSERT_TRUE(xvfb.Running());
  testing::TempFolder folder;
  testing::ScopedEnvironment environment;
  ClearSession(environment, folder);
  environment.Set("DISPLAY", xvfb.Display());
  environment.Set("QT_SCREEN_SCALE_FACTORS", "screen=1.5");
  const Printed printed = RunMonitors();
  EXPECT_EQ(printed.code, 0) << printed.err;
  EXPECT_EQ(printed.out,
            "screen  1280x800 px  scale 1.5  at 0,0 (1280x800)  primary\n"
            "session: X11 (unknown), not tiling, no minimise, window placement, no notifications\n");
}

TEST(MonitorsCommand, WithoutADisplaySaysSoAndFails) {
  testing::TempFolder folder;
  testing::ScopedEnvironment environment;
  ClearSession(environment, folder);
  environment.Set("WAYLAND_DISPLAY", "wayland-77");  // named, but nobody there
  const Printed printed = RunMonitors();
  EXPECT_EQ(printed.code, 1);
  EXPECT_EQ(printed.out, "");
  EXPECT_EQ(printed.err,
            "murva32: no display can be reached (WAYLAND_DISPLAY=wayland-77, DISPLAY=(unset))\n");
}

}  // namespace
}  // namespace murva
