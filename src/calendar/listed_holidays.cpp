#include "calendar/listed_holidays.h"

#include <charconv>

#include "calendar/julius.h"

namespace murva {
namespace {

constexpr const char* kHeader = "国民の祝日・休日月日,国民の祝日・休日名称";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::optional<int> Number(std::string_view text) {
  text = Trim(text);
  int value = 0;
  if (text.empty() || text.size() > 4) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

struct ListedDay {
  int year = 0;
  int month = 0;
  int day = 0;
  std::string name;
};

// A day line, or the reason it is none.
std::optional<ListedDay> ReadDayLine(std::string_view line, std::string& reason) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) {
    reason = "「年/月/日,名称」の形ではありません";
    return std::nullopt;
  }
  const std::string_view date = line.substr(0, comma);
  const std::size_t slash1 = date.find('/');
  const std::size_t slash2 = slash1 == std::string_view::npos ? slash1 : date.find('/', slash1 + 1);
  if (slash2 == std::string_view::npos) {
    reason = "日付が「年/月/日」の形ではありません";
    return std::nullopt;
  }
  const std::optional<int> year = Number(date.substr(0, slash1));
  const std::optional<int> month = Number(date.substr(slash1 + 1, slash2 - slash1 - 1));
  const std::optional<int> day = Number(date.substr(slash2 + 1));
  if (!year || !month || !day) {
    reason = "日付が「年/月/日」の形ではありません";
    return std::nullopt;
  }
  if (*year < kFirstListedYear || *year > kLastListedYear) {
    reason = std::to_string(*year) + "年は扱えません（" + std::to_string(kFirstListedYear) + "年～" +
             std::to_string(kLastListedYear) + "年）";
    return std::nullopt;
  }
  if (*month < 1 || *month > 12 || *day < 1 || *day > MonthDays(*year, *month)) {
    reason = "存在しない日付です";
    return std::nullopt;
  }
  const std::string_view name = Trim(line.substr(comma + 1));
  if (name.empty()) {
    reason = "祝日の名称がありません";
    return std::nullopt;
  }
  return ListedDay{*year, *month, *day, std::string(name)};
}

bool LooksLikeDayLine(std::string_view line) {
  line = Trim(line);
  return !line.empty() && line[0] >= '0' && line[0] <= '9';
}

}  // namespace

const std::string* ListedHolidays::NameOf(std::int32_t julius) const {
  const auto found = days.find(julius);
  return found == days.end() ? nullptr : &found->second;
}

HolidayListReading ReadHolidayList(std::string_view text) {
  HolidayListReading reading;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  ListedHolidays list;
  int line_number = 0;
  bool header_seen = false;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = Trim(text.substr(at, end - at));
    at = end + 1;
    ++line_number;
    if (line.empty()) continue;
    if (!header_seen) {
      header_seen = true;
      // The header names the columns; a list without one starts with a day.
      if (!LooksLikeDayLine(line)) continue;
    }
    std::string reason;
    const std::optional<ListedDay> day = ReadDayLine(line, reason);
    if (!day) {
      reading.error_line = line_number;
      reading.error = reason;
      return reading;
    }
    const std::int32_t julius = DateToJulius(day->year, day->month, day->day);
    if (!list.days.emplace(julius, day->name).second) {
      reading.error_line = line_number;
      reading.error = "同じ日付が二度あります";
      return reading;
    }
    if (list.days.size() == 1) {
      list.first_year = list.last_year = day->year;
    } else {
      list.first_year = std::min(list.first_year, day->year);
      list.last_year = std::max(list.last_year, day->year);
    }
  }
  if (list.days.empty()) {
    reading.error_line = line_number;
    reading.error = "祝日が一つもありません";
    return reading;
  }
  reading.list = std::move(list);
  return reading;
}

std::string FormatHolidayList(const ListedHolidays& list) {
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [julius, name] : list.days) {
    const DateTriple date = JuliusToDate(julius);
    text += std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
            std::to_string(date.day) + "," + name + "\n";
  }
  return text;
}

std::string CoveredYearsText(const ListedHolidays& list) {
  if (list.first_year == list.last_year) return std::to_string(list.first_year) + "年";
  return std::to_string(list.first_year) + "年～" + std::to_string(list.last_year) + "年";
}

}  // namespace murva
