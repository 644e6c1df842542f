// The month calendar engine: current date, month grid, cell queries, colours,
// fonts, events, keys and mouse.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "calendar/builtin_day_lists.h"
#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"

namespace murva {
namespace {

class EngineTest : public ::testing::Test {
 protected:
  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 30, 0}};
  TCalendarEx cal_{clock_};

  void GoTo(std::int32_t year, int month, int day) { cal_.SetJuliusDay(DateToJulius(year, month, day)); }
  std::tuple<std::int32_t, int, int> Date() const { return {cal_.Year(), cal_.Month(), cal_.Day()}; }
};

// --- the current date -----------------------------------------------------------

TEST_F(EngineTest, StartsOnTodayOfItsClock) {
  EXPECT_EQ(cal_.JuliusDay(), 2461381);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 6));
  EXPECT_EQ(cal_.DayOfWeek(), 1);
}

TEST_F(EngineTest, TodayFollowsTheClock) {
  GoTo(2000, 1, 1);
  clock_.Set({2027, 3, 31, 23, 59, 59});
  cal_.Today();
  EXPECT_EQ(Date(), std::make_tuple(2027, 3, 31));
}

TEST_F(EngineTest, SettingADifferentDayReportsItAfterTheRedraw) {
  std::vector<std::string> events;
  cal_.OnChange = [&](TCustomCalendarEx&) { events.push_back("change"); };
  cal_.OnDayChange = [&](TCustomCalendarEx&, std::int32_t y, int m, int d) {
    events.push_back("day " + std::to_string(y) + "/" + std::to_string(m) + "/" +
                     std::to_string(d));
  };
  GoTo(2026, 12, 25);
  EXPECT_EQ(events, (std::vector<std::string>{"change", "day 2026/12/25"}));
  events.clear();
  GoTo(2026, 12, 25);  // the same value does nothing
  EXPECT_TRUE(events.empty());
}

TEST_F(EngineTest, SettersIgnoreImpossibleDates) {
  GoTo(2026, 3, 31);
  cal_.SetMonth(2);
  EXPECT_EQ(Date(), std::make_tuple(2026, 3, 31));
  cal_.SetMonth(13);
  EXPECT_EQ(Date(), std::make_tuple(2026, 3, 31));
  cal_.SetDay(32);
  cal_.SetDay(0);
  EXPECT_EQ(Date(), std::make_tuple(2026, 3, 31));
  cal_.SetMonth(5);
  EXPECT_EQ(Date(), std::make_tuple(2026, 5, 31));
  GoTo(2024, 2, 29);
  cal_.SetYear(2025);
  EXPECT_EQ(Date(), std::make_tuple(2024, 2, 29));
  cal_.SetYear(2028);
  EXPECT_EQ(Date(), std::make_tuple(2028, 2, 29));
  cal_.SetDay(1);
  EXPECT_EQ(Date(), std::make_tuple(2028, 2, 1));
}

TEST_F(EngineTest, SettingAMissingDayOf1582Raises) {
  GoTo(1582, 10, 1);
  EXPECT_THROW(cal_.SetDay(10), EJuliusError);
  EXPECT_EQ(Date(), std::make_tuple(1582, 10, 1));
}

TEST_F(EngineTest, DayAndMonthSteps) {
  GoTo(2026, 12, 31);
  cal_.NextDay();
  EXPECT_EQ(Date(), std::make_tuple(2027, 1, 1));
  cal_.PrevDay();
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 31));
  cal_.NextMonth();
  EXPECT_EQ(Date(), std::make_tuple(2027, 1, 31));
  cal_.NextMonth();
  EXPECT_EQ(Date(), std::make_tuple(2027, 2, 28));
  cal_.PrevMonth();
  EXPECT_EQ(Date(), std::make_tuple(2027, 1, 28));
  cal_.PrevMonth();
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 28));
  GoTo(2024, 1, 31);
  cal_.NextMonth();
  EXPECT_EQ(Date(), std::make_tuple(2024, 2, 29));
  GoTo(2024, 3, 31);
  cal_.PrevMonth();
  EXPECT_EQ(Date(), std::make_tuple(2024, 2, 29));
  GoTo(2026, 5, 31);
  cal_.PrevMonth();
  EXPECT_EQ(Date(), std::make_tuple(2026, 4, 30));
}

