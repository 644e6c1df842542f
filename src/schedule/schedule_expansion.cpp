#include "schedule/schedule_expansion.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "render/labels.h"
#include "schedule/cp932_bytes.h"
#include "schedule/external_schedule.h"
#include "schedule/field_integer.h"
#include "schedule/line_order.h"
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

// The text of an expanded line as a view into it.
std::string_view ExpandedTextView(std::string_view line) {
  return Cp932SliceView(line, 16, 16 + kOutputTextBytes);
}

// The texts the repeat resolution puts into lines, made once per expansion.
struct RepeatTexts {
  explicit RepeatTexts(const TodayFields& today)
      : today(today),
        this_year(FourDigitYear(today.year)),
        next_year(FourDigitYear(today.year + 1)),
        this_month(TwoDigits(today.month)),
        next_month(today.month == 12 ? "01" : TwoDigits(today.month + 1)) {}
  const TodayFields& today;
  std::string this_year;
  std::string next_year;
  std::string this_month;
  std::string next_month;
};

// What goes before a stored line to widen its two-character year to four:
// "@@" before "@@", "19" before 90..99, "20" before any other integer.
// Throws ScheduleIntegerError for anything else.
std::string_view WidenedYearPrefix(std::string_view line) {
  const std::string_view year = Field(line, 0, 2);
  if (year == kEvery) return kEvery;
  std::optional<int> value = ReadFieldInteger(year);
  if (!value) throw ScheduleIntegerError(DecodeCp932Lossy(year));
  return *value >= 90 && *value <= 99 ? "19" : "20";
}

// Whether a widened line repeats every year on a given month, and so gets a
// copy dated next year.
bool RepeatsYearly(std::string_view line) {
  return Field(line, 0, 4) == kEveryYear && Field(line, 5, 2) != kEvery;
}

// Appends the copy of a yearly line dated next year.
void AppendNextYearCopy(std::string_view line, const RepeatTexts& texts, std::string& out) {
  out += texts.next_year;
  out += Field(line, 4, 6);
  out += Cp932SliceView(line, 10, kResolvedLineBytes);
}

// Appends a widened line with its repeats resolved: "@@@@" becomes this
// year; a day 1..31 of month "@@" takes this month when it has not passed,
// else the next one; the line is cut to its first 266 bytes.
void AppendResolved(std::string_view line, const RepeatTexts& texts, std::string& out) {
  const TodayFields& today = texts.today;
  std::string_view year = Field(line, 0, 4);
  std::string_view month = Field(line, 5, 2);
  const std::string_view day_field = Field(line, 8, 2);
  if (year == kEveryYear) year = texts.this_year;
  const int day = ReadFieldInteger(day_field, 0);
  if (day >= 1 && day <= 31 && month == kEvery) {
    if (day >= today.day) {
      month = texts.this_month;
    } else if (today.month == 12) {
      year = texts.next_year;
      month = texts.next_month;
    } else {
      month = texts.next_month;
    }
  }
  out += year;
  out += Field(line, 4, 1);
  out += month;
  out += Field(line, 7, 1);
  out += day_field;
  out += Cp932SliceView(line, 10, kResolvedLineBytes);
}

// Lines kept end to end in blocks of bytes that never move, so that a line
// costs no allocation of its own and the lines already kept are not copied
// again as more come.
class LineBlock {
 public:
  void Add(std::string_view line) {
    if (line.size() > room_) {
      const std::size_t size = std::max(kBlockBytes, line.size());
      blocks_.push_back(std::make_unique<char[]>(size));
      next_ = blocks_.back().get();
      room_ = size;
    }
    std::copy(line.begin(), line.end(), next_);
    lines_.emplace_back(next_, line.size());
    next_ += line.size();
    room_ -= line.size();
  }
  const std::vector<std::string_view>& Lines() const { return lines_; }

 private:
  static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;
  std::size_t room_ = 0;
  std::vector<std::string_view> lines_;
};

// The output lines, collected in one block: a date, a blank and the text of
// an expanded line, with the weekday label after the date when labels are on.
class OutputLines {
 public:
  OutputLines(const TodayFields& today, const ScheduleOptions& options) : today_(today) {
    if (!options.WeekdayLabelsOn()) return;
    labels_on_ = true;
    // The seven labels with their blank, encoded once.
    for (int weekday = 1; weekday <= 7; ++weekday) {
      if (std::optional<std::string> label =
              EncodeCp932(WeekdayLabel(options.weekday_label_style, weekday))) {
        labels_[weekday - 1] = " " + *label;
      }
    }
  }

