#include "schedule/calendar_lines.h"

#include <cstdio>

#include "schedule/cp932_bytes.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_period.h"
#include "settings/cp932.h"

namespace murva {
namespace {

CivilDate FirstOfMonth(const CivilDate& date) { return {date.year, date.month, 1}; }

CivilDate LastOfMonth(int year, int month) { return {year, month, DaysInMonth(year, month)}; }

}  // namespace

DateWindow CalendarWindowOf(int period, const TodayFields& today) {
  const CivilDate t = DateOf(today);
  switch (period) {
    case kPeriodToday: return {t, t};
    case kPeriodThisMonth: return {FirstOfMonth(t), LastOfMonth(t.year, t.month)};
    case kPeriodTwoMonths: {
      const int year = t.month == 12 ? t.year + 1 : t.year;
      const int month = t.month == 12 ? 1 : t.month + 1;
      return {FirstOfMonth(t), LastOfMonth(year, month)};
    }
    case kPeriodAll: return {FirstOfMonth(t), AddDays(t, kOpenPeriodDays)};
    case kPeriodOneWeek: return {t, AddDays(t, 7)};
    case kPeriodOneMonth: return {t, AddDays(t, 31)};
    case kPeriodTwoMonthSpan: return {t, AddDays(t, 61)};
    case kPeriodThreeMonthSpan: return {t, AddDays(t, 92)};
    case kPeriodSixMonthSpan: return {t, AddDays(t, 184)};
    case kPeriodRest: return {t, AddDays(t, kOpenPeriodDays)};
    default: return {t, AddDays(t, -1)};
  }
}

std::string StartTimeText(int start_minute) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", (start_minute / 60) % 24, start_minute % 60);
  return buffer;
}

std::string OccurrenceText(const CalendarOccurrence& occurrence) {
  std::string text;
  if (occurrence.start_minute >= 0) text = StartTimeText(occurrence.start_minute) + " ";
  std::string summary;
  for (const char c : occurrence.text) {
    if (c == '%') {
      summary += "％";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      summary += ' ';
    } else {
      summary += c;
    }
  }
  const std::size_t first = summary.find_first_not_of(' ');
  summary = first == std::string::npos ? std::string() : summary.substr(first);
  while (!summary.empty() && summary.back() == ' ') summary.pop_back();
  text += summary.empty() ? "（件名なし）" : summary;
  return text;
}

DatedLine OccurrenceLine(const CalendarOccurrence& occurrence, const std::string& color) {
  std::string text = EncodeCp932Lossy(OccurrenceText(occurrence));
  std::string keyword;
  if (!color.empty()) keyword = "%" + EncodeCp932Lossy(color) + "%";
  // The expansion keeps at most kOutputTextBytes of a line's text.
  const std::size_t room = kOutputTextBytes > keyword.size() ? kOutputTextBytes - keyword.size() : 0;
  text = std::string(Cp932Prefix(text, room)) + keyword;
  return {DateText(occurrence.date), std::move(text)};
}

}  // namespace murva
