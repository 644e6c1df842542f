// Which edit enables which save button of the settings tabs. The buttons'
// state is kept in the working copy (enabled = unsaved edits on that tab);
// only a successful save turns a button off, so bringing a tab to the front
// again shows its unsaved edits with the button still enabled.
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

}  // namespace murva