  void Add(std::string_view date, std::string_view line) {
    line_.assign(date);
    line_ += ' ';
    line_ += ExpandedTextView(line);
    Emit();
  }
  void AddText(std::string_view first, std::string_view second) {
    line_.assign(first);
    line_ += second;
    Emit();
  }

  // The lines sorted, each once.
  ScheduleList Finish() const {
    const std::vector<std::string_view>& kept = block_.Lines();
    const std::vector<std::size_t> order =
        SortedLineOrder(kept.size(), [&kept](std::size_t i) { return kept[i]; });
    std::vector<std::string> lines;
    lines.reserve(order.size());
    for (const std::size_t index : order) {
      const std::string_view line = kept[index];
      if (lines.empty() || lines.back() != line) lines.emplace_back(line);
    }
    return ScheduleList(std::move(lines));
  }

 private:
  // A line whose first ten bytes read as a date gets the label of its
  // weekday after them.
  void Emit() {
    if (labels_on_) {
      if (std::optional<CivilDate> date = ReadDateText(Field(line_, 0, 10), today_.year)) {
        if (const std::optional<std::string>& label = labels_[WeekdayOf(*date) - 1]) {
          line_.insert(std::min<std::size_t>(10, line_.size()), *label);
        }
      }
    }
    block_.Add(line_);
  }

  const TodayFields& today_;
  bool labels_on_ = false;
  std::optional<std::string> labels_[7];
  std::string line_;
  LineBlock block_;
};

// The current date plus 0..advance days.
std::vector<CivilDate> CountedDays(const Clock& clock, int advance) {
  const CivilDate now = DateOf(clock.Now());
  std::vector<CivilDate> days;
  for (int k = 0; k <= advance; ++k) days.push_back(AddDays(now, k));
  return days;
}

CivilDate ReadMarkerDate(std::string_view text, const TodayFields& today) {
  std::optional<CivilDate> date = ReadDateText(text, today.year);
  if (!date) throw ScheduleDateError(DecodeCp932Lossy(text));
  return *date;
}

// The output steps for one resolved line: weekly and n-th-weekday
// occurrences on the counted days, the start-marker line, the plain-date
// line. Each line goes through all of them while it is at hand; the steps
// depend on nothing but the line, so the output is the same as of one step
// over all lines after another, and the first malformed marker raised is
// the same.
class LineSteps {
 public:
  LineSteps(const std::vector<CivilDate>& days, const TodayFields& today, int period,
            OutputLines& output)
      : today_(today),
        period_(period),
        output_(output),
        marker_(StartMarkerBytes()),
        today_text_(today.TodayText()),
        now_(DateOf(today)) {
    for (const CivilDate& day : days) {
      day_texts_.push_back(DateText(day));
      weekdays_.push_back(static_cast<char>('0' + WeekdayOf(day)));
      codes_.push_back(NthWeekdayCodes(day));
    }
  }

  void Run(std::string_view line) {
    AddWeekly(line);
    AddNthWeekday(line);
    AddStartMarker(line);
    AddPlainDate(line);
  }

 private:
  void AddWeekly(std::string_view line) {
    const std::string_view day_field = Field(line, 8, 2);
    if (day_field.size() != 2 || day_field[0] != 'W') return;
    for (std::size_t k = 0; k < weekdays_.size(); ++k) {
      if (day_field[1] == weekdays_[k]) output_.Add(day_texts_[k], line);
    }
  }

  void AddNthWeekday(std::string_view line) {
    // An entry for another month than today's is not considered at all, even
    // when an advance day reaches into its month.
    if (Field(line, 5, 2) != kEvery && Field(line, 5, 3) != today_.month_text) return;
    const std::string_view day_field = Field(line, 8, 2);
    if (day_field.size() != 2 || kLetters.find(day_field[0]) == std::string_view::npos) return;
    for (std::size_t k = 0; k < codes_.size(); ++k) {
      if (day_field == codes_[k].nth) output_.Add(day_texts_[k], line);
      if (day_field == codes_[k].last) output_.Add(day_texts_[k], line);
    }
  }

