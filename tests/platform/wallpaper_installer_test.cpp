#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QImage>
#include <cstring>
#include <map>

#include "fake_commands.h"
#include "platform/temporary_file.h"
#include "platform/wallpaper_installer.h"
#include "platform/x11_root_installer.h"
#include "platform/x11_screen_layout.h"
#include "scoped_environment.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"
#include "wallpaper_pictures.h"

// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_root_readback.h"

namespace murva {
namespace {

using testing::Environment;
using testing::TempFolder;

// --- Detection ----------------------------------------------------------------

TEST(DesktopDetection, CurrentDesktopNamesEveryServedDesktop) {
  const std::pair<const char*, DesktopKind> cases[] = {
      {"GNOME", DesktopKind::kGnome},          {"ubuntu:GNOME", DesktopKind::kGnome},
      {"Unity:Unity7:ubuntu", DesktopKind::kGnome}, {"Budgie:GNOME", DesktopKind::kGnome},
      {"Pantheon", DesktopKind::kGnome},       {"GNOME-Flashback:GNOME", DesktopKind::kGnome},
      {"X-Cinnamon", DesktopKind::kCinnamon},  {"MATE", DesktopKind::kMate},
      {"XFCE", DesktopKind::kXfce},            {"KDE", DesktopKind::kPlasma},
      {"LXQt", DesktopKind::kLxqt},            {"LXDE", DesktopKind::kLxde},
      {"sway", DesktopKind::kSway},            {"Hyprland", DesktopKind::kHyprland},
  };
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", name}, {"DISPLAY", ":0"}})), kind)
        << name;
  }
}

TEST(DesktopDetection, SessionNamesAreReadWhenTheCurrentDesktopSaysNothing) {
  EXPECT_EQ(DetectDesktop(Environment({{"DESKTOP_SESSION", "gnome-xorg"}, {"DISPLAY", ":0"}})),
            DesktopKind::kGnome);
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_SESSION_DESKTOP", "plasmawayland"}})),
            DesktopKind::kPlasma);
  EXPECT_EQ(DetectDesktop(Environment({{"GDMSESSION", "ubuntu-wayland"}})), DesktopKind::kGnome);
  // Ubuntu's flavours are not Ubuntu's GNOME.
  EXPECT_EQ(DetectDesktop(Environment({{"DESKTOP_SESSION", "xubuntu"}})), DesktopKind::kXfce);
  EXPECT_EQ(DetectDesktop(Environment({{"DESKTOP_SESSION", "Lubuntu"}})), DesktopKind::kLxqt);
  EXPECT_EQ(DetectDesktop(Environment({{"DESKTOP_SESSION", "kubuntu"}})), DesktopKind::kPlasma);
  // The first list entry that names a known desktop decides.
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", "foo:MATE:GNOME"}})),
            DesktopKind::kMate);
}

TEST(DesktopDetection, SocketsAndDisplaysComeLast) {
  EXPECT_EQ(DetectDesktop(Environment({{"SWAYSOCK", "/run/user/1/sway.sock"},
                                       {"WAYLAND_DISPLAY", "wayland-1"}})),
            DesktopKind::kSway);
  EXPECT_EQ(DetectDesktop(Environment({{"HYPRLAND_INSTANCE_SIGNATURE", "abc"},
                                       {"WAYLAND_DISPLAY", "wayland-1"}})),
            DesktopKind::kHyprland);
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", "river"},
                                       {"WAYLAND_DISPLAY", "wayland-1"}, {"DISPLAY", ":0"}})),
            DesktopKind::kWlroots);
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", "i3"}, {"DISPLAY", ":0"}})),
            DesktopKind::kX11Root);
  EXPECT_EQ(DetectDesktop(Environment({})), DesktopKind::kUnknown);
}

TEST(DesktopDetection, EachDesktopGetsItsOwnInstaller) {
  const auto no_bus = [](const std::string&) { return false; };
  const std::pair<const char*, const char*> cases[] = {
      {"GNOME", "GNOME"}, {"X-Cinnamon", "Cinnamon"}, {"MATE", "MATE"}, {"XFCE", "XFCE"},
      {"KDE", "KDE Plasma"}, {"LXQt", "LXQt"}, {"LXDE", "LXDE"}, {"sway", "sway"},
      {"Hyprland", "Hyprland"}, {"i3", "X11 root window"},
  };
  for (const auto& [desktop, name] : cases) {
    const auto installer = MakeWallpaperInstaller(
        Environment({{"XDG_CURRENT_DESKTOP", desktop}, {"DISPLAY", ":0"}, {"HOME", "/h"}}), no_bus);
    EXPECT_EQ(installer->Name(), name) << desktop;
  }
}

