#include "schedule/schedule_expansion.h"

#include <cstdio>
#include <optional>

#include "render/labels.h"
#include "schedule/cp932_bytes.h"
#include "schedule/external_schedule.h"
#include "schedule/field_integer.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_period.h"
#include "settings/cp932.h"

namespace murva {

namespace {

constexpr std::string_view kEveryYear = "@@@@";
constexpr std::string_view kEvery = "@@";
constexpr std::string_view kLetters = "ABCDEF";

const std::string& StartMarkerBytes() {
  static const std::string bytes = ToCp932(kStartMarker);
  return bytes;
}

const std::string& BirthdayBytes() {
  static const std::string bytes = ToCp932(kBirthdayText);
  return bytes;
}

// The bytes at 0-based `pos`, at most `count` of them; empty past the end.
std::string_view Field(std::string_view line, std::size_t pos, std::size_t count) {
  if (pos >= line.size()) return {};
  return line.substr(pos, count);
}

std::string FourDigitYear(int year) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", year);
  return buffer;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

std::string OutputLine(std::string_view date, std::string_view line) {
  std::string output(date);
  output += ' ';
  output += ExpandedText(line);
  return output;
}

// The current date plus 0..advance days.
std::vector<CivilDate> CountedDays(const Clock& clock, int advance) {
  const CivilDate now = DateOf(clock.Now());
  std::vector<CivilDate> days;
  for (int k = 0; k <= advance; ++k) days.push_back(AddDays(now, k));
  return days;
}

void AddWeeklyLines(const std::vector<std::string>& merged, const std::vector<CivilDate>& days,
                    std::vector<std::string>& output) {
  for (const std::string& line : merged) {
    const std::string_view day_field = Field(line, 8, 2);
    if (day_field.size() != 2 || day_field[0] != 'W') continue;
    for (const CivilDate& day : days) {
      if (day_field[1] == static_cast<char>('0' + WeekdayOf(day))) {
        output.push_back(OutputLine(DateText(day), line));
      }
    }
  }
}

void AddNthWeekdayLines(const std::vector<std::string>& merged, const std::vector<CivilDate>& days,
                        const TodayFields& today, std::vector<std::string>& output) {
  std::vector<NthWeekdayCode> codes;
  codes.reserve(days.size());
  for (const CivilDate& day : days) codes.push_back(NthWeekdayCodes(day));

  for (const std::string& line : merged) {
    // An entry for another month than today's is not considered at all, even
    // when an advance day reaches into its month.
    if (Field(line, 5, 2) != kEvery && Field(line, 5, 3) != today.month_text) continue;
    const std::string_view day_field = Field(line, 8, 2);
    if (day_field.size() != 2 || kLetters.find(day_field[0]) == std::string_view::npos) continue;
    for (std::size_t k = 0; k < days.size(); ++k) {
      if (day_field == codes[k].nth) output.push_back(OutputLine(DateText(days[k]), line));
      if (day_field == codes[k].last) output.push_back(OutputLine(DateText(days[k]), line));
    }
  }
}

CivilDate ReadMarkerDate(std::string_view text, const TodayFields& today) {
  std::optional<CivilDate> date = ReadDateText(text, today.year);
  if (!date) throw ScheduleDateError(DecodeCp932Lossy(text));
  return *date;
}

void AddStartMarkerLines(const std::vector<std::string>& merged, const TodayFields& today,
                         std::vector<std::string>& output) {
  const std::string& marker = StartMarkerBytes();
  const CivilDate now = DateOf(today);
  for (const std::string& line : merged) {
    const std::size_t found = line.find(marker);
    if (found == std::string::npos) continue;
    const CivilDate start = ReadMarkerDate(Field(line, found + marker.size(), 10), today);
    const CivilDate end = ReadMarkerDate(Field(line, 0, 10), today);
    if (start <= now && now <= end) output.push_back(OutputLine(today.TodayText(), line));
  }
}

void AddPlainDateLines(const std::vector<std::string>& merged, const TodayFields& today, int period,
                       std::vector<std::string>& output) {
  for (const std::string& line : merged) {
    const std::string_view date = Field(line, 0, 10);
    if (MatchesPeriod(date, today, period)) output.push_back(OutputLine(date, line));
  }
}

void AddBirthdayLine(const std::string& birthday, const TodayFields& today,
                     std::vector<std::string>& output) {
  if (birthday.empty()) return;
  if (Field(birthday, 3, 3) != today.month_text || Field(birthday, 6, 2) != today.day_text) {
    return;
  }
  output.push_back(today.TodayText() + BirthdayBytes());
}

void InsertWeekdayLabels(std::vector<std::string>& output, const TodayFields& today, int style) {
  for (std::string& line : output) {
    std::optional<CivilDate> date = ReadDateText(Field(line, 0, 10), today.year);
    if (!date) continue;
    std::optional<std::string> label = EncodeCp932(WeekdayLabel(style, WeekdayOf(*date)));
    if (!label) continue;
    line = line.substr(0, 10) + " " + *label + line.substr(10);
  }
}

}  // namespace

NthWeekdayCode NthWeekdayCodes(const CivilDate& date) {
  const int weekday = WeekdayOf(date);
  // The days 1..day of the month that share the date's weekday.
  const int count = (date.day - 1) / 7 + 1;
  const char digit = static_cast<char>('0' + weekday);
  NthWeekdayCode code;
  code.nth = std::string{kLetters[static_cast<std::size_t>(count - 1)], digit};
  if (date.day > DaysInMonth(date.year, date.month) - 7) code.last = std::string{'F', digit};
  return code;
}

void WidenYears(std::vector<std::string>& merged) {
  for (std::string& line : merged) {
    const std::string_view year = Field(line, 0, 2);
    if (year == kEvery) {
      line.insert(0, kEvery);
      continue;
    }
    std::optional<int> value = ReadFieldInteger(year);
    if (!value) throw ScheduleIntegerError(DecodeCp932Lossy(year));
    line.insert(0, *value >= 90 && *value <= 99 ? "19" : "20");
  }
}

void AddNextYearCopies(std::vector<std::string>& merged, const TodayFields& today) {
  const std::string next_year = FourDigitYear(today.year + 1);
  const std::size_t count = merged.size();
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& line = merged[i];
    if (Field(line, 0, 4) != kEveryYear || Field(line, 5, 2) == kEvery) continue;
    std::string copy = next_year;
    copy += Field(line, 4, 6);
    copy += Cp932Slice(line, 10, kResolvedLineBytes);
    merged.push_back(std::move(copy));
  }
}

