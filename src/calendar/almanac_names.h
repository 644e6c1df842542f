// Fixed name tables of the almanac.
#pragma once

#include <array>
#include <string_view>

namespace murva {

// Index 0 stands for a day without a known old-calendar date (never drawn).
inline constexpr std::array<std::string_view, 7> RokuyoNames = {
    "不明", "先勝", "友引", "先負", "仏滅", "大安", "赤口"};

// The ten heavenly stems.
inline constexpr std::array<std::string_view, 10> StemNames = {
    "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};

// The twelve earthly branches.
inline constexpr std::array<std::string_view, 12> BranchNames = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};

// The twenty-four solar terms from the vernal equinox: entry i is the Sun at
// 15 × i degrees of apparent longitude; the even entries are the principal
// terms (中気) that name the months. Entry 13 is 寒露 (cold dew); the table
// this program inherited spelt it 寒路.
inline constexpr std::array<std::string_view, 24> SolarTermNames = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑",
    "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬",
    "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};

}  // namespace murva
