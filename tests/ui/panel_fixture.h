// A control panel on a program folder of the test's own, with its dialogs
// answered by a script instead of a person.
#pragma once

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "settings/cp932.h"
#include "settings/profile_file.h"
#include "support/temp_folder.h"
#include "ui/scripted_dialogs.h"
#include "ui/form_main.h"

namespace murva::testing {

// Types a text into a widget as one key press carrying it (any characters).
inline void TypeText(QWidget* widget, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

class PanelFixture : public ::testing::Test {
 protected:
  // A settings file of the given set (Murva32V4 or Murva32V4Ext) holding
  // `keys`, in CP932 with CR LF, and a small background for page 1.
  void WriteSettings(const std::string& keys, bool extended = false) {
    const std::filesystem::path picture = folder_ / "back.bmp";
    QImage background(64, 48, QImage::Format_RGB32);
    background.fill(QColor(20, 40, 60));
    background.save(QString::fromStdString(picture.string()), "BMP");
    const std::string section = extended ? "Murva32V4Ext" : "Murva32V4";
    section_ = section;
    const std::string text = std::string("[MURVA32PRE]\r\nCalenSelBa=") + (extended ? "0" : "1") +
                             "\r\nCalenSelEx=" + (extended ? "1" : "0") + "\r\n[" + section +
                             "]\r\nCalendHide=0\r\nCalendDely=0\r\nEditPathW1=" + picture.string() +
                             "\r\n" + keys;
    WriteBytes(folder_ / "MURVA32.INI", EncodeCp932(text).value());
  }

  TFormMain& Open() {
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.monitors = monitors_;
    environment.screen = screen_;
    form_.reset();
    form_ = std::make_unique<TFormMain>(environment);
    form_->SetDialogs(dialogs_);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
    return *form_;
  }

  template <typename Widget = QWidget>
  Widget* Find(const char* name) {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // A value of the set in use, as the file holds it (nullopt: not written).
  std::optional<std::string> Stored(const std::string& key) const {
    return ProfileFile(folder_ / "MURVA32.INI").Find(section_, key);
  }

  // A left click on the build button: the manual build.
  void Build() { form_->findChild<QPushButton*>("SpeedButtonMake")->click(); }

  TempFolder folder_;
  FixedClock clock_{{2026, 8, 10, 9, 0, 0}};  // a Monday in August
  NoLauncher launcher_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<TFormMain> form_;
  std::string section_ = "Murva32V4";
  MonitorLayout monitors_;             // the run's monitors (none: the screen)
  std::optional<ScreenSize> screen_;   // the screen the window is placed on
};

}  // namespace murva::testing