// --- the month grid -------------------------------------------------------------

TEST_F(EngineTest, December2026SundayFirst) {
  GoTo(2026, 12, 6);
  cal_.SetFirstDayOfWeek(dowSun);
  EXPECT_EQ(cal_.FirstCellJulius(), DateToJulius(2026, 11, 29));
  EXPECT_EQ(cal_.RowCount(), 6);
  EXPECT_EQ(cal_.CellDay(0, 0), 0);
  EXPECT_EQ(cal_.CellDay(0, 1), 129);
  EXPECT_EQ(cal_.CellDay(1, 1), 130);
  EXPECT_EQ(cal_.CellDay(2, 1), 1);
  EXPECT_EQ(cal_.CellDay(4, 5), 31);
  EXPECT_EQ(cal_.CellDay(5, 5), 201);
  EXPECT_EQ(cal_.CellDay(6, 5), 202);
}

TEST_F(EngineTest, December2026MondayFirst) {
  cal_.SetFirstDayOfWeek(dowMon);
  EXPECT_EQ(cal_.FirstCellJulius(), DateToJulius(2026, 11, 30));
  EXPECT_EQ(cal_.CellDay(1, 1), 1);
  EXPECT_EQ(cal_.RowCount(), 6);
  EXPECT_EQ(cal_.CellDay(3, 5), 31);
}

TEST_F(EngineTest, February2015WithTheRowFlags) {
  GoTo(2015, 2, 10);
  cal_.SetFirstDayOfWeek(dowSun);
  EXPECT_EQ(cal_.FirstCellJulius(), DateToJulius(2015, 1, 25));
  EXPECT_EQ(cal_.RowCount(), 7);
  EXPECT_EQ(cal_.CellDay(0, 1), 125);
  EXPECT_EQ(cal_.CellDay(0, 2), 1);
  EXPECT_EQ(cal_.CellDay(0, 6), 201);
  cal_.SetFirstRowFirstDay(true);
  EXPECT_EQ(cal_.FirstCellJulius(), DateToJulius(2015, 2, 1));
  EXPECT_EQ(cal_.RowCount(), 6);
  cal_.SetLastRowLastDay(true);
  EXPECT_EQ(cal_.RowCount(), 5);
  cal_.SetFirstRowFirstDay(false);
  EXPECT_EQ(cal_.RowCount(), 6);
  cal_.SetAutoResize(false);
  EXPECT_EQ(cal_.RowCount(), 7);
}

TEST_F(EngineTest, EveryMonthShowsNeighboursWithBothFlagsOff) {
  for (int dow = dowSun; dow <= dowSat; ++dow) {
    cal_.SetFirstDayOfWeek(static_cast<TDayOfWeek>(dow));
    for (int month = 1; month <= 12; ++month) {
      GoTo(2026, month, 1);
      const int rows = cal_.RowCount();
      EXPECT_GE(rows, 6);
      EXPECT_LE(rows, 7);
      EXPECT_GT(cal_.CellDay(0, 1), 100) << month;
      EXPECT_GT(cal_.CellDay(6, rows - 1), 200) << month;
    }
  }
}

TEST_F(EngineTest, ViewsAndHelpers) {
  EXPECT_EQ(cal_.WeekdayOf(2000, 1, 1), 7);
  EXPECT_EQ(cal_.DaysOfMonth(2024, 2), 29);
  EXPECT_EQ(cal_.DaysOfMonth(2026, 11), 30);
}

// --- colours and fonts ------------------------------------------------------------