  void AddStartMarker(std::string_view line) {
    const std::size_t found = line.find(marker_);
    if (found == std::string_view::npos) return;
    const CivilDate start = ReadMarkerDate(Field(line, found + marker_.size(), 10), today_);
    const CivilDate end = ReadMarkerDate(Field(line, 0, 10), today_);
    if (start <= now_ && now_ <= end) output_.Add(today_text_, line);
  }

  void AddPlainDate(std::string_view line) {
    const std::string_view date = Field(line, 0, 10);
    if (MatchesPeriod(date, today_, period_)) output_.Add(date, line);
  }

  const TodayFields& today_;
  int period_;
  OutputLines& output_;
  const std::string& marker_;
  std::string today_text_;
  CivilDate now_;
  std::vector<std::string> day_texts_;
  std::vector<char> weekdays_;
  std::vector<NthWeekdayCode> codes_;
};

void AddBirthdayLine(const std::string& birthday, const TodayFields& today, OutputLines& output) {
  if (birthday.empty()) return;
  if (Field(birthday, 3, 3) != today.month_text || Field(birthday, 6, 2) != today.day_text) {
    return;
  }
  output.AddText(today.TodayText(), BirthdayBytes());
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
  for (std::string& line : merged) line.insert(0, WidenedYearPrefix(line));
}

void AddNextYearCopies(std::vector<std::string>& merged, const TodayFields& today) {
  const RepeatTexts texts(today);
  const std::size_t count = merged.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (!RepeatsYearly(merged[i])) continue;
    std::string copy;
    AppendNextYearCopy(merged[i], texts, copy);
    merged.push_back(std::move(copy));
  }
}

void ResolveRepeatDates(std::vector<std::string>& merged, const TodayFields& today) {
  const RepeatTexts texts(today);
  std::string rebuilt;
  for (std::string& line : merged) {
    rebuilt.clear();
    AppendResolved(line, texts, rebuilt);
    line.assign(rebuilt);
  }
}

void ResolveRepeats(std::vector<std::string>& merged, const TodayFields& today, int period) {
  if (period < kPeriodRest) AddNextYearCopies(merged, today);
  ResolveRepeatDates(merged, today);
}

std::string ExpandedText(std::string_view line) { return std::string(ExpandedTextView(line)); }

ScheduleList ExpandMergedLines(const std::vector<std::string>& merged,
                               const ScheduleOptions& options, const TodayFields& today,
                               const Clock& clock, const std::vector<DatedLine>& calendar_lines) {
  // The same as WidenYears, ResolveRepeats and the output steps one after
  // another over the whole list, done line by line in reused buffers: every
  // year is checked first, so a malformed year is still the first error.
  for (const std::string& line : merged) WidenedYearPrefix(line);

  const RepeatTexts texts(today);
  const std::vector<CivilDate> days = CountedDays(clock, options.AdvanceDays());
  OutputLines output(today, options);
  LineSteps steps(days, today, options.period, output);
  std::string widened;
  std::string resolved;
  const auto expand = [&](std::string_view line) {
    resolved.clear();
    AppendResolved(line, texts, resolved);
    steps.Run(resolved);
  };
  for (const std::string& line : merged) {
    widened.assign(WidenedYearPrefix(line));
    widened += line;
    expand(widened);
  }
  // The copies for next year come after all stored lines, as
  // AddNextYearCopies appends them.
  if (options.period < kPeriodRest) {
    std::string copy;
    for (const std::string& line : merged) {
      widened.assign(WidenedYearPrefix(line));
      widened += line;
      if (!RepeatsYearly(widened)) continue;
      copy.clear();
      AppendNextYearCopy(widened, texts, copy);
      expand(copy);
    }
  }
  std::string text;
  for (const DatedLine& line : calendar_lines) {
    if (!MatchesPeriod(line.date, today, options.period)) continue;
    text.assign(1, ' ');
    text += line.text;
    output.AddText(line.date, text);
  }
  AddBirthdayLine(options.birthday, today, output);
  return output.Finish();
}

ScheduleList ExpandSchedule(ScheduleList& entries, const std::filesystem::path& schedule_file,
                            const ScheduleOptions& options, const TodayFields& today,
                            const Clock& clock, const std::vector<DatedLine>& calendar_lines) {
  LoadScheduleFile(schedule_file, entries);
  return ExpandMergedLines(
      MergeScheduleSources(entries, options.source, options.external_path, today), options, today,
      clock, calendar_lines);
}

}  // namespace murva
