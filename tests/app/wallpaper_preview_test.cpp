#include <gtest/gtest.h>

#include <QImage>
#include <map>
#include <thread>

#include "app/background_cache.h"
#include "app/background_file.h"
#include "app/tile_explanation.h"
#include "app/wallpaper_build.h"
#include "app/wallpaper_preview.h"
#include "app_test_support.h"
#include "calendar/calendar_ex1.h"
#include "calendar/julius.h"
#include "settings/cp932.h"

namespace murva {
namespace {

using testing::QuadrantPicture;
using testing::SavePicture;
using testing::TempFolder;

// Every file under a folder with its bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = testing::ReadBytes(entry.path());
  }
  return files;
}

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
    background_ = folder_ / "pictures" / "back.bmp";
    SavePicture(QuadrantPicture(800, 600), background_, "BMP");
    scene_.copy.pages[0].path = background_.string();
    scene_.copy.calendar_style = 1;  // box form
    scene_.copy.period = 2;          // last, this and next month
    scene_.copy.layout.calendar_x = 500;
    scene_.copy.layout.calendar_y = 40;
    scene_.copy.layout.schedule_x = 60;
    scene_.copy.layout.schedule_y = 420;
    scene_.copy.schedule_range = 4;  // every entry
    scene_.copy.titles_on = true;
    scene_.copy.titles[0].text = "$yyyy年$mm月";
    scene_.copy.title_x = 30;
    scene_.copy.title_y = 20;
    scene_.today = TodayFields::Of(2026, 12, 7);
    scene_.clock = &clock_;
    scene_.screen = {1024, 768};
    scene_.program_folder = folder_.Path();
    const auto engine = MakeCalendarEx1(clock_);
    scene_.holiday_lines = engine->HolidayList();
    scene_.special_day_lines = engine->SpecialDayList();
    testing::WriteBytes(folder_ / "MURVA32.SCH",
                        *EncodeCp932("26/12/09 00 1 会議%Red%\r\n@@/@@/W5 00 4 ゴミの日\r\n"));
  }

  // The same page composed as a build composes it.
  WallpaperCanvas Composed() {
    const auto engine = MakeCalendarEx1(clock_);
    engine->SetHolidayList(scene_.holiday_lines);
    engine->SetSpecialDayList(scene_.special_day_lines);
    const SettingsStore store(folder_ / "MURVA32.INI");
    ScheduleList entries;
    SeededRandom random(scene_.random_seed);
    SilentBuildHost host;
    const BuildInputs inputs{scene_.copy, store,   *engine,       entries,           scene_.today,
                             clock_,      random,  nullptr,       scene_.screen,     folder_.Path()};
    return ComposeWallpaper(inputs, background_, host);
  }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 9, 0, 0}};
  std::filesystem::path background_;
  PreviewScene scene_;
};

TEST_F(PreviewTest, PictureIsTheComposedBuildScaledAndTellsWhereTheBlocksLand) {
  BackgroundCache cache;
  const PreviewPicture picture = DrawPreview(scene_, cache.Get(background_, 0), QSize(400, 400));
  const WallpaperCanvas composed = Composed();
  // Tiled to the screen, as the build does, then scaled to fit its width.
  EXPECT_EQ(picture.wallpaper_size, QSize(1024, 768));
  EXPECT_EQ(picture.image.size(), QSize(400, 300));
  EXPECT_TRUE(picture.image == ScaleForPreview(composed, QSize(400, 400)));
  EXPECT_DOUBLE_EQ(picture.ScaleX(), 400.0 / 1024);
  // The calendar block starts at its position; the schedule list at its own.
  EXPECT_NEAR(picture.calendar_area.left(), 500, 30);
  EXPECT_NEAR(picture.calendar_area.top(), 40, 30);
  EXPECT_GT(picture.calendar_area.width(), 100);
  EXPECT_NEAR(picture.schedule_area.left(), 60, 20);
  EXPECT_EQ(picture.schedule_area.top(), 420);
  EXPECT_GT(picture.schedule_area.height(), 20);
  EXPECT_EQ(picture.layout.calendar_x, 500);
}

TEST_F(PreviewTest, DrawingTouchesNoFileAndShowsNoMessage) {
  scene_.copy.calendar_style = 2;  // biorhythm without a birthday: the drawing complains
  scene_.copy.make_only = false;
  const auto before = Files(folder_.Path());
  BackgroundCache cache;
  const PreviewPicture picture = DrawPreview(scene_, cache.Get(background_, 0), QSize(200, 150));
  EXPECT_FALSE(picture.IsNull());
  EXPECT_FALSE(picture.messages.empty());
  EXPECT_EQ(Files(folder_.Path()), before);
}

TEST_F(PreviewTest, PreviewsDrawnSideBySideOnThreadsAgree) {
  BackgroundCache cache;
  const WallpaperCanvas background = cache.Get(background_, 0);
  PreviewPicture first, second;
  std::thread one([&] { first = DrawPreview(scene_, background, QSize(300, 300)); });
  std::thread two([&] { second = DrawPreview(scene_, background, QSize(300, 300)); });
  one.join();
  two.join();
  EXPECT_TRUE(first.image == second.image);
  EXPECT_TRUE(first.image == DrawPreview(scene_, background, QSize(300, 300)).image);
}

