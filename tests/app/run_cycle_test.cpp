#include <gtest/gtest.h>

#include "app/messages.h"
#include "app/run_cycle.h"
#include "app_test_support.h"
#include "platform/monitor_test_support.h"

namespace murva {
namespace {

using testing::FakeInstaller;
using testing::FakeLauncher;
using testing::QuadrantPicture;
using testing::ReadBytes;
using testing::RecordingView;
using testing::SavePicture;
using testing::ScriptedRandom;
using testing::TempFolder;
using testing::WriteIni;

// 2026-12-06 is a Sunday.
constexpr LocalDateTime kSunday{2026, 12, 6, 8, 30, 0};

class RunCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Calendars and schedules go far to the right, out of the way.
    for (int page = 1; page <= 8; ++page) {
      SavePicture(QuadrantPicture(64, 48), folder_ / ("p" + std::to_string(page) + ".bmp"), "BMP");
    }
  }

  std::string PagePath(int page) const {
    return (folder_ / ("p" + std::to_string(page) + ".bmp")).string();
  }

  // The basic set with the given keys after a few of every test's own.
  void WriteSettings(std::vector<std::string> keys, std::vector<int> configured_pages = {1}) {
    std::vector<std::string> lines = {"[MURVA32PRE]", "CalenSelBa=1", "CalenSelEx=0",
                                      "[Murva32V4]", "CalendTile=0"};
    for (int page : configured_pages) {
      lines.push_back("EditPathW" + std::to_string(page) + "=" + PagePath(page));
    }
    lines.insert(lines.end(), keys.begin(), keys.end());
    WriteIni(folder_ / "MURVA32.INI", lines);
  }

  RunCycle& Start(const std::string& argument, bool unattended = false,
                  std::vector<std::string> start_messages = {},
                  std::vector<std::filesystem::path> searched = {}) {
    RunEnvironment environment;
    environment.searched_folders = std::move(searched);
    environment.unattended = unattended;
    environment.start_messages = std::move(start_messages);
    environment.program_folder = folder_.Path();
    environment.first_argument = argument;
    environment.clock = &clock_;
    environment.random = &random_;
    environment.launcher = &launcher_;
    environment.installer = &installer_;
    environment.monitors = monitors_;
    cycle_ = std::make_unique<RunCycle>(view_, environment);
    cycle_->FormCreate();
    return *cycle_;
  }

  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }
  bool Built(int page) const {
    return std::filesystem::exists(folder_ / "MURVA00.BMP") &&
           Ini().find("CalWalUsed=" + std::to_string(page) + "\r\n") != std::string::npos;
  }

  TempFolder folder_;
  MonitorLayout monitors_;  // empty: one of the view's screen size
  FixedClock clock_{kSunday};
  ScriptedRandom random_;
  FakeLauncher launcher_;
  FakeInstaller installer_;
  RecordingView view_;
  std::unique_ptr<RunCycle> cycle_;
};

TEST_F(RunCycleTest, StartUpShowsModeVersionAndTodaysWeekday) {
  WriteSettings({"CalWallUse=1"});
  RunCycle& cycle = Start("");
  EXPECT_EQ(view_.captions.back(), "MURVA32  mode WEEK");
  EXPECT_EQ(view_.version, "Ver 4.21");
  EXPECT_EQ(view_.highlighted_weekday, 1);  // Sunday
  EXPECT_EQ(view_.mode_text, "曜日と連動で壁紙変更");
  EXPECT_EQ(view_.mode_panel, 0x808000u);
  EXPECT_EQ(view_.mode_font, 0x00FF00u);
  EXPECT_EQ(cycle.State().today.TodayText(), "2026/12/06");
  EXPECT_TRUE(view_.messages.empty());
}

