// The settings tab "基本の設定": the calendar's form, labels, today's mark,
// period, output folder, fonts, the mode indicator and the version.
#pragma once

#include <QWidget>
#include <string>

#include "settings/working_copy.h"

class QLabel;

namespace murva {

class PanelContext;

class BasicSettingsTab : public QWidget {
  Q_OBJECT

 public:
  explicit BasicSettingsTab(PanelContext& context, QWidget* parent = nullptr);

  void Show();
  // PanelModeDsp with its text and colours.
  void ShowModeIndicator(const std::string& text, Color panel, Color font);
  void SetVersionLabel(const std::string& text);

 private:
  PanelContext& context_;
  QLabel* mode_panel_ = nullptr;
  QLabel* last_page_panel_ = nullptr;
  QLabel* version_ = nullptr;
};

}  // namespace murva
