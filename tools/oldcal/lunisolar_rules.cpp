#include "oldcal/lunisolar_rules.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "calendar/julius.h"

namespace murva::oldcal {

namespace {

constexpr int kVernalEquinox = 0;
constexpr int kSummerSolstice = 6;
constexpr int kAutumnalEquinox = 12;
constexpr int kWinterSolstice = 18;
constexpr int kLeapOffset = 100;

std::string DayText(std::int32_t day) {
  const DateTriple date = JuliusToDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.year) % 10000,
                date.month % 100, date.day % 100);
  return text;
}

bool IsCardinal(int term) {
  return term == kVernalEquinox || term == kSummerSolstice || term == kAutumnalEquinox ||
         term == kWinterSolstice;
}

// The months of one span from a winter-solstice month, numbered from 11,
// with the leap month (if any) at index `leap` of the span.
std::vector<int> NumberSpan(std::size_t length, std::optional<std::size_t> leap) {
  std::vector<int> numbers;
  int base = 11;
  for (std::size_t i = 0; i < length; ++i) {
    if (i > 0) {
      if (leap && *leap == i) {
        numbers.push_back(kLeapOffset + base);
        continue;
      }
      base = base == 12 ? 1 : base + 1;
    }
    numbers.push_back(base);
  }
  return numbers;
}

// The first cardinal term of the span that the numbering puts in a month
// other than its own, as an index into `terms_in` (the span's months).
std::optional<std::size_t> MisplacedCardinal(const std::vector<std::vector<int>>& terms_in,
                                             std::size_t first,
                                             const std::vector<int>& numbers) {
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    for (int term : terms_in[first + i]) {
      if (IsCardinal(term) && numbers[i] != MonthOfPrincipalTerm(term)) return i;
    }
  }
  return std::nullopt;
}

}  // namespace

int MonthOfPrincipalTerm(int term) { return (term / 2 + 1) % 12 + 1; }

std::vector<NamedMonth> NameMonths(const std::vector<std::int32_t>& new_moon_days,
                                   const std::vector<PrincipalTerm>& terms,
                                   std::vector<std::string>& notes) {
  if (new_moon_days.size() < 2) throw std::invalid_argument("too few new moons");
  const std::size_t month_count = new_moon_days.size() - 1;

  // The principal terms each month holds.
  std::vector<std::vector<int>> terms_in(month_count);
  for (const PrincipalTerm& term : terms) {
    if (term.term % 2 != 0 || term.term < 0 || term.term >= 24) {
      throw std::invalid_argument("not a principal term");
    }
    const auto next = std::upper_bound(new_moon_days.begin(), new_moon_days.end(), term.day);
    if (next == new_moon_days.begin() || next == new_moon_days.end()) continue;
    terms_in[static_cast<std::size_t>(next - new_moon_days.begin() - 1)].push_back(term.term);
  }

  std::vector<std::size_t> solstice_months;
  for (std::size_t i = 0; i < month_count; ++i) {
    if (std::find(terms_in[i].begin(), terms_in[i].end(), kWinterSolstice) != terms_in[i].end()) {
      solstice_months.push_back(i);
    }
  }
  if (solstice_months.size() < 2) throw std::invalid_argument("fewer than two winter solstices");

  std::vector<NamedMonth> named;
  for (std::size_t s = 0; s + 1 < solstice_months.size(); ++s) {
    const std::size_t first = solstice_months[s];
    const std::size_t length = solstice_months[s + 1] - first;
    const std::string span = "the months from " + DayText(new_moon_days[first]) + " to " +
                             DayText(new_moon_days[first + length] - 1);
    std::vector<int> numbers;
    if (length == 12) {
      numbers = NumberSpan(length, std::nullopt);
      if (const auto misplaced = MisplacedCardinal(terms_in, first, numbers)) {
        notes.push_back(span + ": twelve months from winter solstice to winter solstice, no leap "
                        "month; the month from " +
                        DayText(new_moon_days[first + *misplaced]) + " holds a cardinal term but is "
                        "month " + std::to_string(numbers[*misplaced]) +
                        " (the winter solstice decides)");
      }
    } else if (length == 13) {
      std::vector<std::size_t> candidates;
      for (std::size_t i = 1; i < length; ++i) {
        if (terms_in[first + i].empty()) candidates.push_back(i);
      }
      if (candidates.empty()) {
        throw std::invalid_argument(span + ": thirteen months, none without a principal term");
      }
      std::optional<std::size_t> leap;
      for (std::size_t candidate : candidates) {
        if (!MisplacedCardinal(terms_in, first, NumberSpan(length, candidate))) {
          leap = candidate;
          break;
        }
      }
      if (!leap) {
        leap = candidates.front();
        notes.push_back(span + ": no leap month keeps every cardinal term in its month; the "
                        "first month without a principal term, from " +
                        DayText(new_moon_days[first + *leap]) + ", is the leap month");
      } else if (*leap != candidates.front()) {
        notes.push_back(span + ": the month from " +
                        DayText(new_moon_days[first + candidates.front()]) +
                        " has no principal term but is not the leap month; the leap month is "
                        "the one from " +
                        DayText(new_moon_days[first + *leap]));
      }
      numbers = NumberSpan(length, leap);
    } else {
      throw std::invalid_argument(span + ": " + std::to_string(length) +
                                  " months from winter solstice to winter solstice");
    }
    for (std::size_t i = 0; i < length; ++i) {
      named.push_back({new_moon_days[first + i], numbers[i]});
      if (terms_in[first + i].size() > 1) {
        notes.push_back("the month from " + DayText(new_moon_days[first + i]) + " (month " +
                        std::to_string(numbers[i]) + ") holds two principal terms");
      }
    }
  }
  named.push_back({new_moon_days[solstice_months.back()], 11});
  return named;
}

}  // namespace murva::oldcal