TEST_F(EngineTest, InitialColours) {
  EXPECT_EQ(cal_.WeekdayColor(), kClBlack);
  EXPECT_EQ(cal_.SaturdayColor(), kClBlue);
  EXPECT_EQ(cal_.SundayColor(), kClRed);
  EXPECT_EQ(cal_.Fonts().DayOfWeek().color, kClWhite);
  EXPECT_EQ(cal_.HolidayColor(), kClRed);
  EXPECT_EQ(cal_.SpecialDayColor(), 0x008000u);
  EXPECT_EQ(cal_.Fonts().Rokuyo().color, kClBlack);
  EXPECT_EQ(cal_.Fonts().Rokuyo().size, 10);
  EXPECT_EQ(cal_.NeighborDayColor(), 0xC0C0C0u);
  EXPECT_EQ(cal_.DayOfWeekBkColor(), 0x800000u);
  EXPECT_TRUE(cal_.AutoEquinox());
  EXPECT_TRUE(cal_.AutoFurikae());
  EXPECT_TRUE(cal_.AutoKokumin());
  EXPECT_TRUE(cal_.HolidayList().empty());
  EXPECT_TRUE(cal_.SpecialDayList().empty());
  EXPECT_EQ(cal_.FirstDayOfWeek(), dowSun);
  EXPECT_TRUE(cal_.AutoResize());
  EXPECT_FALSE(cal_.ShowNeighbor());
  EXPECT_FALSE(cal_.ShowRokuyo());
}

TEST_F(EngineTest, ColourPropertiesAreTheFontColours) {
  cal_.SetWeekdayColor(0x111111);
  cal_.SetSaturdayColor(0x222222);
  cal_.SetSundayColor(0x333333);
  cal_.SetHolidayColor(0x444444);
  cal_.SetSpecialDayColor(0x555555);
  cal_.SetNeighborDayColor(0x666666);
  EXPECT_EQ(cal_.Fonts().Weekday().color, 0x111111u);
  EXPECT_EQ(cal_.Fonts().Saturday().color, 0x222222u);
  EXPECT_EQ(cal_.Fonts().Sunday().color, 0x333333u);
  EXPECT_EQ(cal_.Fonts().Holiday().color, 0x444444u);
  EXPECT_EQ(cal_.Fonts().SpecialDay().color, 0x555555u);
  EXPECT_EQ(cal_.NeighborColor(), 0x666666u);
  EXPECT_EQ(cal_.Fonts().DayOfWeek().color, kClWhite);
}

TEST_F(EngineTest, CellColours) {
  cal_.SetFirstDayOfWeek(dowSun);
  cal_.SetSpecialDayList({"12,6,x"});
  cal_.SetHolidayList(BuiltInHolidayLines());
  EXPECT_EQ(cal_.CellColor(0, 0), kClWhite);
  EXPECT_EQ(cal_.CellColor(0, 2), cal_.SpecialDayColor());  // Sunday 6 Dec, special
  EXPECT_EQ(cal_.CellColor(0, 3), cal_.SundayColor());      // Sunday 13 Dec
  EXPECT_EQ(cal_.CellColor(6, 2), cal_.SaturdayColor());    // Saturday 12 Dec
  EXPECT_EQ(cal_.CellColor(3, 4), cal_.WeekdayColor());     // Wednesday 23 Dec
  EXPECT_EQ(cal_.CellColor(1, 2), cal_.WeekdayColor());     // Monday 7 Dec
  // Neighbour cells get the colour of their own date (Sunday 29 November).
  EXPECT_EQ(cal_.CellColor(0, 1), cal_.SundayColor());
  // November 2026 begins on a Sunday, so its first day row is 25-31 October.
  cal_.PrevMonth();
  EXPECT_EQ(cal_.CellColor(2, 2), cal_.HolidayColor());     // Tuesday 3 Nov
  EXPECT_EQ(cal_.CellColor(1, 5), cal_.HolidayColor());     // Monday 23 Nov
  EXPECT_EQ(cal_.CellColor(2, 5), cal_.WeekdayColor());     // Tuesday 24 Nov
}

