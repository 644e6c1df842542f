// The month calendar control on the offscreen platform: what it paints for
// the engine it shows (header row, day colours, the inverted current date,
// neighbour days, the rokuyo strip), how it follows the engine's changes and
// its own size, and how keys and clicks move the engine's date.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>
#include <string>
#include <vector>

#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/julius.h"
#include "calendar/old_calendar.h"
#include "ui/calendar_widget.h"

namespace murva {
namespace {

// Client area used by most tests: 7 columns of 32 pixels, and for
// November 2005 (Monday first) 6 rows of 28 pixels.
constexpr int kClientWidth = 224;
constexpr int kClientHeight = 168;

QRgb Rgb(Color color) {
  return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
              static_cast<int>((color >> 16) & 0xFF));
}

int CountPixels(const QImage& image, const QRect& rect, QRgb color) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++count;
    }
  }
  return count;
}

// Pixels clearly darker than the background (text drawn in black).
int CountDarkPixels(const QImage& image, const QRect& rect) {
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++count;
    }
  }
  return count;
}

class CalendarWidgetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QApplication::instance() == nullptr) {
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      static int argc = 1;
      static char name[] = "ui_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);  // lives as long as the test program
    }
  }

  void SetUp() override { SetClientSize(kClientWidth, kClientHeight); }

  void SetClientSize(int width, int height) {
    const int frame = 2 * widget_->frameWidth();
    widget_->resize(width + frame, height + frame);
    // A hidden control gets no resize event; bringing its bitmap up to date
    // hands the engine the new size.
    (void)widget_->ClientImage();
  }

  // The whole control as it paints itself, edge included.
  QImage Shot() { return widget_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // A cell's rectangle in control coordinates.
  QRect CellRect(int col, int row) const {
    const murva::CellRect cell = engine_->CellRectOf(col, row);
    return QRect(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top)
        .translated(widget_->ClientRect().topLeft());
  }

  // The cell that shows a day of the current grid.
  QRect DayCell(std::int32_t year, int month, int day) const {
    const int offset = DateToJulius(year, month, day) - engine_->FirstCellJulius();
    return CellRect(offset % 7, offset / 7 + 1);
  }

  void GoTo(std::int32_t year, int month, int day) {
    engine_->SetJuliusDay(DateToJulius(year, month, day));
  }

  bool SendKey(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    press.setAccepted(false);
    QApplication::sendEvent(widget_.get(), &press);
    return press.isAccepted();
  }

  void Click(const QPoint& point) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), QPointF(point), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget_.get(), &press);
  }

  std::int32_t Julius(std::int32_t year, int month, int day) const {
    return DateToJulius(year, month, day);
  }

  // Thursday 10 November 2005: the 1st is a Tuesday, the grid (Monday first)
  // runs from Monday 31 October to Sunday 4 December.
  FixedClock clock_{LocalDateTime{2005, 11, 10, 12, 0, 0}};
  std::unique_ptr<TCalendarEx> engine_ = MakeCalendarEx1(clock_);
  std::unique_ptr<TCalendarWidget> widget_ = std::make_unique<TCalendarWidget>(*engine_);
};

// --- painting ---------------------------------------------------------------------

TEST_F(CalendarWidgetTest, GivesTheEngineItsClientArea) {
  (void)Shot();
  EXPECT_EQ(engine_->ClientWidth(), kClientWidth);
  EXPECT_EQ(engine_->ClientHeight(), kClientHeight);
  EXPECT_EQ(engine_->RowCount(), 6);
  const QImage client = widget_->ClientImage();
  EXPECT_EQ(client.size(), QSize(kClientWidth, kClientHeight));
}

TEST_F(CalendarWidgetTest, HeaderRowIsFilledWithTheHeaderColour) {
  const QImage image = Shot();
  for (int col = 0; col < 7; ++col) {
    const QRect cell = CellRect(col, 0);
    EXPECT_EQ(image.pixel(cell.topLeft()) & 0xFFFFFF, Rgb(kClNavy) & 0xFFFFFF) << col;
    EXPECT_EQ(image.pixel(cell.bottomRight()) & 0xFFFFFF, Rgb(kClNavy) & 0xFFFFFF) << col;
    EXPECT_GT(CountPixels(image, cell, Rgb(kClWhite)), 0) << "weekday name in column " << col;
  }
}

