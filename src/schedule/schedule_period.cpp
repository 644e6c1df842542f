#include "schedule/schedule_period.h"

#include <optional>

#include "schedule/schedule_date.h"

namespace murva {

namespace {

bool IsDigitsAndSlashes(std::string_view text) {
  for (char c : text) {
    if ((c < '0' || c > '9') && c != '/') return false;
  }
  return true;
}

bool WithinDaysAfter(const CivilDate& date, const CivilDate& today, int days) {
  const int offset = DayNumberOf(date) - DayNumberOf(today);
  return offset >= 0 && offset <= days;
}

}  // namespace

bool MatchesPeriod(std::string_view date_text, const TodayFields& today, int period) {
  if (date_text.size() != 10 || !IsDigitsAndSlashes(date_text)) return false;
  const std::optional<CivilDate> read = ReadDateText(date_text, today.year);
  if (!read) return false;
  const CivilDate& date = *read;
  const CivilDate now = DateOf(today);
  switch (period) {
    case kPeriodToday:
      return date == now;
    case kPeriodThisMonth:
      return date.year == now.year && date.month == now.month;
    case kPeriodTwoMonths: {
      const int next_month = now.month == 12 ? 1 : now.month + 1;
      const int next_year = now.month == 12 ? now.year + 1 : now.year;
      return (date.year == now.year && date.month == now.month) ||
             (date.year == next_year && date.month == next_month);
    }
    case kPeriodAll:
      return true;
    case kPeriodOneWeek:
      return WithinDaysAfter(date, now, 7);
    case kPeriodOneMonth:
      return WithinDaysAfter(date, now, 31);
    case kPeriodTwoMonthSpan:
      return WithinDaysAfter(date, now, 61);
    case kPeriodThreeMonthSpan:
      return WithinDaysAfter(date, now, 92);
    case kPeriodSixMonthSpan:
      return WithinDaysAfter(date, now, 184);
    case kPeriodRest:
      return DayNumberOf(date) >= DayNumberOf(now);
    default:
      return false;
  }
}

}  // namespace murva
