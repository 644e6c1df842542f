#include "calendar/builtin_day_lists.h"

namespace murva {

namespace {

// Adds "<year>,0,<rest>" for every year from first to last: a holiday that
// held for those years only.
void AddEachYear(std::vector<std::string>& lines, int first, int last, const std::string& rest) {
  for (int year = first; year <= last; ++year) {
    lines.push_back(std::to_string(year) + ",0," + rest);
  }
}

std::vector<std::string> MakeBuiltInHolidayLines() {
  std::vector<std::string> lines;
  lines.emplace_back("1,1,元日");

  // 成人の日: 15 January, from 2000 the second Monday of January.
  lines.emplace_back("1999,1,1,15,成人の日");
  lines.emplace_back("2000,2,1,2,2,成人の日");

  lines.emplace_back("2,11,建国記念の日");

  // 天皇誕生日 of the Shōwa era (29 April), of the Heisei era (23 December,
  // 1989 to 2018; none in 2019) and of the Reiwa era (23 February).
  lines.emplace_back("2020,2,2,23,天皇誕生日");

  // 29 April: 天皇誕生日 until 1988, みどりの日 1989 to 2006, 昭和の日 from
  // 2007; みどりの日 moved to 4 May in 2007.
  lines.emplace_back("1988,1,4,29,天皇誕生日");
  AddEachYear(lines, 1989, 2006, "4,29,みどりの日");
  lines.emplace_back("2007,2,4,29,昭和の日");

  lines.emplace_back("5,3,憲法記念日");
  lines.emplace_back("2007,2,5,4,みどりの日");
  lines.emplace_back("5,5,こどもの日");

  // 海の日: 20 July from 1996, the third Monday of July from 2003, moved for
  // the Olympic Games of Tokyo in 2020 and 2021.
  AddEachYear(lines, 1996, 2002, "7,20,海の日");
  AddEachYear(lines, 2003, 2019, "7,3,2,海の日");
  lines.emplace_back("2020,0,7,23,海の日");
  lines.emplace_back("2021,0,7,22,海の日");
  lines.emplace_back("2022,2,7,3,2,海の日");

  // 山の日: 11 August from 2016, moved in 2020 and 2021.
  AddEachYear(lines, 2016, 2019, "8,11,山の日");
  lines.emplace_back("2020,0,8,10,山の日");
  lines.emplace_back("2021,0,8,8,山の日");
  lines.emplace_back("2022,2,8,11,山の日");

  // 敬老の日: 15 September, from 2003 the third Monday of September.
  lines.emplace_back("2002,1,9,15,敬老の日");
  lines.emplace_back("2003,2,9,3,2,敬老の日");

  // 体育の日: 10 October, the second Monday of October from 2000; renamed
  // スポーツの日 in 2020, and moved in 2020 and 2021.
  lines.emplace_back("1999,1,10,10,体育の日");
  AddEachYear(lines, 2000, 2019, "10,2,2,体育の日");
  lines.emplace_back("2020,0,7,24,スポーツの日");
  lines.emplace_back("2021,0,7,23,スポーツの日");
  lines.emplace_back("2022,2,10,2,2,スポーツの日");

  lines.emplace_back("11,3,文化の日");
  lines.emplace_back("11,23,勤労感謝の日");
  AddEachYear(lines, 1989, 2018, "12,23,天皇誕生日");

  // Days of the imperial house made holidays once.
  lines.emplace_back("1989,0,2,24,大喪の礼");
  lines.emplace_back("1990,0,11,12,即位礼正殿の儀");
  lines.emplace_back("1993,0,6,9,結婚の儀");
  lines.emplace_back("2019,0,5,1,即位の日");
  lines.emplace_back("2019,0,10,22,即位礼正殿の儀");
  return lines;
}

}  // namespace

const std::vector<std::string>& BuiltInHolidayLines() {
  static const std::vector<std::string> lines = MakeBuiltInHolidayLines();
  return lines;
}

const std::vector<std::string>& BuiltInSpecialDayLines() {
  static const std::vector<std::string> lines = {""};
  return lines;
}

}  // namespace murva
