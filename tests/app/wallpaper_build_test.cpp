#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "app/wallpaper_build.h"
#include "app/wallpaper_canvas.h"
#include "app_test_support.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"

namespace murva {
namespace {

using testing::FakeInstaller;
using testing::FakeLauncher;
using testing::QuadrantPicture;
using testing::ReadBytes;
using testing::SavePicture;
using testing::ScriptedRandom;
using testing::TempFolder;

struct HostRecord : BuildHost {
  std::vector<std::string> messages;
  int close_actions = 0;
  void Repaint() override {}
  void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }
  void CloseButtonAction() override { ++close_actions; }
};

// The header fields of a BMP file.
struct BmpHeader {
  char magic[2];
  std::uint32_t file_size, pixel_offset, header_size;
  std::int32_t width, height;
  std::uint16_t planes, bits;
  std::uint32_t compression;
};

BmpHeader ReadHeader(const std::string& bytes) {
  BmpHeader header{};
  if (bytes.size() < 54) return header;
  std::memcpy(header.magic, bytes.data(), 2);
  std::memcpy(&header.file_size, bytes.data() + 2, 4);
  std::memcpy(&header.pixel_offset, bytes.data() + 10, 4);
  std::memcpy(&header.header_size, bytes.data() + 14, 4);
  std::memcpy(&header.width, bytes.data() + 18, 4);
  std::memcpy(&header.height, bytes.data() + 22, 4);
  std::memcpy(&header.planes, bytes.data() + 26, 2);
  std::memcpy(&header.bits, bytes.data() + 28, 2);
  std::memcpy(&header.compression, bytes.data() + 30, 4);
  return header;
}

class WallpaperBuildTest : public ::testing::Test {
 protected:
  WallpaperBuildTest() : store_(folder_ / "MURVA32.INI") {
    engine_ = MakeCalendarEx1(clock_);
    engine_->Today();
    // Keep the drawn calendar away from the pixels the tests look at.
    copy_.layout.calendar_x = 300;
    copy_.layout.calendar_y = 300;
    copy_.tile = true;
  }

  std::optional<std::filesystem::path> Build() {
    const BuildInputs inputs{copy_,  store_,  *engine_,   schedules_,      today_,
                             clock_, random_, &installer_, ScreenSize{1024, 768}, folder_.Path()};
    return BuildWallpaper(inputs, host_);
  }

  void UseBackground(const QImage& picture, const std::string& name = "back.bmp",
                     const char* format = "BMP") {
    const auto path = folder_ / "pictures" / name;
    SavePicture(picture, path, format);
    copy_.pages[0].path = path.string();
  }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 9, 0, 0}};
  TodayFields today_ = TodayFields::Of(2026, 12, 7);
  ScriptedRandom random_;
  FakeInstaller installer_;
  SettingsStore store_;
  WorkingCopy copy_;
  std::unique_ptr<TCalendarEx> engine_;
  ScheduleList schedules_;
  HostRecord host_;
};

TEST_F(WallpaperBuildTest, SmallPictureIsTiledToTheScreenBesideTheBackground) {
  UseBackground(QuadrantPicture(640, 480));
  const auto output = Build();
  ASSERT_TRUE(output.has_value());
  EXPECT_EQ(*output, folder_ / "pictures" / "MURVA00.BMP");
  const std::string bytes = ReadBytes(*output);
  const BmpHeader header = ReadHeader(bytes);
  EXPECT_EQ(std::string(header.magic, 2), "BM");
  EXPECT_EQ(header.width, 1024);
  EXPECT_EQ(header.height, 768);
  EXPECT_EQ(header.bits, 24);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.file_size, bytes.size());

  const QImage written(QString::fromStdString(output->string()));
  const QRgb marker = qRgb(255, 0, 255);
  // Two by two tiles: the corner marker at each tile's origin, the right and
  // bottom tiles cut.
  EXPECT_EQ(written.pixel(0, 0), marker);
  EXPECT_EQ(written.pixel(640, 0), marker);
  EXPECT_EQ(written.pixel(0, 480), marker);
  EXPECT_EQ(written.pixel(640, 480), marker);
  EXPECT_EQ(written.pixel(1023, 767), qRgb(200, 180, 90));  // (383, 287) of the tile
  EXPECT_EQ(written.pixel(639, 10), qRgb(200, 60, 90));
  // The page used is recorded and the wallpaper installed.
  EXPECT_NE(ReadBytes(folder_ / "MURVA32.INI").find("CalWalUsed=1\r\n"), std::string::npos);
  ASSERT_EQ(installer_.installed.size(), 1u);
  EXPECT_EQ(installer_.installed[0], *output);
}

