// Entries typed into the schedule page reach the schedule file byte for byte
// as the Windows program writes it, come back after a restart, and are drawn
// on the wallpaper by an automatic run of the real program.
#include <QImage>
#include <set>

#include "e2e/program_runner.h"
#include "schedule_page_fixture.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

using Lines = std::vector<std::string>;

class ScheduleRoundTrip : public testing::SchedulePageTest {
 protected:
  void SetUp() override {
    QImage background(1024, 768, QImage::Format_RGB32);
    background.fill(qRgb(20, 60, 30));
    background_ = folder_ / "pictures" / "back.bmp";
    std::filesystem::create_directories(background_.parent_path());
    ASSERT_TRUE(background.save(QString::fromStdString(background_.string()), "BMP"));
    // Schedules in the lower right, in a large font, away from the calendar.
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
                        "EditPathW1=" +
                            background_.string() +
                            "\r\nCalenAlWay=1\r\n"
                            "SchFntSize=16\r\nSchdulWX11=520\r\nSchdulWY11=400\r\n");
  }

  // The rows of the schedule area that hold pixels of exactly this colour.
  static std::set<int> RowsOf(const QImage& image, QRgb color) {
    std::set<int> rows;
    for (int y = 400; y < image.height(); ++y) {
      for (int x = 520; x < image.width(); ++x) {
        if (image.pixel(x, y) == color) rows.insert(y);
      }
    }
    return rows;
  }

  std::filesystem::path background_;
};

TEST_F(ScheduleRoundTrip, WindowToFileToRestartToWallpaper) {
  clock_.Set({2026, 5, 3, 8, 0, 0});  // a Sunday
  Open();
  Type("26", "5", "5", "子供の日", "Red");
  Add();
  Type("@@", "@@", "W2", "燃えるゴミ", "Blue");
  Add();
  Type("@@", "05", "10", "母の日");
  Add();
  Find<QComboBox>("ComboBoxSch")->setCurrentIndex(4);     // すべてを表示する
  Find<QComboBox>("ComboBoxBefore")->setCurrentIndex(5);  // ５日前から表示
  Find<QPushButton>("SpeedButtonSaveSch")->click();
  ASSERT_TRUE(dialogs_.messages.empty()) << dialogs_.messages.front();

  // CP932, CR LF, sorted, nothing else.
  const std::string expected =
      "26/05/05 00 1 \x8e\x71\x8b\x9f\x82\xcc\x93\xfa%Red%\r\n"
      "@@/05/10 00 2 \x95\xea\x82\xcc\x93\xfa\r\n"
      "@@/@@/W2 00 4 \x94\x52\x82\xa6\x82\xe9\x83\x53\x83\x7e%Blue%\r\n";
  EXPECT_EQ(ScheduleFile(), expected);

  // A restart shows the same entries and settings.
  Open();
  EXPECT_EQ(ListTexts(), (Lines{"26/05/05 00 1 子供の日%Red%", "@@/05/10 00 2 母の日",
                                "@@/@@/W2 00 4 燃えるゴミ%Blue%"}));
  EXPECT_EQ(Find<QComboBox>("ComboBoxSch")->currentIndex(), 4);
  form_.reset();

  // The automatic run draws them: the weekly entry on Monday 4 May in blue,
  // Children's Day on 5 May in red, Mother's Day (this year's and next
  // year's) in the schedule colour, white.
  testing::XvfbServer server("1024x768x24");
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  testing::ProgramRunner runner(folder_.Path(), server.Display(), "2026-05-03 08:00:00");
  const testing::RunResult run = runner.Run({"-E"});
  ASSERT_FALSE(run.timed_out) << run.errors;
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(ScheduleFile(), expected);  // the run only reads it

  const QImage wallpaper(QString::fromStdString((folder_ / "pictures" / "MURVA00.BMP").string()));
  ASSERT_EQ(wallpaper.size(), QSize(1024, 768));
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  wallpaper.copy(500, 380, 524, 388)
      .save(QString(MURVA_TEST_ARTEFACT_DIR) + "/schedule-round-trip.png");
  const std::set<int> blue = RowsOf(wallpaper, qRgb(0, 0, 255));
  const std::set<int> red = RowsOf(wallpaper, qRgb(255, 0, 0));
  const std::set<int> white = RowsOf(wallpaper, qRgb(255, 255, 255));
  ASSERT_FALSE(blue.empty());
  ASSERT_FALSE(red.empty());
  ASSERT_FALSE(white.empty());
  EXPECT_LT(*blue.rbegin(), *red.begin());
  EXPECT_LT(*red.rbegin(), *white.begin());
}

}  // namespace
}  // namespace murva
