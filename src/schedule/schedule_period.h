// The display periods of the schedule block and the test of a plain date
// against them.
#pragma once

#include <array>
#include <string_view>

#include "render/today_fields.h"

namespace murva {

// Display period indices (the period list of the schedule page).
inline constexpr int kPeriodNone = 0;            // the schedule is not drawn
inline constexpr int kPeriodToday = 1;           // d = t
inline constexpr int kPeriodThisMonth = 2;       // d in t's year and month
inline constexpr int kPeriodTwoMonths = 3;       // d in t's month or the next
inline constexpr int kPeriodAll = 4;             // every date
inline constexpr int kPeriodOneWeek = 5;         // t <= d <= t + 7
inline constexpr int kPeriodOneMonth = 6;        // t <= d <= t + 31
inline constexpr int kPeriodTwoMonthSpan = 7;    // t <= d <= t + 61
inline constexpr int kPeriodThreeMonthSpan = 8;  // t <= d <= t + 92
inline constexpr int kPeriodSixMonthSpan = 9;    // t <= d <= t + 184
inline constexpr int kPeriodRest = 10;           // d >= t
inline constexpr int kPeriodCount = 11;

inline constexpr std::array<const char*, kPeriodCount> kPeriodCaptions = {
    "予定を表示しない",   "今日の予定を表示",   "今月の予定を表示",   "今月と来月を表示",
    "すべてを表示する",   "１週間分の予定表示", "１ヶ月分の予定表示", "２ヶ月分の予定表示",
    "３ヶ月分の予定表示", "６ヶ月分の予定表示", "残りの予定を表示"};

// Whether a date text is listed in the period: the text must be ten
// characters of digits and "/" only, must read as an existing date, and must
// satisfy the period's rule with t = today (windows inclusive at both ends).
// Any other text, and period 0 or an unknown period, gives false.
bool MatchesPeriod(std::string_view date_text, const TodayFields& today, int period);

}  // namespace murva