TEST_F(WallpaperBuildTest, WidePictureIsTiledBecauseItIsTooLow) {
  UseBackground(QuadrantPicture(2000, 500));
  const QImage written(QString::fromStdString(Build()->string()));
  EXPECT_EQ(written.size(), QSize(1024, 768));
  EXPECT_EQ(written.pixel(0, 500), qRgb(255, 0, 255));
}

// The picture always has the screen's size, so that the desktop shows it 1:1
// and never crops the calendar away: without tiling, centred on black (a
// larger picture cut equally on both sides); with tiling, cut at the right
// and bottom.
TEST_F(WallpaperBuildTest, ThePictureTakesTheScreensSizeCentredOrTiled) {
  struct Case {
    const char* what;
    bool tile;
    QSize picture;
    QPoint probe;   // a written pixel
    QRgb expected;  // its colour
  };
  const Case cases[] = {
      {"small, centred: black around it", false, {640, 480}, {1000, 700}, qRgb(0, 0, 0)},
      {"small, centred: its lower right", false, {640, 480}, {800, 600}, qRgb(200, 180, 90)},
      {"large, centred: cut on both sides", false, {2048, 1536}, {1000, 700}, qRgb(200, 180, 90)},
      {"large, centred: its upper right", false, {2048, 1536}, {900, 100}, qRgb(200, 60, 90)},
      {"large, tiled: cut at right and bottom", true, {2048, 1536}, {1000, 700}, qRgb(40, 60, 90)},
  };
  for (const Case& c : cases) {
    copy_.tile = c.tile;
    UseBackground(QuadrantPicture(c.picture.width(), c.picture.height()));
    const QImage written(QString::fromStdString(Build()->string()));
    EXPECT_EQ(written.size(), QSize(1024, 768)) << c.what;
    EXPECT_EQ(written.pixel(c.probe), c.expected) << c.what;
  }
}

TEST_F(WallpaperBuildTest, OutputFolderRule) {
  UseBackground(QuadrantPicture(1024, 768));
  copy_.output_folder = 1;
  EXPECT_EQ(*Build(), folder_ / "MURVA00.BMP");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "pictures" / "MURVA00.BMP"));
}

TEST_F(WallpaperBuildTest, MakeOnlyWritesButDoesNotInstall) {
  UseBackground(QuadrantPicture(1024, 768));
  copy_.make_only = true;
  ASSERT_TRUE(Build().has_value());
  EXPECT_TRUE(installer_.installed.empty());
  EXPECT_NE(ReadBytes(folder_ / "MURVA32.INI").find("CalWalUsed=1"), std::string::npos);
}

TEST_F(WallpaperBuildTest, FailedInstallationDoesNotFailTheBuild) {
  UseBackground(QuadrantPicture(1024, 768));
  installer_.succeed = false;
  EXPECT_TRUE(Build().has_value());
}

TEST_F(WallpaperBuildTest, MissingBackgroundShowsItsMessageAndTakesTheCloseAction) {
  copy_.pages[0].path = (folder_ / "nothere.bmp").string();
  EXPECT_FALSE(Build().has_value());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], "指定された壁紙 [ " + (folder_ / "nothere.bmp").string() + " ] がありません");
  EXPECT_EQ(host_.close_actions, 1);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA32.INI"));
}

TEST_F(WallpaperBuildTest, DamagedPictureRaisesAndWritesNothing) {
  testing::WriteBytes(folder_ / "pictures" / "broken.bmp", "BM\x10\x00 definitely not a bitmap");
  copy_.pages[0].path = (folder_ / "pictures" / "broken.bmp").string();
  EXPECT_THROW(Build(), std::exception);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "pictures" / "MURVA00.BMP"));
  EXPECT_TRUE(installer_.installed.empty());
}

TEST_F(WallpaperBuildTest, UnwritableOutputRaisesAndKeepsTheOldFile) {
  UseBackground(QuadrantPicture(1024, 768));
  copy_.output_folder = 1;
  // A regular file where the output's folder should be.
  const auto blocked = folder_ / "blocked";
  testing::WriteBytes(blocked, "x");
  const BuildInputs inputs{copy_,  store_,  *engine_,   schedules_,      today_,
                           clock_, random_, &installer_, ScreenSize{1024, 768}, blocked};
  EXPECT_THROW(BuildWallpaper(inputs, host_), std::exception);
  EXPECT_TRUE(installer_.installed.empty());
}

TEST_F(WallpaperBuildTest, SizeFirstOptionWritesEightBitsWithThePalette) {
  UseBackground(QuadrantPicture(1024, 768));
  copy_.color_256 = 2;
  const std::string bytes = ReadBytes(*Build());
  const BmpHeader header = ReadHeader(bytes);
  EXPECT_EQ(header.bits, 8);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.pixel_offset, 14u + header.header_size + 256u * 4u);
}

