// The colour keywords of schedule lines: "%" + name + "%" in the text gives
// the line its own colour.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/working_copy.h"

namespace murva {

inline constexpr int kColorKeywordCount = 18;

// The keyword names as one table of eighteen ten-character fields, upper
// case, blank-padded, in table order.
inline constexpr std::string_view kColorKeywordTable =
    "AQUA      BLACK     BLUE      DKGRAY    FUCHSIA   GRAY      GREEN     LIME      "
    "LTGRAY    MAROON    NAVY      OLIVE     PURPLE    RED       SILVER    TEAL      "
    "WHITE     YELLOW    ";

// The colours of the keywords (0x00BBGGRR), parallel to the table.
inline constexpr std::array<Color, kColorKeywordCount> kColorKeywordColors = {
    0xFFFF00, 0x000000, 0xFF0000, 0x808080, 0xFF00FF, 0x808080, 0x008000, 0x00FF00, 0xC0C0C0,
    0x000080, 0x800000, 0x008080, 0x800080, 0x0000FF, 0xC0C0C0, 0x808000, 0xFFFFFF, 0x00FFFF};

// The labels of the explanation tab, in table order.
inline constexpr std::array<const char*, kColorKeywordCount> kColorKeywordLabels = {
    "Aqua（水色）", "Black（黒色）",     "Blue（青色）",   "DkGray（暗灰色）", "Fuchsia（明紫色）",
    "Gray（灰色）", "Green（緑色）",     "Lime（明緑色）", "LtGray（明灰色）", "Maroon（栗色）",
    "Navy（紺色）", "Olive（オリーブ）", "Purple（紫色）", "Red（赤色）",      "Silver（銀色）",
    "Teal（緑青）", "White（白色）",     "Yellow（黄色）"};

// The items of the editor's colour list after its empty item.
inline constexpr std::array<const char*, kColorKeywordCount> kColorKeywordItems = {
    "Aqua",   "Black", "Blue",  "DkGray", "Fuchsia", "Gray",   "Green", "Lime",  "LtGray",
    "Maroon", "Navy",  "Olive", "Purple", "Red",     "Silver", "Teal",  "White", "Yellow"};

// The colour of a keyword name as the drawing judges it: an empty name gives
// none; otherwise the name is extended by four blanks, cut to its first seven
// characters, upper-cased and searched in the table; a hit at 1-based
// position p selects colour p div 10.
std::optional<Color> LookupColorKeyword(std::string_view name);

// The colour the editor's preview shows for a colour-list item: the
// upper-cased item itself searched in the table (no extension, no cut); an
// empty item gives none.
std::optional<Color> LookupPreviewColor(std::string_view item);

// The keyword name of a line: what stands between its first and its second
// "%". Empty when the line has fewer than two "%".
std::string KeywordNameOf(std::string_view line);

}  // namespace murva