TEST_F(CalendarWidgetTest, HeaderColumnsFollowTheFirstDayOfWeek) {
  // Monday first: column 0 names Monday. Sunday first: column 1 does, and
  // column 0 names Sunday. Both cells are 32 by 28 pixels.
  const QImage monday_first = Shot().copy(CellRect(0, 0));
  engine_->SetFirstDayOfWeek(dowSun);
  const QImage sunday_first = Shot();
  EXPECT_EQ(monday_first, sunday_first.copy(CellRect(1, 0)));
  EXPECT_NE(monday_first, sunday_first.copy(CellRect(0, 0)));
}

TEST_F(CalendarWidgetTest, CurrentDateIsInverted) {
  const QImage image = Shot();
  const QRect today = DayCell(2005, 11, 10);
  // Filled with the weekday font's colour, its number in the background colour.
  EXPECT_EQ(image.pixel(today.topLeft()) & 0xFFFFFF, Rgb(kClBlack) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(today.bottomRight()) & 0xFFFFFF, Rgb(kClBlack) & 0xFFFFFF);
  EXPECT_GT(CountPixels(image, today, Rgb(kClWhite)), 0);
  // Another weekday: background with a black number.
  const QRect other = DayCell(2005, 11, 9);
  EXPECT_EQ(image.pixel(other.topLeft()) & 0xFFFFFF, Rgb(kClWhite) & 0xFFFFFF);
  EXPECT_GT(CountPixels(image, other, Rgb(kClBlack)), 0);
}

TEST_F(CalendarWidgetTest, InvertedHolidayIsFilledWithTheHolidayColour) {
  GoTo(2005, 11, 23);  // 勤労感謝の日
  const QImage image = Shot();
  const QRect today = DayCell(2005, 11, 23);
  EXPECT_EQ(image.pixel(today.topLeft()) & 0xFFFFFF, Rgb(kClFuchsia) & 0xFFFFFF);
  EXPECT_GT(CountPixels(image, today, Rgb(kClWhite)), 0);
}

TEST_F(CalendarWidgetTest, DaysAreDrawnInTheirDayTypeColours) {
  const QImage image = Shot();
  struct Case {
    int day;
    Color color;
  };
  const std::vector<Case> cases = {
      {3, kClFuchsia},  // 文化の日, a Thursday
      {23, kClFuchsia}, // 勤労感謝の日, a Wednesday
      {5, kClAqua},     // Saturday
      {6, kClRed},      // Sunday
      {7, kClBlack},    // Monday
  };
  for (const Case& c : cases) {
    const QRect cell = DayCell(2005, 11, c.day);
    EXPECT_GT(CountPixels(image, cell, Rgb(c.color)), 0) << "day " << c.day;
    EXPECT_EQ(image.pixel(cell.topLeft()) & 0xFFFFFF, Rgb(kClWhite) & 0xFFFFFF) << c.day;
  }
  // A holiday on a weekday is not drawn in the weekday colour.
  EXPECT_EQ(CountPixels(image, DayCell(2005, 11, 3), Rgb(kClBlack)), 0);
}

TEST_F(CalendarWidgetTest, SpecialDayTakesItsColourOverSunday) {
  engine_->SetSpecialDayList({"11,6,記念日"});
  const QImage image = Shot();
  const QRect cell = DayCell(2005, 11, 6);
  EXPECT_GT(CountPixels(image, cell, Rgb(kClLime)), 0);
  EXPECT_EQ(CountPixels(image, cell, Rgb(kClRed)), 0);
}

TEST_F(CalendarWidgetTest, NeighbourDaysStayBlankUnlessShown) {
  const QRect october_31 = CellRect(0, 1);
  const QRect december_4 = CellRect(6, 5);
  QImage image = Shot();
  EXPECT_EQ(CountPixels(image, october_31, Rgb(kClWhite)), october_31.width() * october_31.height());
  EXPECT_EQ(CountPixels(image, december_4, Rgb(kClWhite)), december_4.width() * december_4.height());

  engine_->SetShowNeighbor(true);
  image = Shot();
  // Font colour OR neighbour colour: black | silver = silver,
  // red | silver = (255, 192, 192).
  EXPECT_GT(CountPixels(image, october_31, Rgb(kClSilver)), 0);
  EXPECT_EQ(CountPixels(image, october_31, Rgb(kClBlack)), 0);
  EXPECT_GT(CountPixels(image, december_4, qRgb(255, 192, 192)), 0);
  EXPECT_EQ(CountPixels(image, december_4, Rgb(kClRed)), 0);
}

