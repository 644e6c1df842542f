// The settings tab "特別な設定": the special program, the birthday and the
// choice between the basic and the extended settings set.
#pragma once

#include <QWidget>

#include "settings/working_copy.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace murva {

class ExtraSettingsTab : public QWidget {
  Q_OBJECT

 public:
  ExtraSettingsTab(WorkingCopy& copy, QWidget* parent = nullptr);
  void Show();

 signals:
  void BrowseClicked();                  // SpeedButtonProRefClick
  void SetClicked(murva::SettingsSet set);  // SpeedButtonBasClick / SpeedButtonExtClick
  void SaveClicked();                    // SpeedButtonProSaveClick
  void PictureValueChanged();            // the birthday changed

 private:
  void Edited();

  WorkingCopy& copy_;
  QLineEdit* program_;
  QCheckBox* use_program_;
  QLineEdit* birthday_;
  QPushButton* basic_;
  QPushButton* extended_;
  QLabel* set_panel_;
  QPushButton* save_;
};

}  // namespace murva
