// The texts of "基本の設定" and "タイトル入力" that a manual build writes into
// MURVA32.INI must have a CP932 form; one that has not would come back as
// "?". These find such a text, by the field it sits in, so that the user is
// told before anything is written.
#pragma once

#include <optional>
#include <string>

#include "settings/working_copy.h"

namespace murva {

struct UnstorableText {
  std::string field;      // "タイトル２行目", "日付フォント", ...
  std::string character;  // the first character without a CP932 form
};

// The first text field of one value that cannot be stored, or nullopt.
std::optional<UnstorableText> CheckStorable(const std::string& field, const std::string& text);

// The first such text among those SaveBasicSettings writes: the date and
// schedule font names, and, while titles are on, the title fonts and texts.
std::optional<UnstorableText> FindUnstorableBasicText(const WorkingCopy& copy);

// The message that names the field and the character.
std::string UnstorableTextMessage(const UnstorableText& text);
// Added when a manual build stops for such a text.
inline constexpr const char* kBuildStoppedNote = "（壁紙は作成せず、設定も保存していません）";

// Field names of the fonts.
inline constexpr const char* kDateFontField = "日付フォント";
inline constexpr const char* kScheduleFontField = "予定フォント";
std::string TitleFontFieldName(int line);  // "タイトル１行目のフォント"

}  // namespace murva