TEST_F(WallpaperBuildTest, TextColourOptionAcceptsOnlyBmp) {
  UseBackground(QuadrantPicture(1024, 768), "back.png", "PNG");
  copy_.color_256 = 1;
  EXPECT_THROW(Build(), std::exception);
  UseBackground(QuadrantPicture(1024, 768), "back.bmp", "BMP");
  const BmpHeader header = ReadHeader(ReadBytes(*Build()));
  EXPECT_EQ(header.bits, 24);
}

TEST_F(WallpaperBuildTest, EightBitBackgroundKeepsItsPaletteWithoutTiling) {
  QImage indexed = QuadrantPicture(1024, 768).convertToFormat(QImage::Format_Indexed8);
  UseBackground(indexed);
  const BmpHeader header = ReadHeader(ReadBytes(*Build()));
  // A palette picture stays one (a picture of few colours may use 4 bits).
  EXPECT_LE(header.bits, 8);
  EXPECT_GT(header.pixel_offset, 14u + header.header_size);
}

// The installer is handed the picture in memory, pixel for pixel what the
// file holds, also when the output keeps a palette.
TEST_F(WallpaperBuildTest, TheInstallerGetsThePictureTheFileHolds) {
  for (const int color_256 : {0, 2}) {
    SCOPED_TRACE(color_256);
    UseBackground(QuadrantPicture(640, 480));
    copy_.color_256 = color_256;
    installer_.pixels_in_memory.clear();
    const std::optional<std::filesystem::path> output = Build();
    ASSERT_TRUE(output);
    ASSERT_EQ(installer_.pixels_in_memory.size(), 1u);
    const QImage written(QString::fromStdString(output->string()));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(installer_.pixels_in_memory[0].convertToFormat(QImage::Format_RGB32),
              written.convertToFormat(QImage::Format_RGB32));
  }
}

TEST(SpecialDay, TodayIsFoundByMonthAndDayInTheSpecialList) {
  FixedClock clock({2026, 5, 3, 0, 0, 0});
  auto engine = MakeCalendarEx1(clock);
  DayGrid grid;
  grid[4] = {"3"};
  LoadSpecialDayLines(*engine, grid, 2026, 5);
  EXPECT_TRUE(IsSpecialDayToday(*engine, TodayFields::Of(2026, 5, 3)));
  EXPECT_FALSE(IsSpecialDayToday(*engine, TodayFields::Of(2026, 5, 4)));
  EXPECT_FALSE(IsSpecialDayToday(*engine, TodayFields::Of(2026, 6, 3)));
  engine->ClearSpecialDayList();
  EXPECT_FALSE(IsSpecialDayToday(*engine, TodayFields::Of(2026, 5, 3)));
}

TEST(SpecialDay, ProgramStartsOnlyWhenEveryConditionHolds) {
  FixedClock clock({2026, 5, 3, 0, 0, 0});
  auto engine = MakeCalendarEx1(clock);
  DayGrid grid;
  grid[4] = {"3"};
  LoadSpecialDayLines(*engine, grid, 2026, 5);
  WorkingCopy copy;
  copy.use_special_program = true;
  copy.special_program = "\"/opt/My Tools/party\" x";
  const TodayFields today = TodayFields::Of(2026, 5, 3);
  FakeLauncher launcher;

  LaunchSpecialProgram(copy, *engine, today, /*built_today=*/true, /*test_run=*/false, launcher);
  EXPECT_TRUE(launcher.started.empty());
  LaunchSpecialProgram(copy, *engine, TodayFields::Of(2026, 5, 4), false, false, launcher);
  EXPECT_TRUE(launcher.started.empty());
  copy.use_special_program = false;
  LaunchSpecialProgram(copy, *engine, today, false, false, launcher);
  EXPECT_TRUE(launcher.started.empty());
  copy.use_special_program = true;
  LaunchSpecialProgram(copy, *engine, today, true, /*test_run=*/true, launcher);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].second, "/opt/My Tools");

  launcher.result = EACCES;
  try {
    LaunchSpecialProgram(copy, *engine, today, false, false, launcher);
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_EQ(std::string(error.what()),
              "ＭＵＲＶＡ３２：特別日登録プログラムの起動エラー : " + std::to_string(EACCES));
  }
}

TEST(WallpaperCanvas, HalftonePaletteHasTheCubeAndTheSystemColours) {
  const QVector<QRgb>& palette = HalftonePalette();
  ASSERT_EQ(palette.size(), 256);
  for (QRgb color : {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(51, 102, 153),
                     qRgb(192, 192, 192), qRgb(128, 128, 128)}) {
    EXPECT_TRUE(palette.contains(color)) << std::hex << color;
  }
}

TEST(WallpaperCanvas, TilingAnEmptyCanvasChangesNothing) {
  WallpaperCanvas canvas;
  TileBackground(canvas, ScreenSize{100, 100}, false);
  EXPECT_TRUE(canvas.IsEmpty());
}

}  // namespace
}  // namespace murva