TEST_F(EngineTest, SynchronizedFontsTakeOneAssignment) {
  TCalExFont big;
  big.name = "IPAGothic";
  big.size = 20;
  big.color = 0x123456;
  cal_.Fonts().SetHoliday(big);
  EXPECT_EQ(cal_.Fonts().Holiday(), big);
  EXPECT_NE(cal_.Fonts().Weekday(), big);
  cal_.Fonts().SetSynchronize(true);
  cal_.Fonts().SetSunday(big);
  for (int i = 0; i < kCalFontCount; ++i) {
    EXPECT_EQ(cal_.Fonts().Font(static_cast<CalFontIndex>(i)), big) << i;
  }
  // A colour change touches one font only.
  cal_.SetSundayColor(kClRed);
  EXPECT_EQ(cal_.Fonts().Weekday().color, 0x123456u);
}

TEST_F(EngineTest, AssigningAFontSetKeepsTheOwner) {
  FixedClock other_clock{LocalDateTime{2000, 1, 1, 0, 0, 0}};
  TCalendarEx other{other_clock};
  other.SetHolidayColor(0xABCDEF);
  int mine = 0;
  int theirs = 0;
  cal_.OnChange = [&](TCustomCalendarEx&) { ++mine; };
  other.OnChange = [&](TCustomCalendarEx&) { ++theirs; };
  cal_.Fonts() = other.Fonts();
  EXPECT_EQ(cal_.HolidayColor(), 0xABCDEFu);
  EXPECT_EQ(mine, 1);
  cal_.SetHolidayColor(0x1);  // changes of the copy redraw this calendar only
  EXPECT_EQ(mine, 2);
  EXPECT_EQ(theirs, 0);
  EXPECT_EQ(other.HolidayColor(), 0xABCDEFu);
}

TEST_F(EngineTest, EveryChangeRedraws) {
  int changes = 0;
  int redraws = 0;
  cal_.OnChange = [&](TCustomCalendarEx&) { ++changes; };
  cal_.SetRedrawHandler([&] { ++redraws; });
  cal_.SetHolidayColor(0x1);
  cal_.Fonts().SetRokuyo(TCalExFont{});
  cal_.SetHolidayList({"1,1,x"});
  cal_.AddSpecialDayLine("2,2,y");
  cal_.SetAutoEquinox(false);
  cal_.SetShowNeighbor(true);
  cal_.SetClientSize(300, 200);
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(redraws, 7);
}

TEST_F(EngineTest, TypeOfDayListAndText) {
  cal_.SetTypeOfDayList({"12,6,記念日"});
  EXPECT_EQ(cal_.HolidayList(), (std::vector<std::string>{"12,6,記念日"}));
  EXPECT_EQ(cal_.TypeOfDayList(), cal_.HolidayList());
  EXPECT_EQ(cal_.TypeOfDayText(), "記念日");
  cal_.NextDay();
  EXPECT_EQ(cal_.TypeOfDayText(), "振替休日");
}

// --- geometry, painting, keys and mouse ---------------------------------------------

TEST_F(EngineTest, CellGeometry) {
  cal_.SetFirstDayOfWeek(dowSun);
  cal_.SetClientSize(140, 120);  // December 2026: 6 rows of 20 pixels
  EXPECT_EQ(cal_.CellAt(0, 0), (CellPos{0, 0}));
  EXPECT_EQ(cal_.CellAt(19, 19), (CellPos{0, 0}));
  EXPECT_EQ(cal_.CellAt(20, 20), (CellPos{1, 1}));
  EXPECT_EQ(cal_.CellAt(139, 119), (CellPos{6, 5}));
  EXPECT_EQ(cal_.CellRectOf(0, 0), (CellRect{0, 0, 20, 20}));
  EXPECT_EQ(cal_.CellRectOf(6, 5), (CellRect{120, 100, 140, 120}));
  cal_.SetClientSize(100, 100);
  EXPECT_EQ(cal_.CellRectOf(1, 1), (CellRect{14, 16, 28, 33}));
  cal_.SetClientSize(3, 3);  // smaller than the grid: still no division by zero
  EXPECT_EQ(cal_.CellAt(2, 2), (CellPos{2, 2}));
}

