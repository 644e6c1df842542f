// The settings tab "基本の設定": the calendar's form, labels, today's mark,
// period, output folder, the nudge of one-digit dates, the date and schedule
// fonts, the almanac lines, the mode indicator, the last page used, the
// version, the logo and the button that opens the author's message window.
// Its values are saved by every manual build.
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "settings/working_copy.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;

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

  void SpeedButtonFontDayClick();
  void SpeedButtonSchClick();

 signals:
  void MessageWindowRequested();  // SpeedButtonMsgClick

 private:
  QWidget* BuildChoices();
  QWidget* BuildFonts();
  QWidget* BuildIdentity();
  // A font chosen in the dialog, or nothing when cancelled or when its name
  // cannot be stored (the user is told which).
  std::optional<FontSetting> ChooseFont(const FontSetting& current, const char* field);

  PanelContext& context_;
  std::array<QComboBox*, 6> choices_{};
  QSpinBox* adjust_ = nullptr;
  QLabel* date_font_panel_ = nullptr;
  QLabel* schedule_font_panel_ = nullptr;
  QCheckBox* rokuyo_ = nullptr;
  QCheckBox* solar_terms_ = nullptr;
  QLabel* mode_panel_ = nullptr;
  QLabel* last_page_panel_ = nullptr;
  QLabel* version_ = nullptr;
  QToolButton* message_button_ = nullptr;
};

}  // namespace murva