TEST(DesktopDetection, ARunningShellOnTheBusIsTheSecondSignal) {
  const auto plasma = [](const std::string& name) { return name == "org.kde.plasmashell"; };
  const auto gnome = [](const std::string& name) { return name == "org.gnome.Shell"; };
  EXPECT_EQ(MakeWallpaperInstaller(Environment({{"DISPLAY", ":0"}}), plasma)->Name(), "KDE Plasma");
  EXPECT_EQ(MakeWallpaperInstaller(Environment({{"DISPLAY", ":0"}}), gnome)->Name(), "GNOME");
  // The variables win when they name a desktop.
  EXPECT_EQ(MakeWallpaperInstaller(Environment({{"XDG_CURRENT_DESKTOP", "XFCE"}}), plasma)->Name(),
            "XFCE");
}

TEST(DesktopDetection, NoDesktopAtAllIsNamedInTheError) {
  auto installer = MakeWallpaperInstaller(Environment({{"XDG_CURRENT_DESKTOP", "Weird"}}),
                                          [](const std::string&) { return false; });
  std::string error;
  EXPECT_FALSE(installer->Install("/tmp/x.bmp", error));
  EXPECT_NE(error.find("Weird"), std::string::npos) << error;
  EXPECT_EQ(installer->Name(), "Weird");
  // Nothing for the log-on run to put back.
  EXPECT_TRUE(installer->Persists());
}

TEST(DesktopAbilities, ACompositorWithoutLayerShellIsRecognisedBeforeAnythingStarts) {
  TempFolder folder;
  testing::FakeCommands fakes(folder / "bin");
  fakes.Add("swaybg", "", 0, "sleep 30\n");
  const auto no_bus = [](const std::string&) { return false; };
  struct Case {
    const char* what;
    std::map<std::string, std::string> session;
    bool layer_shell;
    const char* installer;
    bool can_install;
  };
  const Case cases[] = {
      {"weston", {{"XDG_SESSION_DESKTOP", "weston"}}, false, "weston", false},
      {"a bare compositor with layer shell", {}, true, "Wayland compositor", true},
      {"GNOME on Wayland", {{"XDG_CURRENT_DESKTOP", "GNOME"}}, false, "GNOME", true},
      {"KDE on Wayland", {{"XDG_CURRENT_DESKTOP", "KDE"}}, false, "KDE Plasma", true},
      {"sway", {{"SWAYSOCK", "/run/user/1/sway.sock"}}, true, "sway", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::map<std::string, std::string> variables = c.session;
    variables["WAYLAND_DISPLAY"] = "wayland-1";
    variables["HOME"] = (folder / "home").string();
    const auto installer =
        MakeWallpaperInstaller(Environment(variables), no_bus, DesktopAbilities{c.layer_shell});
    EXPECT_EQ(installer->Name(), c.installer);
    EXPECT_EQ(installer->CanInstall(), c.can_install);
    EXPECT_EQ(installer->CannotInstallReason().empty(), c.can_install);
  }
  // On weston the run is told why, in both languages, and nothing starts.
  const auto weston = MakeWallpaperInstaller(
      Environment({{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_SESSION_DESKTOP", "weston"}}), no_bus,
      DesktopAbilities{false});
  const std::string reason = weston->CannotInstallReason();
  EXPECT_NE(reason.find("このデスクトップ（weston）には壁紙を設定する仕組みがありません"),
            std::string::npos) << reason;
  EXPECT_NE(reason.find("this desktop (weston) has no way to set a wallpaper; set MURVA00.BMP by hand"),
            std::string::npos) << reason;
  std::string error;
  EXPECT_FALSE(weston->InstallMonitors(testing::TwoMonitors(), error));
  EXPECT_EQ(error, reason);
  EXPECT_FALSE(weston->Install(testing::WriteStripes(folder / "MURVA00.BMP", 8, 8), error));
  EXPECT_TRUE(fakes.Calls("swaybg").empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "home" / ".local"));  // no copy made either
}

TEST(DesktopAbilities, TheCompositorIsNamedByTheProgramServingItsSocket) {
  TempFolder folder;
  const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listening, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, (folder / "wayland-7").c_str());
  ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listening, 4), 0);
  const EnvironmentLookup session =
      Environment({{"WAYLAND_DISPLAY", "wayland-7"}, {"XDG_RUNTIME_DIR", folder.Path().string()}});
  // This test program serves the socket.
  std::string self = testing::ReadBytes("/proc/self/comm");
  self = self.substr(0, self.find('\n'));
  EXPECT_EQ(WaylandCompositorName(session), self);
  const auto installer =
      MakeWallpaperInstaller(session, [](const std::string&) { return false; }, DesktopAbilities{false});
  EXPECT_NE(installer->CannotInstallReason().find("（" + self + "）"), std::string::npos);
  close(listening);
  EXPECT_EQ(WaylandCompositorName(Environment({{"WAYLAND_DISPLAY", "wayland-7"}})), "");
}