TEST_F(EngineTest, PaintOfHeaderAndCurrentDay) {
  cal_.SetFirstDayOfWeek(dowMon);
  const CellPaint header = cal_.CellPaintOf(6, 0);
  EXPECT_TRUE(header.header);
  EXPECT_TRUE(header.fill);
  EXPECT_EQ(header.fill_color, cal_.DayOfWeekBkColor());
  EXPECT_EQ(header.header_weekday, 1);  // Sunday in the last column
  EXPECT_EQ(header.font.color, kClWhite);
  EXPECT_EQ(cal_.CellPaintOf(0, 0).header_weekday, 2);

  // 6 December 2026, a Sunday: the last column of the first day row.
  const CellPaint today = cal_.CellPaintOf(6, 1);
  EXPECT_EQ(today.text, "6");
  EXPECT_TRUE(today.inverted);
  EXPECT_TRUE(today.fill);
  EXPECT_EQ(today.fill_color, cal_.SundayColor());
  EXPECT_EQ(today.font.color, cal_.Color());

  const CellPaint other = cal_.CellPaintOf(0, 2);  // Monday 7 December
  EXPECT_EQ(other.text, "7");
  EXPECT_FALSE(other.inverted);
  EXPECT_FALSE(other.fill);
  EXPECT_EQ(other.font.color, cal_.WeekdayColor());
}

TEST_F(EngineTest, PaintOfNeighbourDays) {
  cal_.SetFirstDayOfWeek(dowSun);
  const CellPaint hidden = cal_.CellPaintOf(0, 1);  // 29 November
  EXPECT_TRUE(hidden.blank);
  EXPECT_TRUE(hidden.text.empty());
  cal_.SetShowNeighbor(true);
  cal_.SetSundayColor(0x000080);
  const CellPaint shown = cal_.CellPaintOf(0, 1);
  EXPECT_FALSE(shown.blank);
  EXPECT_EQ(shown.text, "29");
  EXPECT_EQ(shown.font.color, 0x000080u | 0xC0C0C0u);
  EXPECT_FALSE(shown.inverted);
}

TEST_F(EngineTest, PaintWithRokuyo) {
  GoTo(2000, 2, 5);  // old month 1, day 1: 先勝
  cal_.SetFirstDayOfWeek(dowSun);
  cal_.SetShowRokuyo(true);
  cal_.SetClientSize(140, 140);  // February 2000: 6 rows
  // 5 February 2000 is a Saturday in the first day row.
  const CellPaint paint = cal_.CellPaintOf(6, 1);
  EXPECT_EQ(paint.text, "5");
  EXPECT_EQ(paint.rokuyo, "先勝");
  const int strip = cal_.Fonts().Rokuyo().PixelHeight();
  EXPECT_EQ(paint.text_rect.bottom, paint.rect.bottom - strip);
  EXPECT_EQ(paint.rokuyo_rect.top, paint.rect.bottom - strip);
  EXPECT_EQ(paint.rokuyo_rect.bottom, paint.rect.bottom);
  EXPECT_EQ(paint.rokuyo_font.color, cal_.Color());  // inverted with the number
  EXPECT_EQ(cal_.CellPaintOf(0, 2).rokuyo, "友引");
  // Outside the table (which ends in January 2101) no rokuyo is drawn and the
  // number keeps the whole cell.
  GoTo(2101, 3, 6);
  const CellPaint none = cal_.CellPaintOf(2, 2);
  EXPECT_TRUE(none.rokuyo.empty());
  EXPECT_EQ(none.text_rect, none.rect);
}

