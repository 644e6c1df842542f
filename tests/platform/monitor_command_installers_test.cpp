// One picture per monitor for the desktops that take their wallpaper through
// a command-line tool, against recording stand-ins on PATH: each output gets
// its own picture in a mode that shows it pixel for pixel, and LXQt, which
// takes one picture, gets them joined.
#include <gtest/gtest.h>
#include <signal.h>

#include <QImage>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "fake_commands.h"
#include "platform/pcmanfm_installer.h"
#include "platform/run_command.h"
#include "platform/sway_installer.h"
#include "platform/wlroots_installer.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using Calls = std::vector<std::vector<std::string>>;
using testing::CopyLabelled;

// Waits until the stand-in has recorded so many calls (a detached program
// records its call once it runs).
Calls AwaitCalls(const testing::FakeCommands& fakes, const std::string& name, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (fakes.Calls(name).size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return fakes.Calls(name);
}

// The pid a running stand-in keeps in its file once it differs from `old`.
std::string AwaitPid(const std::filesystem::path& pid_file, const std::string& old = "") {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  std::string pid = testing::ReadBytes(pid_file);
  while ((pid.empty() || pid == old) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pid = testing::ReadBytes(pid_file);
  }
  return pid;
}

// Stops a stand-in that runs on, named by its pid file.
void StopRecorded(const std::filesystem::path& pid_file) {
  std::ifstream in(pid_file);
  long long pid = 0;
  if (in >> pid && pid > 0) kill(static_cast<pid_t>(pid), SIGKILL);
}

class MonitorCommandInstallerTest : public ::testing::Test {
 protected:
  ~MonitorCommandInstallerTest() override { StopRecorded(folder_ / "run" / "swaybg.pid"); }
  std::filesystem::path Copies() const { return folder_ / "copies"; }

  testing::TempFolder folder_;
  testing::FakeCommands fakes_{folder_ / "bin"};
};

struct PerOutputCase {
  const char* desktop;
  std::function<void(testing::FakeCommands&)> stand_ins;
  std::function<std::unique_ptr<WallpaperInstaller>(const std::filesystem::path& folder)> make;
  const char* program;  // the stand-in whose calls are checked
  // The calls expected for the copies of DP-1 and HDMI-A-1.
  std::function<Calls(const std::string& dp, const std::string& hdmi)> two_monitors;
  std::function<Calls(const std::string& dp)> one_monitor;
};

std::vector<PerOutputCase> PerOutputCases() {
  const auto sway = [](const std::filesystem::path& folder) {
    return std::make_unique<SwayInstaller>(
        folder / "copies", testing::Environment({{"HOME", (folder / "home").string()}}));
  };
  const auto wlroots = [](bool hyprland) {
    return [hyprland](const std::filesystem::path& folder) {
      return std::make_unique<WlrootsInstaller>(hyprland, folder / "copies", folder / "run");
    };
  };
  const auto bg = [](const std::string& output, const std::string& file) {
    return "output \"" + output + "\" bg \"" + file + "\" fill";
  };
  return {
      {"sway", [](auto& fakes) { fakes.Add("swaymsg", "[ { \"success\": true } ]"); }, sway,
       "swaymsg",
       [bg](auto dp, auto hdmi) { return Calls{{bg("DP-1", dp)}, {bg("HDMI-A-1", hdmi)}}; },
       [bg](auto dp) { return Calls{{bg("DP-1", dp)}}; }},
      {"hyprpaper", [](auto& fakes) { fakes.Add("hyprctl", "ok"); }, wlroots(true), "hyprctl",
       [](auto dp, auto hdmi) {
         return Calls{{"hyprpaper", "preload", dp},           {"hyprpaper", "preload", hdmi},
                      {"hyprpaper", "wallpaper", "DP-1," + dp}, {"hyprpaper", "wallpaper", "HDMI-A-1," + hdmi},
                      {"hyprpaper", "unload", "unused"}};
       },
       [](auto dp) {
         return Calls{{"hyprpaper", "preload", dp}, {"hyprpaper", "wallpaper", "DP-1," + dp},
                      {"hyprpaper", "unload", "unused"}};
       }},
      {"swww", [](auto& fakes) { fakes.Add("swww"); }, wlroots(false), "swww",
       [](auto dp, auto hdmi) {
         return Calls{{"query"}, {"img", "-o", "DP-1", dp}, {"img", "-o", "HDMI-A-1", hdmi}};
       },
       [](auto dp) { return Calls{{"query"}, {"img", "-o", "DP-1", dp}}; }},
      {"swaybg",
       [](auto& fakes) {
         fakes.Add("swww", "", 1);  // no daemon answers
         fakes.Add("swaybg", "", 0, "while :; do sleep 1; done\n");
       },
       wlroots(false), "swaybg",
       [](auto dp, auto hdmi) {
         return Calls{{"-o", "DP-1", "-i", dp, "-m", "fill", "-o", "HDMI-A-1", "-i", hdmi, "-m", "fill"}};
       },
       [](auto dp) { return Calls{{"-o", "DP-1", "-i", dp, "-m", "fill"}}; }},
  };
}

TEST_F(MonitorCommandInstallerTest, EachOutputGetsItsOwnPictureCoveringItExactly) {
  for (const PerOutputCase& c : PerOutputCases()) {
    for (const bool two : {true, false}) {
      SCOPED_TRACE(std::string(c.desktop) + (two ? ", two monitors" : ", one monitor"));
      testing::TempFolder folder;
      testing::FakeCommands fakes(folder / "bin");
      c.stand_ins(fakes);
      std::vector<MonitorWallpaper> monitors = testing::TwoMonitors();
      if (!two) monitors.pop_back();
      const auto installer = c.make(folder.Path());
      std::string error;
      ASSERT_TRUE(installer->InstallMonitors(monitors, error)) << error;
      const std::string dp = CopyLabelled(folder / "copies", "DP-1").string();
      const std::string hdmi = CopyLabelled(folder / "copies", "HDMI-A-1").string();
      ASSERT_FALSE(dp.empty());
      ASSERT_EQ(hdmi.empty(), !two);
      const Calls expected = two ? c.two_monitors(dp, hdmi) : c.one_monitor(dp);
      EXPECT_EQ(AwaitCalls(fakes, c.program, expected.size()), expected);
      EXPECT_TRUE(testing::ShowsAt(QImage(QString::fromStdString(dp)), monitors[0], {0, 0}));
      StopRecorded(folder / "run" / "swaybg.pid");
    }
  }
}

TEST_F(MonitorCommandInstallerTest, SwayKeepsEveryOutputsLineForTheNextLogOn) {
  fakes_.Add("swaymsg", "[ { \"success\": true } ]");
  const auto config = folder_ / "home" / ".config" / "sway" / "config";
  testing::WriteBytes(config,
                      "set $mod Mod4\n\n# murva32: wallpaper calendar (the next line is rewritten "
                      "by murva32)\noutput * bg \"/old.png\" fill\n");
  SwayInstaller installer(Copies(), testing::Environment({{"HOME", (folder_ / "home").string()}}));
  std::string error;
  ASSERT_TRUE(installer.InstallMonitors(testing::TwoMonitors(), error)) << error;
  const std::string marker = "# murva32: wallpaper calendar (the next line is rewritten by murva32)\n";
  EXPECT_EQ(testing::ReadBytes(config),
            "set $mod Mod4\n\n" + marker + "output \"DP-1\" bg \"" +
                CopyLabelled(Copies(), "DP-1").string() + "\" fill\n" + marker +
                "output \"HDMI-A-1\" bg \"" + CopyLabelled(Copies(), "HDMI-A-1").string() +
                "\" fill\n");
}

TEST_F(MonitorCommandInstallerTest, LxqtGetsOneJoinedPictureStretchedOverTheDesktop) {
  fakes_.Add("pcmanfm-qt");
  PcmanfmInstaller installer(PcmanfmFlavour::kQt, Copies());
  const std::vector<MonitorWallpaper> monitors = testing::TwoMonitors();
  std::string error;
  ASSERT_TRUE(installer.InstallMonitors(monitors, error)) << error;
  const std::filesystem::path joined = CopyLabelled(Copies(), "desktop");
  const QImage picture(QString::fromStdString(joined.string()));
  EXPECT_EQ(picture.size(), QSize(3200, 1080));
  EXPECT_TRUE(testing::ShowsAt(picture, monitors[0], {0, 0}));
  EXPECT_TRUE(testing::ShowsAt(picture, monitors[1], {1920, 0}));
  // One monitor: its own picture, centred, that is pixel for pixel.
  ASSERT_TRUE(installer.InstallMonitors({monitors[1]}, error)) << error;
  EXPECT_EQ(fakes_.Calls("pcmanfm-qt"),
            (Calls{{"--set-wallpaper", joined.string(), "--wallpaper-mode", "stretch"},
                   {"--set-wallpaper", CopyLabelled(Copies(), "HDMI-A-1").string(),
                    "--wallpaper-mode", "center"}}));
}

TEST_F(MonitorCommandInstallerTest, LxdeKeepsEachMonitorsPictureInItsDesktopFile) {
  // The stand-in desktop runs on after "--desktop" (keeping its pid) and is
  // ended by "--desktop-off", as pcmanfm's own desktop is.
  fakes_.Add("pcmanfm", "", 0,
             "case \"$1\" in\n"
             "  --desktop) echo $$ > \"${0%/*}/desktop.pid\"; while :; do sleep 1; done;;\n"
             "  --desktop-off) kill \"$(cat \"${0%/*}/desktop.pid\")\";;\n"
             "esac\n");
  ASSERT_GT(StartDetachedCommand("pcmanfm", {"--desktop", "--profile", "LXDE"}), 0);
  const std::string first_desktop = AwaitPid(fakes_.Folder() / "desktop.pid");
  ASSERT_FALSE(first_desktop.empty());
  const auto profile = folder_ / "config" / "pcmanfm" / "LXDE";
  testing::WriteBytes(profile / "desktop-items-0.conf",
                      "[*]\nwallpaper_mode=stretch\nwallpaper=/old.png\ndesktop_bg=#000000\n\n"
                      "[Trash]\nx=10\ny=20\n");
  PcmanfmSession session;
  session.config_home = folder_ / "config";
  // GDK numbers HDMI-A-1 first.
  session.monitor_order = [] { return std::vector<std::string>{"HDMI-A-1", "DP-1"}; };
  PcmanfmInstaller installer(PcmanfmFlavour::kGtk, Copies(), session);
  const std::vector<MonitorWallpaper> monitors = testing::TwoMonitors();
  std::string error;
  ASSERT_TRUE(installer.InstallMonitors(monitors, error)) << error;

  // The desktop was turned off and on again with its profile, and reads:
  EXPECT_EQ(AwaitCalls(fakes_, "pcmanfm", 3),
            (Calls{{"--desktop", "--profile", "LXDE"}, {"--desktop-off"},
                   {"--desktop", "--profile", "LXDE"}}));
  EXPECT_NE(AwaitPid(fakes_.Folder() / "desktop.pid", first_desktop), first_desktop);
  const std::string dp = CopyLabelled(Copies(), "DP-1").string();
  const std::string hdmi = CopyLabelled(Copies(), "HDMI-A-1").string();
  EXPECT_EQ(testing::ReadBytes(profile / "desktop-items-0.conf"),
            "[*]\nwallpaper_mode=center\nwallpaper=" + hdmi +
                "\ndesktop_bg=#000000\nwallpaper_common=1\n\n[Trash]\nx=10\ny=20\n");
  EXPECT_EQ(testing::ReadBytes(profile / "desktop-items-1.conf"),
            "[*]\nwallpaper_mode=center\nwallpaper_common=1\nwallpaper=" + dp + "\n");

  // One monitor, number 0: handed to the running desktop directly.
  ASSERT_TRUE(installer.InstallMonitors({monitors[1]}, error)) << error;
  EXPECT_EQ(fakes_.Calls("pcmanfm").back(),
            (std::vector<std::string>{"--set-wallpaper=" + CopyLabelled(Copies(), "HDMI-A-1").string(),
                                      "--wallpaper-mode=center"}));
  StopRecorded(fakes_.Folder() / "desktop.pid");
}

}  // namespace
}  // namespace murva
