// Today's date as the program keeps it from start-up: the numbers and the
// three texts whose concatenation is TodayText ("2002/05/03").
#pragma once

#include <string>

namespace murva {

struct TodayFields {
  int year = 2000;
  int month = 1;
  int day = 1;
  std::string year_text = "2000/";  // four digits and "/"
  std::string month_text = "01/";   // two digits and "/"
  std::string day_text = "01";      // two digits

  std::string TodayText() const { return year_text + month_text + day_text; }

  static TodayFields Of(int year, int month, int day);
};

}  // namespace murva