// An automatic run without settings has nothing to build: it says where it
// looked and how to make settings, fails, and records nothing.
TEST_F(RunCycleTest, AnAutomaticRunWithoutSettingsSaysWhereItLookedAndFails) {
  RunCycle& cycle = Start("-E", false, {}, {folder_ / "a", folder_ / "b"});
  EXPECT_TRUE(view_.messages.empty());  // nothing before the run is decided
  cycle.FormActivate();
  ASSERT_EQ(view_.messages.size(), 1u);
  const std::string& text = view_.messages[0];
  EXPECT_NE(text.find("MURVA32.INI"), std::string::npos);
  EXPECT_NE(text.find((folder_ / "a").string()), std::string::npos) << text;
  EXPECT_NE(text.find((folder_ / "b").string()), std::string::npos) << text;
  EXPECT_NE(text.find("コントロールパネル"), std::string::npos);
  EXPECT_GE(view_.close_requests, 1);
  EXPECT_TRUE(cycle.Failed());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA32.INI"));
}

// The control panel's first start without settings names the folder where
// the file was looked for.
TEST_F(RunCycleTest, TheFirstUseMessageNamesTheFolder) {
  RunCycle& cycle = Start("");
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0], text::SettingsMissingText(folder_.Path().string()));
  EXPECT_NE(view_.messages[0].find("探した場所：" + folder_.Path().string() + "\r"),
            std::string::npos);
  EXPECT_FALSE(cycle.State().built_today);
}

