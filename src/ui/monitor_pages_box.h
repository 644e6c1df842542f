// On "便利な設定": the connected monitors, each with the page it shows (the
// day's page, or a page of its own), and the switch "文字の大きさを画面の倍率に
// 合わせる". A choice for a monitor that is not connected now stays stored
// for when it returns.
#pragma once

#include <QGroupBox>
#include <vector>

#include "platform/monitor_layout.h"
#include "settings/working_copy.h"

class QCheckBox;
class QComboBox;
class QGridLayout;

namespace murva {

class MonitorPagesBox : public QGroupBox {
  Q_OBJECT

 public:
  MonitorPagesBox(WorkingCopy& copy, QWidget* parent = nullptr);
  // The monitors to list (the run's).
  void SetMonitors(const MonitorLayout& monitors);
  void Show();

 signals:
  void Edited();  // a value of the page changed
  void PictureValueChanged();

 private:
  WorkingCopy& copy_;
  MonitorLayout monitors_;
  QGridLayout* rows_;
  std::vector<QComboBox*> pages_;  // one a monitor, in the layout's order
  QCheckBox* fit_text_;
};

}  // namespace murva
