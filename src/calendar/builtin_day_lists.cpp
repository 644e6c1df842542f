#include "calendar/builtin_day_lists.h"

namespace murva {

const std::vector<std::string>& BuiltInHolidayLines() {
  static const std::vector<std::string> lines = {
      "1,1,元旦",
      "1999,1,1,15,成人の日OLD",
      "2000,2,1,2,2,成人の日NEW",
      "2,11,建国の日",
      "4,29,みどりの日",
      "5,3,憲法記念日",
      "5,4,国民の休日",
      "5,5,こどもの日",
      "2002,1,7,20,海の日OLD",
      "2003,2,7,3,2,海の日NEW",
      "2002,1,9,15,敬老の日OLD",
      "2003,2,9,3,2,敬老の日NEW",
      "1999,1,10,10,体育の日OLD",
      "2000,2,10,2,2,体育の日NEW",
      "11,3,文化の日",
      "11,23,勤労感謝の日",
      "12,23,天皇誕生日",
  };
  return lines;
}

const std::vector<std::string>& BuiltInSpecialDayLines() {
  static const std::vector<std::string> lines = {""};
  return lines;
}

}  // namespace murva