TEST_F(RunCycleTest, PluginNoticesAreShownByAnInteractiveStartOnly) {
  WriteSettings({});
  Start("", false, {"/p/bad.spi:Susie Pluginが異常終了しました（読み込み：SIGSEGV）"});
  EXPECT_EQ(view_.messages,
            std::vector<std::string>{"/p/bad.spi:Susie Pluginが異常終了しました（読み込み：SIGSEGV）"});
  view_.messages.clear();
  // An automatic run names them on standard error only, so that it always
  // ends by itself.
  Start("-E", false, {"/p/bad.spi:Susie Pluginが異常終了しました（読み込み：SIGSEGV）"});
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(RunCycleTest, InteractiveStartShowsTheStoredTabsAndWaits) {
  WriteSettings({"CalWalNumb=3", "CalSetNumb=5", "CalenBlok3=77"}, {1, 3});
  RunCycle& cycle = Start("-x");
  const int refreshes = view_.page_position_refreshes;
  cycle.FormActivate();
  // The loaded page's markers and distances follow its values.
  EXPECT_EQ(view_.page_position_refreshes, refreshes + 1);
  EXPECT_EQ(cycle.Copy().wallpaper_page, 3);
  EXPECT_EQ(cycle.Copy().settings_page, 5);
  EXPECT_EQ(cycle.Copy().layout.month_spacing, 77);
  EXPECT_FALSE(view_.info_panel_shown);
  EXPECT_EQ(view_.close_requests, 0);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
}

TEST_F(RunCycleTest, DelayZeroBuildsAtActivationAndCloses) {
  WriteSettings({"CalendDely=0"});
  RunCycle& cycle = Start("-E");
  cycle.FormActivate();
  EXPECT_TRUE(view_.info_panel_shown);
  EXPECT_FALSE(view_.minimized);
  EXPECT_EQ(view_.statuses.back().first, "カレンダを作成開始します");
  EXPECT_EQ(view_.statuses.back().second, 0x00FFFFu);
  EXPECT_EQ(view_.captions.back(), "MURVA32    作成開始  壁紙：1");
  EXPECT_TRUE(Built(1));
  EXPECT_EQ(installer_.installed.size(), 1u);
  EXPECT_NE(Ini().find("CalMakeDay=2026/12/06"), std::string::npos);
  EXPECT_EQ(view_.close_requests, 1);
}

TEST_F(RunCycleTest, LowercaseSwitchMinimisesFirst) {
  WriteSettings({});
  Start("-e").FormActivate();
  EXPECT_TRUE(view_.minimized);
  EXPECT_TRUE(Built(1));
}

TEST_F(RunCycleTest, CountdownOfFiveSecondsCaptionsThenBuilds) {
  WriteSettings({"CalendDely=5"});
  RunCycle& cycle = Start("-E");
  cycle.FormActivate();
  EXPECT_TRUE(view_.timer_enabled);
  EXPECT_EQ(view_.statuses.back().first, "ただいま待機中です");
  std::vector<std::string> captions = {view_.captions.back()};
  for (int tick = 0; tick < 5; ++tick) {
    EXPECT_FALSE(Built(1)) << "built before the last tick";
    cycle.TimerDelayTimer();
    captions.push_back(view_.captions.back());
  }
  const std::vector<std::string> expected = {
      "MURVA32    待機中：5 (秒)   壁紙：1", "MURVA32    待機中：4 (秒)   壁紙：1",
      "MURVA32    待機中：3 (秒)   壁紙：1", "MURVA32    待機中：2 (秒)   壁紙：1",
      "MURVA32    カレンダを作成開始",     "MURVA32    カレンダを作成開始"};
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(view_.countdowns, (std::vector<int>{5, 4, 3, 2, 1, 0}));
  EXPECT_FALSE(view_.timer_enabled);
  EXPECT_TRUE(Built(1));
  EXPECT_EQ(view_.close_requests, 1);
}

TEST_F(RunCycleTest, CountdownOfOneSecond) {
  WriteSettings({"CalendDely=1"});
  RunCycle& cycle = Start("-E");
  cycle.FormActivate();
  cycle.TimerDelayTimer();
  EXPECT_EQ(view_.countdowns.back(), 0);
  EXPECT_EQ(view_.captions.back(), "MURVA32    カレンダを作成開始");
  EXPECT_TRUE(Built(1));
}

TEST_F(RunCycleTest, ReactivationDuringTheCountdownDoesNotRestartIt) {
  WriteSettings({"CalendDely=3"});
  RunCycle& cycle = Start("-E");
  cycle.FormActivate();
  cycle.TimerDelayTimer();
  cycle.FormActivate();
  EXPECT_EQ(view_.countdowns, (std::vector<int>{3, 2}));
  cycle.TimerDelayTimer();
  cycle.TimerDelayTimer();
  EXPECT_TRUE(Built(1));
}

TEST_F(RunCycleTest, AlreadyBuiltTodaySkipsWithoutWriting) {
  WriteSettings({"CalWallUse=1", "CalenAlWay=0", "CalMakeDay=2026/12/06"});
  const std::string before = Ini();
  Start("-E").FormActivate();
  EXPECT_EQ(view_.statuses.back().first, "カレンダの作成をスキップします");
  EXPECT_EQ(view_.statuses.back().second, 0x00FF00u);
  EXPECT_EQ(view_.close_requests, 1);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  EXPECT_EQ(Ini(), before);
}

TEST_F(RunCycleTest, RandomModeBuildsEvenWhenBuiltTodayAndAvoidsTheLastPage) {
  WriteSettings({"CalWallUse=2", "CalenAlWay=0", "CalMakeDay=2026/12/06", "CalWalLast=2"},
                {2, 4});
  random_.values = {0};  // page 2 first, the last one: page 4 follows
  Start("-E").FormActivate();
  EXPECT_TRUE(Built(4));
  EXPECT_NE(Ini().find("CalWalLast=4\r\n"), std::string::npos);
}

TEST_F(RunCycleTest, RandomModeWithOnlyPageThree) {
  WriteSettings({"CalWallUse=3"}, {3});
  Start("-E").FormActivate();
  EXPECT_TRUE(Built(3));
  EXPECT_NE(Ini().find("CalWalLast=3\r\n"), std::string::npos);
}

TEST_F(RunCycleTest, RandomModeWithoutPagesReportsAndStaysOpen) {
  WriteSettings({"CalWallUse=2"}, {});
  Start("-E").FormActivate();
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_EQ(view_.messages[0], text::kNoRandomPage);
  EXPECT_EQ(view_.close_requests, 0);
  EXPECT_FALSE(view_.timer_enabled);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
}

TEST_F(RunCycleTest, WeekModeOnSundayUsesTheSundayPage) {
  WriteSettings({"CalWallUse=1", "CalenWeek1=4", "CalenWeek2=6"}, {1, 5});
  Start("-E").FormActivate();
  EXPECT_TRUE(Built(5));
}

TEST_F(RunCycleTest, WeekModeFallsBackToPageOneWithoutBackground) {
  clock_.Set({2026, 12, 12, 9, 0, 0});  // a Saturday
  WriteSettings({"CalWallUse=1", "CalenWeek7=5"}, {1});
  Start("-E").FormActivate();
  EXPECT_TRUE(Built(1));
}

TEST_F(RunCycleTest, ManualBuildInStealthModeShrinksAndSavesTheSettings) {
  WriteSettings({"CalendHide=1", "CalWalNumb=2"}, {1, 2});
  RunCycle& cycle = Start("");
  cycle.FormActivate();
  cycle.Copy().layout.month_spacing = 55;
  // The user made the window taller after it came up.
  view_.client_height = 640;
  cycle.SpeedButtonMakeClick();
  EXPECT_TRUE(view_.shrunk);
  EXPECT_TRUE(cycle.IsShrunk());
  EXPECT_TRUE(Built(2));
  const std::string ini = Ini();
  EXPECT_NE(ini.find("CalMakeDay=2026/12/06"), std::string::npos);
  EXPECT_NE(ini.find("CalWalNumb=2"), std::string::npos);
  EXPECT_NE(ini.find("CalenBlok2=55"), std::string::npos);
  // A manual build never starts the special program and never closes.
  EXPECT_EQ(view_.close_requests, 0);
  // A second build from the strip keeps the height to come back to.
  view_.client_height = 58;
  cycle.SpeedButtonMakeClick();
  // The close button (or Esc) restores the window, to the height it had when
  // it shrank, instead of closing it.
  cycle.ButtonCloseClick();
  EXPECT_FALSE(view_.shrunk);
  EXPECT_EQ(view_.restored_height, 640);
  EXPECT_EQ(view_.close_requests, 0);
  cycle.ButtonCloseClick();
  EXPECT_EQ(view_.close_requests, 1);
}

TEST_F(RunCycleTest, MissingBackgroundInAManualBuildClosesButStillSaves) {
  WriteSettings({"CalendHide=0", "CalendStyl=3"}, {});
  RunCycle& cycle = Start("");
  cycle.FormActivate();
  cycle.SpeedButtonMakeClick();
  EXPECT_EQ(view_.messages.back().rfind("指定された壁紙 [  ] がありません\r", 0), 0u);
  EXPECT_EQ(view_.close_requests, 1);
  // The settings are saved; the day of the build is not, as none was made.
  EXPECT_NE(Ini().find("CalendStyl=3"), std::string::npos);
  EXPECT_EQ(Ini().find("CalMakeDay"), std::string::npos);
  EXPECT_FALSE(cycle.Failed());  // a manual build is no automatic run
}

TEST_F(RunCycleTest, TestRunStartsTheSpecialProgramEvenWhenBuiltToday) {
  WriteSettings({"CalMakeDay=2026/12/06", "UseSpclPro=1", "SpecialPro=/opt/tools/party --loud",
                 "CalenSpc12=6/"});
  RunCycle& cycle = Start("");
  cycle.FormActivate();
  cycle.SpeedButtonMakeRightClick();
  EXPECT_TRUE(view_.test_run_marked);
  EXPECT_EQ(view_.captions[view_.captions.size() - 2], "MURVA32   テスト動作スタート");
  EXPECT_TRUE(Built(1));
  ASSERT_EQ(launcher_.started.size(), 1u);
  EXPECT_EQ(launcher_.started[0].first, "/opt/tools/party --loud");
  EXPECT_EQ(launcher_.started[0].second, "/opt/tools");
  EXPECT_EQ(view_.close_requests, 1);
}

TEST_F(RunCycleTest, SecondAutomaticRunOfTheDayDoesNotStartTheProgramAgain) {
  WriteSettings({"CalMakeDay=2026/12/06", "UseSpclPro=1", "SpecialPro=/bin/true",
                 "CalenSpc12=6/"});
  Start("-E").FormActivate();
  EXPECT_TRUE(Built(1));
  EXPECT_TRUE(launcher_.started.empty());
}

TEST_F(RunCycleTest, FailedSpecialProgramIsReportedAndTheWindowStaysOpen) {
  WriteSettings({"UseSpclPro=1", "SpecialPro=/missing/program", "CalenSpc12=6/"});
  launcher_.result = ENOENT;
  Start("-E").FormActivate();
  ASSERT_FALSE(view_.messages.empty());
  EXPECT_EQ(view_.messages.back(), "ＭＵＲＶＡ３２：特別日登録プログラムの起動エラー : 2");
  EXPECT_EQ(view_.close_requests, 0);
}

TEST_F(RunCycleTest, ClosingStoresThePositionOnlyAfterAnInteractiveStart) {
  WriteSettings({});
  RunCycle& interactive = Start("");
  interactive.FormActivate();
  interactive.FormClose(120, 80);
  EXPECT_NE(Ini().find("FormPositX=120\r\nFormPositY=80"), std::string::npos);

  WriteSettings({});
  RunCycle& automatic = Start("-E");
  automatic.FormClose(33, 44);
  EXPECT_EQ(Ini().find("FormPositX"), std::string::npos);
}

TEST_F(RunCycleTest, WindowPlacement) {
  WriteSettings({"FormPositX=100", "FormPositY=50"});
  Start("");
  EXPECT_EQ(view_.window_position, std::make_pair(100, 50));
  WriteSettings({"FormPositX=0", "FormPositY=50"});
  Start("");
  EXPECT_EQ(view_.window_position, std::make_pair(312, 234));  // centred
  WriteSettings({"FormPositX=100", "FormPositY=50"});
  Start("-E");
  EXPECT_EQ(view_.window_position, std::make_pair(312, 234));
}

TEST_F(RunCycleTest, ModeChangeUpdatesCaptionIndicatorAndSaveButton) {
  WriteSettings({});
  RunCycle& cycle = Start("");
  cycle.Copy().page_choice_mode = 3;
  cycle.ComboBoxWalUseDspChange();
  EXPECT_EQ(view_.captions.back(), "MURVA32  mode NewRANDOM");
  EXPECT_EQ(view_.mode_panel, 0x808080u);
  EXPECT_EQ(view_.mode_font, 0xFF00FFu);
  EXPECT_TRUE(cycle.Copy().convenience_save_enabled);
}

// An automatic run nobody attends (started by the resident mode) ends also
// after an error, where an attended one stays open for the user, and says
// that it failed.
TEST_F(RunCycleTest, AnUnattendedRunEndsAfterAnErrorAndSaysSo) {
  struct Case {
    const char* what;
    std::vector<std::string> keys;
    std::vector<int> pages;
    bool failed;
    bool made_day;  // CalMakeDay written
  };
  const Case cases[] = {
      {"built", {}, {1}, false, true},
      {"no page for the random mode", {"CalWallUse=2"}, {}, true, false},
      {"missing background", {"EditPathW1=" + (folder_ / "gone.bmp").string()}, {}, true, false},
      {"unreadable background", {"EditPathW1=" + (folder_ / "MURVA32.INI").string()}, {}, true, false},
  };
  for (const Case& c : cases) {
    WriteSettings(c.keys, c.pages);
    view_ = RecordingView();
    RunCycle& cycle = Start("-E", true);
    cycle.FormActivate();
    EXPECT_EQ(cycle.Failed(), c.failed) << c.what;
    EXPECT_GE(view_.close_requests, 1) << c.what;
    EXPECT_FALSE(view_.timer_enabled) << c.what;
    EXPECT_EQ(view_.messages.empty(), !c.failed) << c.what;
    EXPECT_EQ(Ini().find("CalMakeDay=2026/12/06") != std::string::npos, c.made_day) << c.what;
  }
  // Attended, the same error leaves the window open.
  WriteSettings({"CalWallUse=2"}, {});
  view_ = RecordingView();
  RunCycle& attended = Start("-E");
  attended.FormActivate();
  EXPECT_EQ(view_.close_requests, 0);
  EXPECT_FALSE(attended.Failed());
}

// A malformed line of the schedule file stops the automatic run with a
// message that names the file and the line's number in it.
TEST_F(RunCycleTest, AMalformedScheduleLineIsNamedWithItsFileAndLineNumber) {
  WriteSettings({"CalSchedul=4", "CalWallUse=0"});
  testing::WriteBytes(folder_ / "MURVA32.SCH",
                      "26/12/01 00 1 ok\r\n26/12/02 00 1 ok too\r\nxx/12/24 00 1 bad\r\n");
  Start("-E").FormActivate();
  ASSERT_FALSE(view_.messages.empty());
  const std::string& message = view_.messages.back();
  EXPECT_EQ(message.rfind("'xx' は整数ではありません\r", 0), 0u) << message;
  EXPECT_NE(message.find((folder_ / "MURVA32.SCH").string() + " の 3 行目"), std::string::npos)
      << message;
  EXPECT_NE(message.find("xx/12/24 00 1 bad"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
}

TEST(TitleHelp, LinesJoinedByCarriageReturnsWithAnEmptyLineAfterTheSecond) {
  const std::string help = text::TitleHelpText();
  EXPECT_EQ(help.rfind("■タイトルのフォント色について■\r", 0), 0u);
  EXPECT_NE(help.find("ダイアログで選択します\r\r■置き換え文字マクロの一覧■\r"), std::string::npos);
  // Linux wording: $os prints the kernel's name, and the colour dialog is
  // named by the title it really has.
  EXPECT_EQ(help.find("Windows"), std::string::npos);
  EXPECT_NE(help.find("$os = OSの名前と版"), std::string::npos);
  EXPECT_NE(help.find(std::string("『") + text::kColorDialogTitle + "』ダイアログ"), std::string::npos);
}


// The leftmost column holding a pixel of the weekday colour (white): where
// the calendar begins.
int LeftmostWhite(const QImage& picture) {
  for (int x = 0; x < picture.width(); ++x) {
    for (int y = 0; y < picture.height(); ++y) {
      if (picture.pixel(x, y) == qRgb(255, 255, 255)) return x;
    }
  }
  return -1;
}

Monitor TestMonitor(std::string name, MonitorRect desktop, bool primary) {
  return MakeMonitor(std::move(name), desktop, desktop.width, desktop.height, 1.0, primary);
}

// Two monitors of different sizes: each gets a picture of its own size; a
// calendar placed near the right edge of the screen it was placed on stays
// as near the right edge of the smaller monitor; a monitor given a page of
// its own shows that page; the settings keep the positions as placed.
TEST_F(RunCycleTest, EveryMonitorGetsAPictureOfItsOwnSizeAndPage) {
  monitors_ = {TestMonitor("DP-1", {0, 0, 1920, 1080}, true),
               TestMonitor("HDMI-A-1", {1920, 0, 1280, 1024}, false)};
  const std::vector<std::string> placed = {"CalendTile=1", "CalendWX11=1400", "CalendWY11=100",
                                           "PosScrnW1=1920", "PosScrnH1=1080", "PosScale1=100"};
  WriteSettings(placed, {1, 2});
  RunCycle& cycle = Start("-E");
  cycle.FormActivate();
  ASSERT_FALSE(cycle.Failed()) << cycle.FailureReason();
  ASSERT_EQ(installer_.monitor_wallpapers.size(), 2u);
  const MonitorWallpaper& big = installer_.monitor_wallpapers[0];
  const MonitorWallpaper& small = installer_.monitor_wallpapers[1];
  EXPECT_EQ(big.file, folder_ / "MURVA00.BMP");
  EXPECT_EQ(small.file, folder_ / "MURVA00-HDMI-A-1.BMP");
  EXPECT_EQ(big.pixels.size(), QSize(1920, 1080));
  EXPECT_EQ(small.pixels.size(), QSize(1280, 1024));
  EXPECT_EQ(QImage(QString::fromStdString(small.file.string())).size(), QSize(1280, 1024));
  EXPECT_NEAR(LeftmostWhite(big.pixels), 1400, 2);
  EXPECT_NEAR(LeftmostWhite(small.pixels), 1280 - (1920 - 1400), 2);
  EXPECT_NE(Ini().find("CalendWX11=1400"), std::string::npos);
  EXPECT_NE(Ini().find("CalMakeDay=2026/12/06"), std::string::npos);

  // The smaller monitor with a page of its own: page 2, with page 2's
  // positions (the defaults: top left).
  std::vector<std::string> own_page = placed;
  own_page.insert(own_page.end(), {"MonitNam1=HDMI-A-1", "MonitPag1=2"});
  WriteSettings(own_page, {1, 2});
  installer_ = FakeInstaller();
  Start("-E").FormActivate();
  ASSERT_EQ(installer_.monitor_wallpapers.size(), 2u);
  EXPECT_NEAR(LeftmostWhite(installer_.monitor_wallpapers[1].pixels), 0, 2);
  EXPECT_NE(Ini().find("CalWalUsed=1"), std::string::npos);
}

}  // namespace
}  // namespace murva
