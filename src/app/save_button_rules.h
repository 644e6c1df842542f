// Which edit enables which save button of the settings tabs, and which
// button goes off when its tab is brought to the front. The buttons' state is
// kept in the working copy (enabled = unsaved edits on that tab).
#pragma once

#include "settings/working_copy.h"

namespace murva {

enum class SaveButton {
  kConvenience,  // SpeedButtonSave, "便利な設定"
  kHoliday,      // SpeedButtonSaveHoliday, "休日の設定"
  kSpecial,      // SpeedButtonProSave, "特別な設定"
};

// The edits that enable a save button, by the control they happen in.
enum class SettingsEdit {
  // Mouse-up on the switches of the shared handler CheckBoxAlWayMouseUp;
  // CheckBoxTitle sits on the title tab but belongs to it.
  kCheckBoxAlWay,
  kCheckBoxHide,
  kCheckBoxMonStart,
  kCheckBoxTodaySch,
  kCheckBox3D,
  kCheckBoxTitle,
  kSpinEditDelay,
  kComboBoxWalUseDsp,
  kComboBox256,
  kCheckBoxTile,
  kCheckBoxMakeOnly,
  kRadioGroupHoliDay,
  kStringGridHoliDay,
  kStringGridSpecialDay,
  kEditPro,
  kEditBirth,
  kCheckBoxPro,
};

SaveButton SaveButtonOf(SettingsEdit edit);

// The edit's save button goes on.
void EnableSave(WorkingCopy& copy, SettingsEdit edit);

bool& SaveEnabledFlag(WorkingCopy& copy, SaveButton button);

// PageControl2Change: settings tab 3, 4 or 5 (1-based) brought to the front
// turns its own save button off, saved or not; tabs 1 and 2 have none.
void DisableSaveOfShownTab(WorkingCopy& copy, int settings_page);

}  // namespace murva
