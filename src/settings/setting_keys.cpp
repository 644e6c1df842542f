#include "settings/setting_keys.h"

#include <algorithm>
#include <stdexcept>

namespace murva {

std::string KeyName(const SettingKey& key, int number) {
  std::string name(key.name);
  if (key.family == KeyFamily::kSingle) return name;
  if (number < key.first || number > key.last) {
    throw std::out_of_range("no settings key " + name + " number " + std::to_string(number));
  }
  if (key.family == KeyFamily::kMonth && number < 10) name += '0';
  return name + std::to_string(number);
}

int ClampToRange(const SettingKey& key, int value) {
  switch (key.type) {
    case KeyType::kInteger:
      return std::clamp(value, key.min_value, key.max_value);
    case KeyType::kSelection:
      return (value >= 0 && value <= key.max_value) ? value : kNoSelection;
    default:
      return value;
  }
}

std::span<const SettingKey* const> AllSetKeys() {
  using namespace keys;
  static constexpr const SettingKey* kAll[] = {
      &kCalWallUse, &kCalenWeek,  &kCalendDely, &kCalenAlWay, &kCalendHide, &kCalendOnly,
      &kCalendTile, &kCalWall256, &kCalendFold, &kUseSpclPro, &kSpecialPro, &kCalMakeDay,
      &kCalWalUsed, &kCalWalLast, &kCalWalNumb, &kCalSetNumb, &kFormPositX, &kFormPositY,
      &kBmpInitFld, &kCalendStyl, &kCalendMnth, &kCalendWeek, &kCalendTday, &kCalendPerd,
      &kCalendAdjt, &kCalSunMode, &kCalen3DFnt, &kCalFntName, &kCalFntSize, &kCalFntStyl,
      &kMyBirthday, &kCalenTitle, &kTitlePosiX, &kTitlePosiY, &kTitlePosT,  &kTiFntName,
      &kTiFntSize,  &kTiFntStyl,  &kTitleText,  &kCalSchedul, &kBeforeWeek, &kSchLineSpc,
      &kCalendTdyS, &kCutYearDsp, &kCutWeekDsp, &kUseSelbori, &kSelborPath, &kSchFntName,
      &kSchFntSize, &kSchFntStyl, &kCalHoliSel, &kCalenHol,   &kCalenSpc,   &kEditPathW,
      &kCalenChHV,  &kCalenBlok,  &kCalenLine,  &kCalenDays,  &kCalendWX1,  &kCalendWY1,
      &kSchdulWX1,  &kSchdulWY1,  &kColors3DF,  &kColorsSch,  &kColorsTdy,  &kColorsWek,
      &kColorsSat,  &kColorsSun,  &kColorsHol,  &kColorsSpc,  &kColorsStr,  &kCalAutoRun,
      &kCalWatchOn, &kCalPreview, &kCalRokuyou, &kCalSekki24, &kPosScrnW,   &kPosScrnH,
      &kPosScale,   &kTitScrnW,   &kTitScrnH,   &kTitScale,   &kCalFitScal, &kMonitorNam,
      &kMonitorPag,
  };
  return kAll;
}

}  // namespace murva
