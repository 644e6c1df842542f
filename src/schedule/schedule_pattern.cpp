#include "schedule/schedule_pattern.h"

namespace murva {

namespace {

constexpr const char* kEvery = "@@";
constexpr const char* kNthLetters = "ABCDEF";
constexpr const char* kWeekdayDigits = "1234567";

bool InRange(int index, int last) { return index >= 1 && index <= last; }

PatternOutcome Fields(std::string year, std::string month, std::string day, EditorField focus) {
  PatternOutcome outcome;
  outcome.fields = PatternFields{std::move(year), std::move(month), std::move(day), focus};
  return outcome;
}

PatternOutcome Message(const char* message) {
  PatternOutcome outcome;
  outcome.message = message;
  return outcome;
}

}  // namespace

PatternOutcome ApplyPattern(int pattern, int occurrence, int weekday) {
  switch (pattern) {
    case kPatternYearly:
      return Fields(kEvery, "", "", EditorField::kMonth);
    case kPatternMonthly:
      return Fields(kEvery, kEvery, "", EditorField::kDay);
    case kPatternWeekly:
      if (!InRange(weekday, 7)) return Message(kPatternWeeklyMessage);
      return Fields(kEvery, kEvery, "W" + std::to_string(weekday), EditorField::kText);
    case kPatternNthWeekday:
      if (!InRange(occurrence, 6) || !InRange(weekday, 7)) {
        return Message(kPatternNthWeekdayMessage);
      }
      return Fields(kEvery, kEvery,
                    std::string{kNthLetters[occurrence - 1], kWeekdayDigits[weekday - 1]},
                    EditorField::kText);
    default:
      return Message(kPatternChooseMessage);
  }
}

PatternNeeds PatternNeedsOf(int pattern) {
  PatternNeeds needs;
  switch (pattern) {
    case kPatternYearly:
    case kPatternMonthly:
      break;
    case kPatternWeekly:
      needs.weekday = true;
      break;
    case kPatternNthWeekday:
      needs.occurrence = true;
      needs.weekday = true;
      break;
    default:
      needs.message = kPatternChooseMessage;
      break;
  }
  return needs;
}

}  // namespace murva