TEST_F(PreviewTest, BackgroundIsReadOncePerFileStateAndOption) {
  BackgroundCache cache;
  const QImage first = cache.Get(background_, 0).image;
  cache.Get(background_, 0);
  cache.Get(background_, 0);
  EXPECT_EQ(cache.Reads(), 1);
  cache.Get(background_, 2);  // another 256-colour option
  EXPECT_EQ(cache.Reads(), 2);
  cache.Get(background_, 0);  // still kept
  EXPECT_EQ(cache.Reads(), 2);
  // The file changes on disk: read again.
  SavePicture(QuadrantPicture(640, 480), background_, "BMP");
  std::filesystem::last_write_time(background_, std::filesystem::file_time_type::clock::now() +
                                                    std::chrono::seconds(5));
  EXPECT_EQ(cache.Get(background_, 0).image.size(), QSize(640, 480));
  EXPECT_EQ(cache.Reads(), 3);
  EXPECT_NE(first.size(), QSize(640, 480));
}

TEST_F(PreviewTest, UnreadableBackgroundIsRememberedAndNamed) {
  const auto broken = folder_ / "pictures" / "broken.bmp";
  testing::WriteBytes(broken, "BM\x10\x00 definitely not a bitmap");
  const auto unknown = folder_ / "pictures" / "photo.xyz";
  testing::WriteBytes(unknown, "whatever");
  BackgroundCache cache;
  for (const auto& [path, reader_text] :
       std::vector<std::pair<std::filesystem::path, std::string>>{
           {broken, ""}, {unknown, "拡張子 .xyz の画像形式は処理できません"}}) {
    std::string message;
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        cache.Get(path, 0);
        ADD_FAILURE() << path;
      } catch (const std::exception& error) {
        message = error.what();
      }
    }
    // The reader's text exactly, then the file on a line of its own.
    const std::string tail = "\r" + path.string();
    ASSERT_GT(message.size(), tail.size()) << message;
    EXPECT_EQ(message.substr(message.size() - tail.size()), tail);
    if (!reader_text.empty()) {
      EXPECT_EQ(message, reader_text + tail);
    }
  }
  EXPECT_EQ(cache.Reads(), 2);
}

TEST(BackgroundMessages, MissingFileKeepsTheSystemTextAndExplainsAnEmptyPath) {
  EXPECT_EQ(MissingWallpaperText("/p/a.bmp", 3), "指定された壁紙 [ /p/a.bmp ] がありません");
  EXPECT_EQ(MissingWallpaperText("", 3),
            "指定された壁紙 [  ] がありません\r「壁紙 ３」には壁紙のファイルが設定されていません．"
            "「壁紙(R)」ボタンで選んでください．");
}

TEST(TileExplanation, KeepsTheFirstSentenceAndGivesTheStepsOfTheDesktop) {
  const std::vector<std::pair<DesktopKind, std::string>> cases = {
      {DesktopKind::kGnome, "gnome-tweaks"},
      {DesktopKind::kCinnamon, "「システム設定」→「背景」"},
      {DesktopKind::kMate, "「デスクトップの背景を変更」"},
      {DesktopKind::kXfce, "[背景] タブの [スタイル]"},
      {DesktopKind::kPlasma, "「デスクトップと壁紙を設定」"},
      {DesktopKind::kLxqt, "[壁紙モード]"},
      {DesktopKind::kSway, "画面と同じ大きさ"},
      {DesktopKind::kX11Root, "画面の中央に原寸"},
      {DesktopKind::kUnknown, "表示位置を [中央]"},
  };
  for (const auto& [desktop, step] : cases) {
    const std::string text = TileOffExplanation(desktop);
    EXPECT_EQ(text.rfind("画面サイズより小さな壁紙でもタイルパターン表示にしません。", 0), 0u);
    EXPECT_NE(text.find(step), std::string::npos) << DesktopName(desktop);
    EXPECT_EQ(text.find("画面のプロパティ"), std::string::npos);
  }
}

// A block dragged past the wallpaper's edge stops with a part of it that
// can be picked up still on the wallpaper.
TEST(KeepGrabbable, ABlockStopsWithAPartToGrabOnThePicture) {
  const QSize wallpaper(1000, 800);
  const QSize grab(40, 30);
  // Drawn at (100, 50): the block covers 90..389 across, 50..249 down.
  const QRect area(90, 50, 300, 200);
  const QPoint drawn(100, 50);
  const struct {
    QPoint wanted;
    QPoint kept;
  } cases[] = {
      {{300, 200}, {300, 200}},     // inside: as wanted
      {{5000, 200}, {1000 - 40 - 90 + 100, 200}},
      {{300, 9000}, {300, 800 - 30}},
      {{9000, 9000}, {970, 770}},
      {{-9000, -9000}, {100 + 40 - 390, 50 + 30 - 250}},
  };
  for (const auto& c : cases) {
    const QPoint kept = KeepGrabbable(area, drawn, c.wanted, wallpaper, grab);
    EXPECT_EQ(kept, c.kept) << c.wanted.x() << "," << c.wanted.y();
    const QRect moved = area.translated(kept - drawn);
    const QRect visible = moved.intersected(QRect(QPoint(0, 0), wallpaper));
    EXPECT_GE(visible.width(), grab.width());
    EXPECT_GE(visible.height(), grab.height());
  }
  // A block smaller than the grip stays whole on the picture.
  const QPoint small = KeepGrabbable(QRect(0, 0, 10, 10), {0, 0}, {5000, 5000}, wallpaper, grab);
  EXPECT_EQ(small, QPoint(990, 790));
}

}  // namespace
}  // namespace murva
