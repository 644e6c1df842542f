// The settings the schedule expansion reads, taken from the working copy.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "settings/working_copy.h"

namespace murva {

// The items of the advance-day list (BeforeWeek 0..5).
inline constexpr std::array<const char*, 6> kAdvanceDayItems = {
    "当日だけ表示",   "１日前から表示", "２日前から表示",
    "３日前から表示", "４日前から表示", "５日前から表示"};

struct ScheduleOptions {
  int period = 0;                       // CalSchedul, 0..10
  int days_before = 0;                  // BeforeWeek, 0..5
  int source = 0;                       // UseSelbori, 0..2
  std::filesystem::path external_path;  // SelborPath
  std::string birthday;                 // MyBirthday, "yy/mm/dd" or empty
  bool cut_weekday = true;              // CutWeekDsp
  int weekday_label_style = 1;          // CalendWeek, 0..7

  // Whether the output lines carry a weekday label.
  bool WeekdayLabelsOn() const { return !cut_weekday && weekday_label_style > 0; }
  // The advance days of the weekly and n-th-weekday steps: the chosen number
  // from period 2 on, none below.
  int AdvanceDays() const;
};

ScheduleOptions ScheduleOptionsOf(const WorkingCopy& copy);

}  // namespace murva