void ResolveRepeatDates(std::vector<std::string>& merged, const TodayFields& today) {
  const std::string this_year = FourDigitYear(today.year);
  for (std::string& line : merged) {
    std::string year(Field(line, 0, 4));
    std::string month(Field(line, 5, 2));
    const std::string_view day_field = Field(line, 8, 2);
    if (year == kEveryYear) year = this_year;
    const int day = ReadFieldInteger(day_field, 0);
    if (day >= 1 && day <= 31 && month == kEvery) {
      if (day >= today.day) {
        month = TwoDigits(today.month);
      } else if (today.month == 12) {
        year = FourDigitYear(today.year + 1);
        month = "01";
      } else {
        month = TwoDigits(today.month + 1);
      }
    }
    std::string rebuilt = year;
    rebuilt += Field(line, 4, 1);
    rebuilt += month;
    rebuilt += Field(line, 7, 1);
    rebuilt += day_field;
    rebuilt += Cp932Slice(line, 10, kResolvedLineBytes);
    line = std::move(rebuilt);
  }
}

void ResolveRepeats(std::vector<std::string>& merged, const TodayFields& today, int period) {
  if (period < kPeriodRest) AddNextYearCopies(merged, today);
  ResolveRepeatDates(merged, today);
}

std::string ExpandedText(std::string_view line) {
  return Cp932Slice(line, 16, 16 + kOutputTextBytes);
}

ScheduleList ExpandMergedLines(std::vector<std::string> merged, const ScheduleOptions& options,
                               const TodayFields& today, const Clock& clock) {
  WidenYears(merged);
  ResolveRepeats(merged, today, options.period);

  const std::vector<CivilDate> days = CountedDays(clock, options.AdvanceDays());
  std::vector<std::string> output;
  AddWeeklyLines(merged, days, output);
  AddNthWeekdayLines(merged, days, today, output);
  AddStartMarkerLines(merged, today, output);
  AddPlainDateLines(merged, today, options.period, output);
  AddBirthdayLine(options.birthday, today, output);
  if (options.WeekdayLabelsOn()) {
    InsertWeekdayLabels(output, today, options.weekday_label_style);
  }

  ScheduleList result(std::move(output));
  result.RemoveDuplicates();
  return result;
}

ScheduleList ExpandSchedule(ScheduleList& entries, const std::filesystem::path& schedule_file,
                            const ScheduleOptions& options, const TodayFields& today,
                            const Clock& clock) {
  LoadScheduleFile(schedule_file, entries);
  return ExpandMergedLines(
      MergeScheduleSources(entries, options.source, options.external_path, today), options, today,
      clock);
}

}  // namespace murva
