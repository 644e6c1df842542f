// The desktops that take a wallpaper through a command-line tool (LXQt,
// LXDE, sway, Hyprland and other wlroots compositors), against recording
// stand-ins on PATH.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "fake_commands.h"
#include "platform/pcmanfm_installer.h"
#include "platform/sway_installer.h"
#include "platform/wlroots_installer.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using testing::Environment;
using testing::FakeCommands;
using testing::TempFolder;

using Calls = std::vector<std::vector<std::string>>;

// Whether a process runs (an ended one nobody has reaped yet does not).
bool Running(long long pid) {
  if (kill(static_cast<pid_t>(pid), 0) != 0) return false;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  return close == std::string::npos || text.size() < close + 3 || text[close + 2] != 'Z';
}

class CommandInstallerTest : public ::testing::Test {
 protected:
  std::filesystem::path Picture() {
    return testing::WriteStripes(folder_ / "pictures" / "MURVA00.BMP", 64, 48);
  }
  // The one copy in the copy folder.
  std::filesystem::path OnlyCopy() const {
    std::vector<std::filesystem::path> copies;
    for (const auto& entry : std::filesystem::directory_iterator(Copies())) {
      copies.push_back(entry.path());
    }
    return copies.size() == 1 ? copies[0] : std::filesystem::path();
  }
  std::filesystem::path Copies() const { return folder_ / "my copies"; }

  TempFolder folder_;
  FakeCommands fakes_{folder_ / "bin"};
};

// --- LXQt and LXDE -------------------------------------------------------------

TEST_F(CommandInstallerTest, LxqtHandsTheFileToPcmanfmQtWithAMode) {
  fakes_.Add("pcmanfm-qt");
  PcmanfmInstaller installer(PcmanfmFlavour::kQt, Copies());
  EXPECT_EQ(installer.Name(), "LXQt");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_TRUE(installer.Persists());
  EXPECT_EQ(fakes_.Calls("pcmanfm-qt"),
            (Calls{{"--set-wallpaper", OnlyCopy().string(), "--wallpaper-mode", "zoom"}}));
}

TEST_F(CommandInstallerTest, LxdeHandsTheFileToPcmanfm) {
  fakes_.Add("pcmanfm");
  PcmanfmInstaller installer(PcmanfmFlavour::kGtk, Copies());
  EXPECT_EQ(installer.Name(), "LXDE");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_EQ(fakes_.Calls("pcmanfm"),
            (Calls{{"--set-wallpaper=" + OnlyCopy().string(), "--wallpaper-mode=crop"}}));
}

TEST_F(CommandInstallerTest, AFailingOrMissingPcmanfmIsReported) {
  fakes_.Add("pcmanfm-qt", "cannot connect to the desktop", 3);
  PcmanfmInstaller lxqt(PcmanfmFlavour::kQt, Copies());
  std::string error;
  EXPECT_FALSE(lxqt.Install(Picture(), error));
  EXPECT_NE(error.find("exit code 3"), std::string::npos) << error;

  testing::ScopedEnvironment environment;
  environment.Set("PATH", fakes_.Folder().string());
  PcmanfmInstaller lxde(PcmanfmFlavour::kGtk, Copies());
  EXPECT_FALSE(lxde.Install(Picture(), error));
  EXPECT_EQ(error, "pcmanfm is not installed");
}

// --- sway -------------------------------------------------------------------------

class SwayInstallerTest : public CommandInstallerTest {
 protected:
  SwayInstallerTest() { fakes_.Add("swaymsg", "[ { \"success\": true } ]"); }
  EnvironmentLookup SwayEnvironment() const {
    return Environment({{"HOME", (folder_ / "home").string()},
                        {"XDG_CONFIG_HOME", (folder_ / "home" / "cfg").string()}});
  }
  std::filesystem::path Config() const { return folder_ / "home" / "cfg" / "sway" / "config"; }
};

