// XFCE through the real xfconf: xfconfd started on a private session bus,
// its values read back from a new session after the first one ended.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <thread>

#include "platform/xfce_installer.h"
#include "private_session_bus.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using testing::PrivateSessionBus;
using testing::RunInNewSession;
using testing::TempFolder;

class XfceInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus_.Running()) << "dbus-daemon did not start"; }

  std::filesystem::path Picture() {
    return testing::WriteStripes(home_ / "pictures" / "MURVA00.BMP", 320, 200);
  }
  std::filesystem::path Copies() const { return home_ / "data" / "murva32"; }
  std::filesystem::path ChannelFile() const {
    return home_ / "config" / "xfce4" / "xfconf" / "xfce-perchannel-xml" / "xfce4-desktop.xml";
  }

  static int Xfconf(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {"-c", "xfce4-desktop"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunCommand("xfconf-query", words);
  }

  // Ends the session and waits until xfconfd has written the channel with
  // the text in it; then a new session reads what the next log-on sees.
  void EndSession(const std::string& expected_text) {
    bus_.Stop();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (testing::ReadBytes(ChannelFile()).find(expected_text) == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }

  std::string Stored(const std::string& property) {
    return RunInNewSession({"xfconf-query", "-c", "xfce4-desktop", "-p", property});
  }

  TempFolder home_;
  PrivateSessionBus bus_{home_.Path()};
};

TEST_F(XfceInstallerTest, FreshInstallationCreatesEveryMonitorAndWorkspace) {
  XfceInstaller installer(Copies(), [] { return XfceScreenLayout{{"HDMI-1", "eDP-1"}, 2}; });
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_TRUE(installer.Persists());
  // The copy is the only PNG in the folder.
  std::filesystem::path copy;
  for (const auto& entry : std::filesystem::directory_iterator(Copies())) copy = entry.path();
  ASSERT_FALSE(copy.empty());
  EndSession(copy.string());

  for (const char* monitor : {"HDMI-1", "eDP-1"}) {
    for (int workspace = 0; workspace < 2; ++workspace) {
      const std::string base = std::string("/backdrop/screen0/monitor") + monitor + "/workspace" +
                               std::to_string(workspace);
      EXPECT_EQ(Stored(base + "/last-image"), copy.string()) << base;
      EXPECT_EQ(Stored(base + "/image-style"), "5") << base;
    }
  }
  EXPECT_EQ(QImage(QString::fromStdString(copy.string())).size(), QSize(320, 200));
}

TEST_F(XfceInstallerTest, ExistingPropertiesAreSetAndANoPictureStyleIsMended) {
  // What xfdesktop left: another monitor name, and a style that shows nothing.
  ASSERT_EQ(Xfconf({"-p", "/backdrop/screen0/monitorVGA-0/workspace3/last-image", "-n", "-t",
                    "string", "-s", "/usr/share/backgrounds/old.png"}), 0);
  ASSERT_EQ(Xfconf({"-p", "/backdrop/screen0/monitorVGA-0/workspace3/image-style", "-n", "-t",
                    "int", "-s", "0"}), 0);
  ASSERT_EQ(Xfconf({"-p", "/backdrop/screen0/monitorVGA-0/workspace0/last-image", "-n", "-t",
                    "string", "-s", "/usr/share/backgrounds/old.png"}), 0);
  ASSERT_EQ(Xfconf({"-p", "/backdrop/screen0/monitorVGA-0/workspace0/image-style", "-n", "-t",
                    "int", "-s", "3"}), 0);

  XfceInstaller installer(Copies(), [] { return XfceScreenLayout{{"VGA-0"}, 1}; });
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  std::filesystem::path copy;
  for (const auto& entry : std::filesystem::directory_iterator(Copies())) copy = entry.path();
  EndSession(copy.string());

  EXPECT_EQ(Stored("/backdrop/screen0/monitorVGA-0/workspace3/last-image"), copy.string());
  EXPECT_EQ(Stored("/backdrop/screen0/monitorVGA-0/workspace3/image-style"), "5");
  EXPECT_EQ(Stored("/backdrop/screen0/monitorVGA-0/workspace0/last-image"), copy.string());
  // A style the user chose stays.
  EXPECT_EQ(Stored("/backdrop/screen0/monitorVGA-0/workspace0/image-style"), "3");
}

TEST_F(XfceInstallerTest, EachMonitorsWorkspacesGetItsOwnPictureCentred) {
  // A monitor that is not connected now keeps its wallpaper.
  ASSERT_EQ(Xfconf({"-p", "/backdrop/screen0/monitorVGA-0/workspace0/last-image", "-n", "-t",
                    "string", "-s", "/usr/share/backgrounds/old.png"}), 0);
  XfceInstaller installer(Copies(), [] { return XfceScreenLayout{{"DP-1", "HDMI-A-1"}, 2}; });
  std::string error;
  ASSERT_TRUE(installer.InstallMonitors(testing::TwoMonitors(), error)) << error;
  const std::string dp = testing::CopyLabelled(Copies(), "DP-1").string();
  const std::string hdmi = testing::CopyLabelled(Copies(), "HDMI-A-1").string();
  EndSession(hdmi);
  for (const auto& [monitor, copy] : {std::pair{"DP-1", dp}, std::pair{"HDMI-A-1", hdmi}}) {
    for (int workspace = 0; workspace < 2; ++workspace) {
      const std::string base = std::string("/backdrop/screen0/monitor") + monitor + "/workspace" +
                               std::to_string(workspace);
      EXPECT_EQ(Stored(base + "/last-image"), copy) << base;
      EXPECT_EQ(Stored(base + "/image-style"), "1") << base;
    }
  }
  EXPECT_EQ(Stored("/backdrop/screen0/monitorVGA-0/workspace0/last-image"),
            "/usr/share/backgrounds/old.png");
}

TEST_F(XfceInstallerTest, NothingToSetAndNoMonitorIsReported) {
  XfceInstaller installer(Copies(), [] { return XfceScreenLayout{{}, 1}; });
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("monitor"), std::string::npos) << error;
}

TEST(XfceInstallerWithoutBus, UnreachableXfconfIsReported) {
  TempFolder home;
  testing::ScopedEnvironment environment;
  environment.Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (home / "no-bus").string());
  environment.Set("XDG_DATA_HOME", (home / "data").string());
  XfceInstaller installer(home / "copies", [] { return XfceScreenLayout{{"HDMI-1"}, 1}; });
  std::string error;
  EXPECT_FALSE(installer.Install(testing::WriteStripes(home / "MURVA00.BMP", 8, 8), error));
  EXPECT_NE(error.find("xfconf-query"), std::string::npos) << error;
}

}  // namespace
}  // namespace murva
