// The editor's date and text fields and the entry line built from them.
//
// An entry line (CP932) reads: year "yy" or "@@", "/", month "mm" or "@@",
// "/", day "dd", "W" + weekday digit or a letter A..F + weekday digit, the
// form code, the text and optionally "%" + colour name + "%".
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "render/today_fields.h"

namespace murva {

// Form codes, computed from the fields: 1 a date, 2 every year ("@@" year),
// 3 every month ("@@" month), 4 every week ("W" day), 5 the n-th or last
// weekday (letter day). Written for every entry, never read back.
inline constexpr std::array<const char*, 5> kFormCodes = {" 00 1 ", " 00 2 ", " 00 3 ", " 00 4 ",
                                                          " 00 5 "};

// The editor's fields as the widgets hold them (UTF-8). `color` is the name
// shown by the colour list, empty for its empty item.
struct EntryFields {
  std::string year;
  std::string month;
  std::string day;
  std::string text;
  std::string color;

  bool operator==(const EntryFields&) const = default;
};

// The field rules applied whenever a field's text changes; each returns the
// text the field shows afterwards.
// Year: "@@" and texts shorter than two characters stand; an integer 0..99 is
// written with two digits; anything else empties the field.
std::string NormalizeYearField(const std::string& text);
// Month: "@@" stands; an integer 1..12 is written without leading zero;
// anything else empties the field when it is longer than one character (a
// lone "0" or "1" may stand while typing).
std::string NormalizeMonthField(const std::string& text);
// Day: a text beginning with one of "ABCDEFW" stands unless it is exactly two
// characters; then a second character 1..7 is accepted, another digit falls
// to the numeric rule, and a second character that is no digit throws
// ScheduleIntegerError (the text stands). Numeric rule: an integer 1..31 is
// written without leading zero; anything else empties the field.
std::string NormalizeDayField(const std::string& text);

// The fields after start-up and after every add, change or delete: the last
// two digits of today's year, everything else empty.
EntryFields InitialEntryFields(const TodayFields& today);

// The entry line (CP932) of the fields, with its form code. Throws
// InvalidEntryError when a field does not convert (an empty field, letters,
// a pattern day that is not a letter and a weekday digit 1..7), when a number
// does not fit its two-digit field or when the text holds a line break;
// UnstorableEntryTextError (naming the character) when the text or the colour
// name has a character without a CP932 form; ImpossibleEntryDateError for a
// date no calendar has (31 February, 29 February of a common year). Such an
// entry would never be shown; lines already in the file are not checked.
std::string BuildEntryLine(const EntryFields& fields);

// The fields an entry line puts into the editor (UTF-8): characters 1-2 as
// the year, 4-5 as the month, 7-8 as the day, everything from character 15
// (the text with any colour keyword) as the text, each field after its change
// rule; the colour stays empty.
EntryFields EntryFieldsOf(std::string_view line);

}  // namespace murva