// --- The copy handed to desktops ---------------------------------------------

TEST(WallpaperCopy, FolderFollowsTheDataHome) {
  EXPECT_EQ(WallpaperCopyFolder(Environment({{"XDG_DATA_HOME", "/d"}, {"HOME", "/h"}})),
            "/d/murva32");
  EXPECT_EQ(WallpaperCopyFolder(Environment({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}})),
            "/h/.local/share/murva32");
}

TEST(WallpaperCopy, NewNameEachTimeAndOldCopiesRemoved) {
  TempFolder folder;
  const auto bmp = testing::WriteStripes(folder / "MURVA00.BMP", 64, 48);
  testing::WriteBytes(folder / "copies" / "notes.txt", "mine");
  std::string error;
  const auto first = MakeWallpaperCopy(bmp, folder / "copies", error);
  ASSERT_FALSE(first.empty()) << error;
  const auto second = MakeWallpaperCopy(bmp, folder / "copies", error);
  ASSERT_FALSE(second.empty()) << error;
  EXPECT_NE(first, second);
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_EQ(second.extension(), ".png");
  QImage copy(QString::fromStdString(second.string()));
  EXPECT_EQ(copy.size(), QSize(64, 48));
  EXPECT_EQ(copy.pixel(0, 0), qRgb(200, 30, 40));
  // Files of the user's own in the folder stay.
  EXPECT_TRUE(std::filesystem::exists(folder / "copies" / "notes.txt"));
  // So do none of the temporary files of copies killed half-way (this one
  // names a writer that ran before the last reboot).
  const std::string boot = CurrentWriter().boot == "00000000" ? "11111111" : "00000000";
  const std::string abandoned = ".wallpaper.png.tmp-" + boot + "-1-1-1";
  testing::WriteBytes(folder / "copies" / abandoned, "half");
  ASSERT_FALSE(MakeWallpaperCopy(bmp, folder / "copies", error).empty()) << error;
  std::vector<std::string> hidden;
  for (const auto& entry : std::filesystem::directory_iterator(folder / "copies")) {
    if (entry.path().filename().string().front() == '.') hidden.push_back(entry.path().filename());
  }
  EXPECT_TRUE(hidden.empty()) << hidden.front();
}

TEST(WallpaperCopy, UnreadablePictureIsReported) {
  TempFolder folder;
  testing::WriteBytes(folder / "broken.bmp", "BM not really");
  std::string error;
  EXPECT_TRUE(MakeWallpaperCopy(folder / "broken.bmp", folder / "copies", error).empty());
  EXPECT_FALSE(error.empty());
}

// --- X11 root window ----------------------------------------------------------

// Root pixmap properties and the pixels left and right of the middle.
testing::RootSample ReadRoot(const std::string& display) {
  return testing::SampleRoot(display, {{100, 300}, {900, 300}, {0, 0}, {0, 0}});
}

