// What the run cycle keeps for the whole life of the process.
#pragma once

#include <filesystem>

#include "render/today_fields.h"

namespace murva {

struct RunState {
  std::filesystem::path program_folder;
  std::filesystem::path settings_path;   // program folder + MURVA32.INI
  std::filesystem::path schedule_path;   // program folder + MURVA32.SCH
  bool built_today = false;              // CalMakeDay == TodayText at load time
  TodayFields today;                     // the start-up date
  int full_client_height = 0;            // to restore the shrunk window
  bool test_run = false;                 // set by a right click on the build button
  int countdown = 0;                     // seconds shown in PanelWait
};

}  // namespace murva