TEST_F(SwayInstallerTest, TheCommandGoesToSwayAndItsLineToTheConfig) {
  testing::WriteBytes(Config(), "set $mod Mod4\nbindsym $mod+Return exec foot\n");
  SwayInstaller installer(Copies(), SwayEnvironment());
  EXPECT_TRUE(installer.Persists());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string command = "output * bg \"" + OnlyCopy().string() + "\" fill";
  EXPECT_EQ(fakes_.Calls("swaymsg"), (Calls{{command}}));
  EXPECT_EQ(testing::ReadBytes(Config()),
            "set $mod Mod4\nbindsym $mod+Return exec foot\n\n"
            "# murva32: wallpaper calendar (the next line is rewritten by murva32)\n" +
                command + "\n");

  // The next installation replaces the line instead of adding one.
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string again = "output * bg \"" + OnlyCopy().string() + "\" fill";
  EXPECT_EQ(testing::ReadBytes(Config()),
            "set $mod Mod4\nbindsym $mod+Return exec foot\n\n"
            "# murva32: wallpaper calendar (the next line is rewritten by murva32)\n" +
                again + "\n");
}

TEST_F(SwayInstallerTest, ALinkedConfigIsEditedWhereItLives) {
  const auto dotfiles = folder_ / "dotfiles" / "sway.conf";
  testing::WriteBytes(dotfiles, "include /etc/sway/config.d/*\n");
  std::filesystem::permissions(dotfiles, std::filesystem::perms(0640));
  std::filesystem::create_directories(Config().parent_path());
  std::filesystem::create_symlink(dotfiles, Config());
  SwayInstaller installer(Copies(), SwayEnvironment());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(Config()));
  EXPECT_NE(testing::ReadBytes(dotfiles).find(OnlyCopy().string()), std::string::npos);
  EXPECT_EQ(std::filesystem::status(dotfiles).permissions(), std::filesystem::perms(0640));
}

TEST_F(SwayInstallerTest, WithoutAConfigOfTheUsersOwnNothingIsWrittenAndTheLogOnRunRestores) {
  SwayInstaller installer(Copies(), SwayEnvironment());
  EXPECT_FALSE(installer.Persists());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_EQ(fakes_.Calls("swaymsg").size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Config()));
  // ~/.sway/config comes first when it exists.
  testing::WriteBytes(folder_ / "home" / ".sway" / "config", "");
  EXPECT_EQ(SwayUserConfig(SwayEnvironment()), folder_ / "home" / ".sway" / "config");
}

TEST_F(SwayInstallerTest, ARefusedCommandIsReported) {
  fakes_.Add("swaymsg", "Error: Invalid output", 2);
  SwayInstaller installer(Copies(), SwayEnvironment());
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("Invalid output"), std::string::npos) << error;
}

TEST(SwayConfig, QuotesInThePathAreEscapedAndOtherLinesStay) {
  EXPECT_EQ(SwayBackgroundCommand("/h/a \"b\"\\c.png"), "output * bg \"/h/a \\\"b\\\"\\\\c.png\" fill");
  const std::string marked =
      "a\n# murva32: wallpaper calendar (the next line is rewritten by murva32)\n"
      "output * bg \"/old.png\" fill\nb\n";
  EXPECT_EQ(WithSwayWallpaperLine(marked, "/new.png"),
            "a\nb\n\n# murva32: wallpaper calendar (the next line is rewritten by murva32)\n"
            "output * bg \"/new.png\" fill\n");
  EXPECT_EQ(WithSwayWallpaperLine("", "/new.png"),
            "# murva32: wallpaper calendar (the next line is rewritten by murva32)\n"
            "output * bg \"/new.png\" fill\n");
}

// --- Hyprland and other wlroots compositors ------------------------------------------

