#include "app/save_button_rules.h"

namespace murva {

SaveButton SaveButtonOf(SettingsEdit edit) {
  switch (edit) {
    case SettingsEdit::kRadioGroupHoliDay:
    case SettingsEdit::kStringGridHoliDay:
    case SettingsEdit::kStringGridSpecialDay:
      return SaveButton::kHoliday;
    case SettingsEdit::kEditPro:
    case SettingsEdit::kEditBirth:
    case SettingsEdit::kCheckBoxPro:
      return SaveButton::kSpecial;
    default:
      return SaveButton::kConvenience;
  }
}

bool& SaveEnabledFlag(WorkingCopy& copy, SaveButton button) {
  switch (button) {
    case SaveButton::kHoliday:
      return copy.holiday_save_enabled;
    case SaveButton::kSpecial:
      return copy.special_save_enabled;
    case SaveButton::kConvenience:
      break;
  }
  return copy.convenience_save_enabled;
}

void EnableSave(WorkingCopy& copy, SettingsEdit edit) { SaveEnabledFlag(copy, SaveButtonOf(edit)) = true; }

}  // namespace murva
