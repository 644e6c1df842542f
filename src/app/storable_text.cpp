#include "app/storable_text.h"

#include "app/settings_choices.h"
#include "settings/cp932_check.h"

namespace murva {

std::optional<UnstorableText> CheckStorable(const std::string& field, const std::string& text) {
  std::optional<std::string> character = FirstCharacterWithoutCp932(text);
  if (!character) return std::nullopt;
  return UnstorableText{field, *character};
}

std::string TitleFontFieldName(int line) { return TitleFieldName(line) + "のフォント"; }

std::optional<UnstorableText> FindUnstorableBasicText(const WorkingCopy& copy) {
  if (auto found = CheckStorable(kDateFontField, copy.date_font.name)) return found;
  if (auto found = CheckStorable(kScheduleFontField, copy.schedule_font.name)) return found;
  if (!copy.titles_on) return std::nullopt;  // the title keys are not written then
  for (int line = 1; line <= kTitleLineCount; ++line) {
    const TitleLine& title = copy.titles[line - 1];
    if (auto found = CheckStorable(TitleFontFieldName(line), title.font.name)) return found;
    if (auto found = CheckStorable(TitleFieldName(line), title.text)) return found;
  }
  return std::nullopt;
}

std::string UnstorableTextMessage(const UnstorableText& text) {
  return "「" + text.field + "」の「" + text.character +
         "」は設定ファイル（MURVA32.INI）に保存できない文字です．別の文字に置き換えてください．";
}

}  // namespace murva
