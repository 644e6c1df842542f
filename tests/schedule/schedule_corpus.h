// A generated schedule file with entries of every form, Japanese text, colour
// keywords and start markers, for the large-file test and the benchmark.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "schedule/cp932_bytes.h"

namespace murva::testing {

// `count` entry lines (CP932) cycling through the forms; every dated line is
// a real date so that start markers on them always read.
inline std::vector<std::string> GenerateScheduleCorpus(int count) {
  static const char* const kTexts[] = {"札幌に行く",       "妻の誕生日",  "給料日です",
                                       "定期の検診",       "燃えるゴミ",  "ＨＤのBackUp",
                                       "会議室Ａで打合せ", "ﾊﾝｶｸｶﾅの予定"};
  static const char* const kColors[] = {"", "%Red%", "%navy%", "%Pink%", "%LtGray%"};
  static const char kLetters[] = "ABCDEF";
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  char date[32];
  for (int i = 0; i < count; ++i) {
    const int month = i % 12 + 1;
    const int day = i % 28 + 1;
    const int weekday = i % 7 + 1;
    const int year = (i / 7) % 40;  // 00..39
    std::string line;
    std::string marker;
    switch (i % 7) {
      case 0:
        std::snprintf(date, sizeof date, "%02d/%02d/%02d 00 1 ", year, month, day);
        if (i % 3 == 0) {
          char from[32];
          std::snprintf(from, sizeof from, " ▼FROM▼%04d/%02d/01", 2000 + year, month);
          marker = from;
        }
        break;
      case 1:
        std::snprintf(date, sizeof date, "%02d/%02d/%02d 00 1 ", 90 + i % 10, month, day);
        break;
      case 2:
        std::snprintf(date, sizeof date, "@@/%02d/%02d 00 2 ", month, day);
        break;
      case 3:
        std::snprintf(date, sizeof date, "@@/@@/%02d 00 3 ", i % 31 + 1);
        break;
      case 4:
        std::snprintf(date, sizeof date, "@@/@@/W%d 00 4 ", weekday);
        break;
      case 5:
        std::snprintf(date, sizeof date, "@@/@@/%c%d 00 5 ", kLetters[i % 6], weekday);
        break;
      default:
        std::snprintf(date, sizeof date, "@@/%02d/%c%d 00 5 ", month, kLetters[i % 6], weekday);
        break;
    }
    line = date;
    line += ToCp932(std::string(kTexts[i % 8]) + std::to_string(i) + marker + kColors[i % 5]);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace murva::testing
