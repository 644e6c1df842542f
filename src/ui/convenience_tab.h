// The settings tab "便利な設定": page-choice mode, weekday pages, delay,
// 256-colour handling and the convenience switches, with its save button.
// Two switches belong to this edition: the log-on run, an XDG autostart entry
// that starts an automatic run when the user logs on, and under it whether
// that run stays and keeps the wallpaper current; a change of either takes
// effect when the page is saved.
#pragma once

#include <QWidget>
#include <array>

#include "platform/monitor_layout.h"
#include "settings/working_copy.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace murva {

class MonitorPagesBox;

class ConvenienceTab : public QWidget {
  Q_OBJECT

 public:
  ConvenienceTab(WorkingCopy& copy, QWidget* parent = nullptr);
  void Show();
  // Today's weekday selector (1 = Sunday) is shown in yellow.
  void HighlightWeekday(int weekday);
  // The connected monitors, each with the page it shows.
  void SetMonitors(const MonitorLayout& monitors);

 signals:
  void ModeChanged();          // ComboBoxWalUseDspChange
  void TileToggled(bool on);   // CheckBoxTileMouseUp
  void MakeOnlyToggled(bool on);
  void PictureValueChanged();  // a value the wallpaper's picture depends on
  void SaveClicked();          // SpeedButtonSaveClick

 private:
  void Edited();
  void PaintDelay();
  // After a successful save: the autostart entry follows a changed switch.
  void ApplyLogOnRun();

  WorkingCopy& copy_;
  QComboBox* mode_;
  std::array<QComboBox*, 7> weekdays_{};
  QSpinBox* delay_;
  QComboBox* color_256_;
  QCheckBox* always_;
  QCheckBox* hide_;
  QCheckBox* monday_;
  QCheckBox* tile_;
  QCheckBox* today_schedule_;
  QCheckBox* text_3d_;
  QCheckBox* make_only_;
  QCheckBox* log_on_;
  QCheckBox* preview_;  // CheckBoxPreview, the live preview
  QCheckBox* watch_;  // the log-on run stays resident (--watch)
  QPushButton* save_;
  MonitorPagesBox* monitors_;
  bool log_on_changed_ = false;
};

}  // namespace murva
