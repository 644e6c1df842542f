#include "schedule/entry_fields.h"

#include <cstdio>
#include <optional>

#include "schedule/field_integer.h"
#include "schedule/schedule_date.h"
#include "schedule/schedule_errors.h"
#include "settings/cp932.h"
#include "settings/cp932_check.h"

namespace murva {

namespace {

constexpr std::string_view kEvery = "@@";
constexpr std::string_view kPatternDayLetters = "ABCDEFW";
constexpr std::string_view kNthLetters = "ABCDEF";

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

// A field converted for the entry line: "@@" stays, an integer is written
// with two digits.
std::string EntryNumber(std::string_view field) {
  std::optional<int> value = ReadFieldInteger(field);
  if (!value || *value < 0 || *value > 99) throw InvalidEntryError();
  return TwoDigits(*value);
}

// Whether the second character of a pattern day is a weekday digit 1..7; a
// second character that is no integer makes the entry invalid.
bool HasWeekdayDigit(std::string_view day) {
  std::optional<int> weekday = ReadFieldInteger(day.substr(1, 1));
  if (!weekday) throw InvalidEntryError();
  return *weekday >= 1 && *weekday <= 7;
}

std::string EncodeField(std::string_view utf8) {
  if (utf8.find_first_of("\r\n") != std::string_view::npos) throw InvalidEntryError();
  if (std::optional<std::string> character = FirstCharacterWithoutCp932(utf8)) {
    throw UnstorableEntryTextError(*character);
  }
  std::optional<std::string> bytes = EncodeCp932(utf8);
  if (!bytes) throw InvalidEntryError();
  return *bytes;
}

// A plain day of a given month that no year (or not the entry's year) has.
// Years read as the expansion reads them: 90..99 the 1990s, 00..89 from
// 2000 on. A month of every month ("@@") is left alone: such an entry is
// shown in the months that have the day.
void CheckPossibleDate(const EntryFields& fields) {
  if (fields.month == kEvery) return;
  const std::optional<int> month = ReadFieldInteger(fields.month);
  const std::optional<int> day = ReadFieldInteger(fields.day);
  if (!month || !day || *month < 1 || *month > 12 || *day < 1) return;
  if (fields.year == kEvery) {
    if (*day > DaysInMonth(2000, *month)) throw ImpossibleEntryDateError(0, *month, *day);
    return;
  }
  const std::optional<int> two_digits = ReadFieldInteger(fields.year);
  if (!two_digits) return;
  const int year = (*two_digits >= 90 ? 1900 : 2000) + *two_digits;
  if (*day > DaysInMonth(year, *month)) throw ImpossibleEntryDateError(year, *month, *day);
}

std::string Slice(std::string_view line, std::size_t pos, std::size_t count) {
  if (pos >= line.size()) return {};
  return DecodeCp932Lossy(line.substr(pos, count));
}

}  // namespace

std::string NormalizeYearField(const std::string& text) {
  if (text == kEvery || text.size() < 2) return text;
  const int value = ReadFieldInteger(text, -1);
  if (value < 0 || value > 99) return {};
  return TwoDigits(value);
}

std::string NormalizeMonthField(const std::string& text) {
  if (text == kEvery) return text;
  const int value = ReadFieldInteger(text, -1);
  if (value >= 1 && value <= 12) return std::to_string(value);
  return text.size() > 1 ? std::string() : text;
}

std::string NormalizeDayField(const std::string& text) {
  if (!text.empty() && kPatternDayLetters.find(text[0]) != std::string_view::npos) {
    if (text.size() != 2) return text;
    const char second = text[1];
    if (second < '0' || second > '9') throw ScheduleIntegerError(text.substr(1, 1));
    if (second >= '1' && second <= '7') return text;
  }
  const int value = ReadFieldInteger(text, -1);
  if (value >= 1 && value <= 31) return std::to_string(value);
  return {};
}

EntryFields InitialEntryFields(const TodayFields& today) {
  EntryFields fields;
  fields.year = TwoDigits(((today.year % 100) + 100) % 100);
  return fields;
}

std::string BuildEntryLine(const EntryFields& fields) {
  int code = 1;
  std::string line;
  if (fields.year == kEvery) {
    line += "@@/";
    code = 2;
  } else {
    line += EntryNumber(fields.year) + "/";
  }
  if (fields.month == kEvery) {
    line += "@@/";
    code = 3;
  } else {
    line += EntryNumber(fields.month) + "/";
  }

  const std::string& day = fields.day;
  const bool pattern_form = day.size() == 2 && kPatternDayLetters.find(day[0]) != std::string::npos;
  if (!day.empty() && day[0] == 'W' && day.size() >= 2 && HasWeekdayDigit(day)) {
    if (!pattern_form) throw InvalidEntryError();
    line += day;
    code = 4;
  } else if (!day.empty() && kNthLetters.find(day[0]) != std::string_view::npos &&
             day.size() >= 2 && HasWeekdayDigit(day)) {
    if (!pattern_form) throw InvalidEntryError();
    line += day;
    code = 5;
  } else {
    line += EntryNumber(day);
    CheckPossibleDate(fields);
  }

  line += kFormCodes[static_cast<std::size_t>(code - 1)];
  line += EncodeField(fields.text);
  if (!fields.color.empty()) line += "%" + EncodeField(fields.color) + "%";
  return line;
}

EntryFields EntryFieldsOf(std::string_view line) {
  EntryFields fields;
  fields.year = NormalizeYearField(Slice(line, 0, 2));
  fields.month = NormalizeMonthField(Slice(line, 3, 2));
  fields.day = Slice(line, 6, 2);
  try {
    fields.day = NormalizeDayField(fields.day);
  } catch (const ScheduleIntegerError&) {
    // The day field keeps a text its rule refuses, as while typing.
  }
  fields.text = Slice(line, 14, std::string_view::npos);
  return fields;
}

}  // namespace murva