TEST_F(CalendarWidgetTest, NeighbourColourIsABitwiseOrNotABlend) {
  engine_->SetShowNeighbor(true);
  engine_->SetSundayColor(0x000080);    // red 128
  engine_->SetNeighborColor(0x004000);  // green 64
  const QImage image = Shot();
  EXPECT_GT(CountPixels(image, CellRect(6, 5), qRgb(128, 64, 0)), 0);
}

TEST_F(CalendarWidgetTest, RokuyoStripSitsUnderTheDayNumber) {
  SetClientSize(280, 240);  // rows of 40 pixels
  const std::int32_t day = Julius(2005, 11, 17);
  ASSERT_NE(JuliusToRokuyo(day), 0);
  const QRect cell = DayCell(2005, 11, 17);
  const int strip_height = engine_->Fonts().Rokuyo().PixelHeight();
  const QRect strip(cell.left(), cell.bottom() + 1 - strip_height, cell.width(), strip_height);
  const int without = CountDarkPixels(Shot(), strip);

  engine_->SetShowRokuyo(true);
  QImage image = Shot();
  EXPECT_GT(CountDarkPixels(image, strip), without + 20);
  // The current date's strip is inverted along with its number.
  const QRect today = DayCell(2005, 11, 10);
  const QRect today_strip(today.left(), today.bottom() + 1 - strip_height, today.width(),
                          strip_height);
  EXPECT_EQ(image.pixel(today_strip.bottomLeft()) & 0xFFFFFF, Rgb(kClBlack) & 0xFFFFFF);
  EXPECT_GT(CountPixels(image, today_strip, Rgb(kClWhite)), 10);
}

TEST_F(CalendarWidgetTest, FollowsEveryChangeOfTheEngine) {
  QImage image = Shot();
  const QPoint header = CellRect(3, 0).topLeft();
  const QPoint empty_cell = CellRect(0, 1).topLeft();
  ASSERT_EQ(image.pixel(header) & 0xFFFFFF, Rgb(kClNavy) & 0xFFFFFF);

  engine_->SetDayOfWeekBkColor(kClGreen);
  engine_->SetColor(0x00E0FF);  // a yellowish background
  image = Shot();
  EXPECT_EQ(image.pixel(header) & 0xFFFFFF, Rgb(kClGreen) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(empty_cell) & 0xFFFFFF, Rgb(0x00E0FF) & 0xFFFFFF);

  engine_->SetHolidayColor(kClBlue);
  image = Shot();
  EXPECT_GT(CountPixels(image, DayCell(2005, 11, 3), Rgb(kClBlue)), 0);
  EXPECT_EQ(CountPixels(image, DayCell(2005, 11, 3), Rgb(kClFuchsia)), 0);
}

TEST_F(CalendarWidgetTest, KeepsTheEngineSizedWhenShownAndResized) {
  widget_->show();
  SetClientSize(300, 210);
  QApplication::processEvents();
  EXPECT_EQ(engine_->ClientWidth(), 300);
  EXPECT_EQ(engine_->ClientHeight(), 210);
  EXPECT_EQ(widget_->ClientImage().size(), QSize(300, 210));
  widget_->hide();
}

TEST_F(CalendarWidgetTest, MalformedDayLineLeavesDayCellsBlankButPaintsTheRest) {
  engine_->AddHolidayLine("x,3,壊れた行");
  QImage image;
  ASSERT_NO_THROW(image = Shot());
  EXPECT_EQ(image.pixel(CellRect(0, 0).topLeft()) & 0xFFFFFF, Rgb(kClNavy) & 0xFFFFFF);
  const QRect today = DayCell(2005, 11, 10);
  EXPECT_EQ(CountPixels(image, today, Rgb(kClWhite)), today.width() * today.height());
}