class WlrootsInstallerTest : public CommandInstallerTest {
 protected:
  std::filesystem::path Runtime() const { return folder_ / "run"; }
  // Stops a stand-in swaybg that is still running.
  ~WlrootsInstallerTest() override {
    std::ifstream in(Runtime() / "swaybg.pid");
    long long pid = 0;
    if (in >> pid && pid > 0) kill(static_cast<pid_t>(pid), SIGKILL);
  }
};

TEST_F(WlrootsInstallerTest, HyprpaperLoadsTheFileForEveryMonitor) {
  fakes_.Add("hyprctl", "ok");
  WlrootsInstaller installer(/*hyprland=*/true, Copies(), Runtime());
  EXPECT_EQ(installer.Name(), "Hyprland");
  EXPECT_FALSE(installer.Persists());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string file = OnlyCopy().string();
  EXPECT_EQ(fakes_.Calls("hyprctl"), (Calls{{"hyprpaper", "preload", file},
                                            {"hyprpaper", "wallpaper", "," + file},
                                            {"hyprpaper", "unload", "unused"}}));
}

TEST_F(WlrootsInstallerTest, SwwwIsUsedWhenItsDaemonAnswers) {
  // hyprctl runs, but hyprpaper does not.
  fakes_.Add("hyprctl", "Couldn't connect to hyprpaper");
  fakes_.Add("swww");
  WlrootsInstaller installer(/*hyprland=*/true, Copies(), Runtime());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_EQ(fakes_.Calls("swww"), (Calls{{"query"}, {"img", OnlyCopy().string()}}));
}

TEST_F(WlrootsInstallerTest, SwaybgIsStartedAndTheOneBeforeStopped) {
  fakes_.Add("swww", "", 1);  // no daemon
  fakes_.Add("swaybg", "", 0, "while :; do sleep 1; done\n");
  WlrootsInstaller installer(/*hyprland=*/false, Copies(), Runtime());
  EXPECT_EQ(installer.Name(), "Wayland compositor");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  std::ifstream first_record(Runtime() / "swaybg.pid");
  long long first = 0;
  ASSERT_TRUE(first_record >> first);
  EXPECT_TRUE(Running(first));  // running on after the installation

  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  std::ifstream second_record(Runtime() / "swaybg.pid");
  long long second = 0;
  ASSERT_TRUE(second_record >> second);
  EXPECT_NE(second, first);
  EXPECT_TRUE(Running(second));
  // The first one ends.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Running(first) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(Running(first));

  // Both were started on the file of their time, on every output (each
  // writes its record once it runs).
  const auto started = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (fakes_.Calls("swaybg").size() < 2 && std::chrono::steady_clock::now() < started) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const Calls calls = fakes_.Calls("swaybg");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1], (std::vector<std::string>{"-o", "*", "-i", OnlyCopy().string(), "-m", "fill"}));
}

TEST_F(WlrootsInstallerTest, ARecordNamingAnotherProgramIsNotActedOn) {
  fakes_.Add("swaybg", "", 0, "while :; do sleep 1; done\n");
  // The recorded process is this test itself, which is no swaybg.
  testing::WriteBytes(Runtime() / "swaybg.pid", std::to_string(getpid()) + "\n");
  WlrootsInstaller installer(/*hyprland=*/false, Copies(), Runtime());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;  // and this test still runs
}

TEST_F(WlrootsInstallerTest, NoWallpaperProgramIsReported) {
  testing::ScopedEnvironment environment;
  environment.Set("PATH", fakes_.Folder().string());
  WlrootsInstaller installer(/*hyprland=*/false, Copies(), Runtime());
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("swaybg is not installed"), std::string::npos) << error;
}

TEST(RuntimeRecords, KeptInTheRuntimeFolder) {
  EXPECT_EQ(RuntimeRecordFolder(Environment({{"XDG_RUNTIME_DIR", "/run/user/7"}})),
            "/run/user/7/murva32");
  EXPECT_EQ(RuntimeRecordFolder(Environment({})).parent_path(), std::filesystem::temp_directory_path());
}

}  // namespace
}  // namespace murva