TEST_F(EngineTest, Keys) {
  cal_.KeyDown(CalendarKey::kRight);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 7));
  cal_.KeyDown(CalendarKey::kLeft);
  cal_.KeyDown(CalendarKey::kLeft);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 5));
  cal_.KeyDown(CalendarKey::kDown);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 12));
  cal_.KeyDown(CalendarKey::kUp);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 5));
  cal_.KeyDown(CalendarKey::kPageDown);
  EXPECT_EQ(Date(), std::make_tuple(2027, 1, 5));
  cal_.KeyDown(CalendarKey::kPageUp);
  cal_.KeyDown(CalendarKey::kPageUp);
  EXPECT_EQ(Date(), std::make_tuple(2026, 11, 5));
}

TEST_F(EngineTest, MouseChoosesDaysOfTheMonth) {
  cal_.SetFirstDayOfWeek(dowSun);
  cal_.SetClientSize(140, 120);
  cal_.MouseDown(50, 5);  // header: nothing
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 6));
  cal_.MouseDown(65, 85);  // column 3, row 4: 23 December
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 23));
  cal_.MouseDown(5, 25);  // 29 November without NeighborJump: nothing
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 23));
  cal_.SetNeighborJump(true);
  cal_.MouseDown(5, 25);
  EXPECT_EQ(Date(), std::make_tuple(2026, 11, 29));
}

TEST_F(EngineTest, MouseOutsideTheGridDoesNothing) {
  cal_.SetFirstDayOfWeek(dowSun);
  cal_.SetNeighborJump(true);
  cal_.SetClientSize(100, 100);  // cells of 14 x 16 pixels leave a margin
  cal_.MouseDown(99, 50);        // column 7
  cal_.MouseDown(50, 99);        // row 6 of 6
  cal_.MouseDown(-5, 40);
  EXPECT_EQ(Date(), std::make_tuple(2026, 12, 6));
}

// --- the main window's instance ---------------------------------------------------

TEST(CalendarEx1Test, StoredProperties) {
  FixedClock clock{LocalDateTime{2026, 12, 6, 0, 0, 0}};
  const std::unique_ptr<TCalendarEx> cal = MakeCalendarEx1(clock);
  EXPECT_EQ(cal->JuliusDay(), DateToJulius(2026, 12, 6));
  EXPECT_EQ(cal->FirstDayOfWeek(), dowMon);
  EXPECT_EQ(cal->NeighborColor(), kClSilver);
  EXPECT_EQ(cal->DayOfWeekBkColor(), kClNavy);
  EXPECT_FALSE(cal->ShowNeighbor());
  EXPECT_FALSE(cal->NeighborJump());
  EXPECT_FALSE(cal->FirstRowFirstDay());
  EXPECT_FALSE(cal->LastRowLastDay());
  EXPECT_FALSE(cal->ShowRokuyo());
  EXPECT_TRUE(cal->AutoResize());
  EXPECT_EQ(cal->Color(), kClWindow);
  EXPECT_EQ(cal->WeekdayColor(), kClBlack);
  EXPECT_EQ(cal->SaturdayColor(), 0xFFFF00u);  // aqua
  EXPECT_EQ(cal->SundayColor(), kClRed);
  EXPECT_EQ(cal->Fonts().DayOfWeek().color, kClWhite);
  EXPECT_EQ(cal->HolidayColor(), 0xFF00FFu);     // fuchsia
  EXPECT_EQ(cal->SpecialDayColor(), 0x00FF00u);  // lime
  EXPECT_EQ(cal->Fonts().Rokuyo().color, kClBlack);
  for (int i = 0; i < kCalFontCount; ++i) {
    const TCalExFont& font = cal->Fonts().Font(static_cast<CalFontIndex>(i));
    EXPECT_EQ(font.name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.PixelHeight(), i == 6 ? 13 : 12) << i;
  }
  EXPECT_EQ(cal->HolidayList(), BuiltInHolidayLines());
  EXPECT_EQ(cal->TypeOfDayList(), BuiltInHolidayLines());
  EXPECT_EQ(cal->SpecialDayList(), (std::vector<std::string>{""}));
  EXPECT_TRUE(cal->AutoEquinox());
  EXPECT_TRUE(cal->AutoFurikae());
  EXPECT_TRUE(cal->AutoKokumin());
}

}  // namespace
}  // namespace murva