TEST_F(CalendarWidgetTest, WithoutAnEngineTheClientAreaIsEmpty) {
  TCalendarWidget bare;
  const QImage client = bare.ClientImage();
  ASSERT_FALSE(client.isNull());
  EXPECT_EQ(CountPixels(client, client.rect(), Rgb(kClWindow)), client.width() * client.height());
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  press.setAccepted(false);
  QApplication::sendEvent(&bare, &press);
  EXPECT_FALSE(press.isAccepted());
}

// --- keys ---------------------------------------------------------------------------

TEST_F(CalendarWidgetTest, ArrowAndPageKeysMoveTheDate) {
  struct Case {
    int key;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {Qt::Key_Right, Julius(2005, 11, 11)},   {Qt::Key_Left, Julius(2005, 11, 10)},
      {Qt::Key_Down, Julius(2005, 11, 17)},    {Qt::Key_Up, Julius(2005, 11, 10)},
      {Qt::Key_PageDown, Julius(2005, 12, 10)}, {Qt::Key_PageUp, Julius(2005, 11, 10)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SendKey(c.key)) << c.key;
    EXPECT_EQ(engine_->JuliusDay(), c.expected) << c.key;
  }
}

TEST_F(CalendarWidgetTest, PageKeysLowerTheDayToTheMonthsLength) {
  GoTo(2004, 1, 31);
  SendKey(Qt::Key_PageDown);
  EXPECT_EQ(engine_->JuliusDay(), Julius(2004, 2, 29));
  GoTo(2005, 3, 31);
  SendKey(Qt::Key_PageUp);
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 2, 28));
}

TEST_F(CalendarWidgetTest, OtherKeysArePassedOn) {
  EXPECT_FALSE(SendKey(Qt::Key_A));
  EXPECT_FALSE(SendKey(Qt::Key_Home));
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 10));
}

TEST_F(CalendarWidgetTest, AKeyRepaintsTheInvertedCell) {
  (void)Shot();
  SendKey(Qt::Key_Right);
  const QImage image = Shot();
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 11).topLeft()) & 0xFFFFFF, Rgb(kClBlack) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 10).topLeft()) & 0xFFFFFF, Rgb(kClWhite) & 0xFFFFFF);
}

TEST_F(CalendarWidgetTest, EngineErrorFromAKeyIsReportedAndTheDateKept) {
  std::vector<std::string> errors;
  widget_->SetErrorHandler([&](const std::string& message) { errors.push_back(message); });
  GoTo(1582, 11, 10);  // a month back is 10 October 1582, which never existed
  EXPECT_TRUE(SendKey(Qt::Key_PageUp));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], EJuliusError().what());
  EXPECT_EQ(engine_->JuliusDay(), Julius(1582, 11, 10));
}

// --- mouse --------------------------------------------------------------------------

TEST_F(CalendarWidgetTest, ClickOnADayOfTheMonthSelectsIt) {
  (void)Shot();
  Click(DayCell(2005, 11, 17).center());
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 17));
  Click(DayCell(2005, 11, 30).topLeft());
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 30));
}

TEST_F(CalendarWidgetTest, ClickOnTheHeaderOrTheEdgeDoesNothing) {
  (void)Shot();
  Click(CellRect(4, 0).center());
  Click(QPoint(0, 0));  // the sunken edge
  Click(QPoint(widget_->width() - 1, widget_->height() - 1));
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 10));
}

TEST_F(CalendarWidgetTest, ClickOnANeighbourDayJumpsOnlyWhenAllowed) {
  (void)Shot();
  Click(CellRect(6, 5).center());  // Sunday 4 December
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 10));
  engine_->SetNeighborJump(true);
  Click(CellRect(6, 5).center());
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 12, 4));
}

TEST_F(CalendarWidgetTest, ClickUsesTheCurrentSize) {
  SetClientSize(350, 300);  // columns of 50 pixels, rows of 50
  (void)Shot();
  Click(widget_->ClientRect().topLeft() + QPoint(2 * 50 + 10, 3 * 50 + 10));
  // Row 3, column 2 of a grid from 31 October: 16 November.
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 16));
}

// --- the engine behind the control ------------------------------------------------------

