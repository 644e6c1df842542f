// A control panel on a fixed day with scripted dialogs, for the tests of the
// schedule page: every message box, question and file dialog is answered by
// the script and recorded.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "panel_fixture.h"
#include "settings/cp932.h"

namespace murva::testing {

// The schedule file's bytes for these lines (UTF-8 here): CP932, CR LF.
inline std::string ScheduleBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += EncodeCp932(line).value() + "\r\n";
  return bytes;
}

class SchedulePageTest : public PanelFixture {
 protected:
  SchedulePageTest() { clock_.Set({2025, 6, 15, 10, 0, 0}); }  // a Sunday

  void SetUp() override {
    WriteBytes(folder_ / "MURVA32.INI",
               "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\nCalSchedul=4\r\n");
  }

  void SeedSchedule(const std::vector<std::string>& lines) {
    WriteBytes(folder_ / "MURVA32.SCH", ScheduleBytes(lines));
  }

  QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }
  QListWidget* List() { return Find<QListWidget>("ListBoxSch"); }

  // The fields as the user types them, and the colour list's item.
  void Type(const std::string& year, const std::string& month, const std::string& day,
            const std::string& text, const char* color = "") {
    Field("EditY")->setText(QString::fromStdString(year));
    Field("EditM")->setText(QString::fromStdString(month));
    Field("EditD")->setText(QString::fromStdString(day));
    Field("EditInput")->setText(QString::fromStdString(text));
    Find<QComboBox>("ComboBoxCol")->setCurrentText(color);
  }
  void Add() { Find<QPushButton>("SpeedButtonAdd")->click(); }

  std::vector<std::string> ListTexts() {
    std::vector<std::string> texts;
    for (int row = 0; row < List()->count(); ++row)
      texts.push_back(List()->item(row)->text().toStdString());
    return texts;
  }
  std::string ScheduleFile() const { return ReadBytes(folder_ / "MURVA32.SCH"); }
  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }
};

}  // namespace murva::testing