TEST(X11RootInstaller, SetsTheRootPixmapAndKeepsItAfterTheConnection) {
  testing::XvfbServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  TempFolder folder;
  const auto bmp = testing::WriteStripes(folder / "MURVA00.BMP", 1024, 768);

  X11RootInstaller installer(server.Display());
  std::string error;
  ASSERT_TRUE(installer.Install(bmp, error)) << error;
  EXPECT_FALSE(installer.Persists());

  const testing::RootSample first = ReadRoot(server.Display());
  EXPECT_NE(first.root_pmap, 0u);
  EXPECT_EQ(first.root_pmap, first.esetroot_pmap);
  EXPECT_EQ(first.pixel[0], 0xC81E28UL);   // 200, 30, 40
  EXPECT_EQ(first.pixel[1], 0x0A78FAUL);  // 10, 120, 250

  // A second installation replaces the pixmap and frees the first one.
  ASSERT_TRUE(testing::Stripes(1024, 768).mirrored(true, false).save(QString::fromStdString(bmp.string()), "BMP"));
  ASSERT_TRUE(installer.Install(bmp, error)) << error;
  const testing::RootSample second = ReadRoot(server.Display());
  EXPECT_NE(second.root_pmap, first.root_pmap);
  EXPECT_EQ(second.pixel[0], 0x0A78FAUL);  // mirrored: blue on the left
}

TEST(X11RootInstaller, NoDisplayIsReported) {
  X11RootInstaller installer(":999");
  std::string error;
  TempFolder folder;
  const auto bmp = testing::WriteStripes(folder / "MURVA00.BMP", 8, 8);
  EXPECT_FALSE(installer.Install(bmp, error));
  EXPECT_NE(error.find("display"), std::string::npos);
}

TEST(X11RootInstaller, EachMonitorsPictureLiesAtItsRandrRectangle) {
  testing::XvfbServer server("3200x1080x24");
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  X11RootInstaller installer(server.Display());
  std::string error;
  ASSERT_TRUE(installer.InstallMonitors(testing::TwoMonitors(), error)) << error;
  EXPECT_FALSE(installer.Persists());
  // Both halves of DP-1, both of HDMI-A-1, and black below HDMI-A-1.
  const testing::RootSample first =
      testing::SampleRoot(server.Display(), {{1, 1}, {1918, 1078}, {1921, 1}, {3198, 1022}});
  const testing::RootSample second =
      testing::SampleRoot(server.Display(), {{958, 540}, {961, 540}, {3000, 1050}, {2558, 500}});
  EXPECT_NE(first.root_pmap, 0u);
  EXPECT_EQ(first.root_pmap, first.esetroot_pmap);
  EXPECT_EQ(first.pixel[0], 0xC81E28UL);   // DP-1's red
  EXPECT_EQ(first.pixel[1], 0x0A78FAUL);   // DP-1's blue
  EXPECT_EQ(first.pixel[2], 0x14A03CUL);   // HDMI-A-1's green
  EXPECT_EQ(first.pixel[3], 0xE6D214UL);   // HDMI-A-1's yellow
  EXPECT_EQ(second.pixel[0], 0xC81E28UL);  // the middle of DP-1, not shifted
  EXPECT_EQ(second.pixel[1], 0x0A78FAUL);
  EXPECT_EQ(second.pixel[2], 0x000000UL);
  EXPECT_EQ(second.pixel[3], 0x14A03CUL);  // HDMI-A-1's halves meet at 2560
}

// --- The screen layout an X server reports -----------------------------------

TEST(X11ScreenLayout, MonitorsComeFromRandrAndWorkspacesFromTheWindowManager) {
  testing::XvfbServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  const std::vector<std::string> monitors = X11MonitorNames(server.Display());
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_FALSE(monitors[0].empty());
  // No window manager has announced workspaces yet.
  EXPECT_EQ(X11WorkspaceCount(server.Display()), 0);

  Display* display = XOpenDisplay(server.Display().c_str());
  ASSERT_NE(display, nullptr);
  const unsigned long three = 3;
  XChangeProperty(display, DefaultRootWindow(display),
                  XInternAtom(display, "_NET_NUMBER_OF_DESKTOPS", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&three), 1);
  XSync(display, False);
  EXPECT_EQ(X11WorkspaceCount(server.Display()), 3);
  XCloseDisplay(display);
}

TEST(X11ScreenLayout, NoDisplayGivesNothing) {
  EXPECT_TRUE(X11MonitorNames(":999").empty());
  EXPECT_EQ(X11WorkspaceCount(":999"), 0);
}

}  // namespace
}  // namespace murva