TEST_F(CalendarWidgetTest, ShowsAnotherEngineWhenGivenOne) {
  FixedClock other_clock(LocalDateTime{2005, 11, 25, 0, 0, 0});
  TCalendarEx other(other_clock);
  ConfigureCalendarEx1(other);
  widget_->SetCalendar(&other);
  EXPECT_EQ(widget_->Calendar(), &other);
  QImage image = Shot();
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 25).topLeft()) & 0xFFFFFF, Rgb(kClBlack) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 10).topLeft()) & 0xFFFFFF, Rgb(kClWhite) & 0xFFFFFF);
  // The first engine no longer drives the control; the new one does.
  SendKey(Qt::Key_Right);
  EXPECT_EQ(other.JuliusDay(), Julius(2005, 11, 26));
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 10));
  engine_->NextDay();
  image = Shot();
  // Saturday 26 November, inverted in the Saturday colour.
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 26).topLeft()) & 0xFFFFFF, Rgb(kClAqua) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(DayCell(2005, 11, 11).topLeft()) & 0xFFFFFF, Rgb(kClWhite) & 0xFFFFFF);
  widget_->SetCalendar(nullptr);
}

TEST_F(CalendarWidgetTest, OwnsAnEngineWhenHandedOne) {
  auto owned = MakeCalendarEx1(clock_);
  TCalendarEx* raw = owned.get();
  TCalendarWidget widget;
  widget.SetOwnedCalendar(std::move(owned));
  EXPECT_EQ(widget.Calendar(), raw);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
  EXPECT_EQ(raw->JuliusDay(), Julius(2005, 11, 17));
  EXPECT_EQ(raw->ClientWidth(), widget.ClientRect().width());
}

TEST_F(CalendarWidgetTest, EngineOutlivesTheControl) {
  widget_.reset();
  engine_->NextDay();  // the redraw must not reach the destroyed control
  engine_->SetShowNeighbor(true);
  EXPECT_EQ(engine_->JuliusDay(), Julius(2005, 11, 11));
}

// --- names and fonts ----------------------------------------------------------------

TEST(CalendarWidgetNames, ShortWeekdayNamesInJapanese) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  const std::vector<QString> expected = {"日", "月", "火", "水", "木", "金", "土"};
  for (int weekday = 1; weekday <= 7; ++weekday) {
    EXPECT_EQ(ShortWeekdayName(weekday, japanese), expected[weekday - 1]) << weekday;
  }
  EXPECT_TRUE(ShortWeekdayName(0, japanese).isEmpty());
  EXPECT_TRUE(ShortWeekdayName(8, japanese).isEmpty());
  EXPECT_EQ(ShortWeekdayName(1, QLocale(QLocale::English, QLocale::UnitedStates)), "Sun");
}

TEST_F(CalendarWidgetTest, CalendarFontsMapToInstalledFamilies) {
  TCalExFont font;
  font.name = "ＭＳ Ｐゴシック";
  font.size = 9;
  font.style = kFontBold | kFontUnderline;
  const QFont qfont = CalendarQFont(font);
  EXPECT_EQ(qfont.family(), "IPAPGothic");
  EXPECT_EQ(qfont.pixelSize(), 12);
  EXPECT_TRUE(qfont.bold());
  EXPECT_TRUE(qfont.underline());
  EXPECT_FALSE(qfont.italic());
  EXPECT_FALSE(qfont.strikeOut());
  EXPECT_EQ(QFontInfo(qfont).family(), "IPAPGothic");

  font.name = "ＭＳ 明朝";
  font.size = 10;
  font.style = kFontItalic | kFontStrikeOut;
  const QFont mincho = CalendarQFont(font);
  EXPECT_EQ(mincho.family(), "IPAMincho");
  EXPECT_EQ(mincho.pixelSize(), 13);
  EXPECT_TRUE(mincho.italic());
  EXPECT_TRUE(mincho.strikeOut());
  EXPECT_FALSE(mincho.bold());
}

TEST_F(CalendarWidgetTest, IsAFocusableControlWithASunkenEdge) {
  EXPECT_EQ(widget_->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(widget_->frameShadow(), QFrame::Sunken);
  EXPECT_GT(widget_->frameWidth(), 0);
  EXPECT_TRUE(widget_->testAttribute(Qt::WA_OpaquePaintEvent));
}

}  // namespace
}  // namespace murva
