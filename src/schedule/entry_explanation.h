// The fixed texts of the explanation tab of the schedule page.
#pragma once

#include <array>

namespace murva {

inline constexpr const char* kFormExplanationTitle =
    " ■入力形式の解説■ 予定の入力形式は以下の６種類です";

inline constexpr std::array<const char*, 6> kFormExplanationLines = {
    "(1) [97] [ 7] [15] [札幌に行く  ] ← 指定の年月日に表示",
    "(2) [@@] [10] [ 9] [妻の誕生日  ] ← 毎年、指定の月日に表示",
    "(3) [@@] [@@] [20] [給料日です  ] ← 毎月、指定の日に表示",
    "(4) [@@] [06] [A2] [定期の検診  ] ← 指定月の？回目の？曜日に表示",
    "(5) [@@] [@@] [B3] [燃えるゴミ  ] ← 毎月、？回目の？曜日に表示",
    "(6) [@@] [@@] [W5] [ＨＤのBackUp] ← 毎週、？曜日に表示"};

inline constexpr std::array<const char*, 3> kFormExplanationKeys = {
    "A=１回目、B=２回目、C=３回目、D=４回目、E=５回目、F=最終回",
    "1=日曜、2=月曜、3=火曜、4=水曜、5=木曜、6=金曜、7=土曜",
    "W1=日曜、W2=月曜、W3=火曜、W4=水曜、W5=木曜、W6=金曜、W7=土曜"};

inline constexpr const char* kColorExplanationTitle =
    " ■色指定の解説■ 予定を行単位で個別に色指定するキーワード";

}  // namespace murva
