// The settings tab "タイトル入力": the four title lines with their fonts and
// texts, their gaps, the position of the first line and the title switch.
// Its values are saved by every manual build. A title character that the
// settings file cannot hold is pointed out as it is typed.
#pragma once

#include <QWidget>
#include <array>

#include "settings/working_copy.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace murva {

class PanelContext;

class TitleTab : public QWidget {
  Q_OBJECT

 public:
  explicit TitleTab(PanelContext& context, QWidget* parent = nullptr);

  void Show();

  // The handlers; `line` is the title line 1 .. 4 (the pressed button's tag).
  void SpeedButtonTitle1Click(int line);
  void ScrollBarTitleTopChange(int position);
  void ScrollBarTitleLeftChange(int position);

 private:
  void SpeedButtonHint2Click();
  void EditTitleChange(int line, const QString& text);
  // The warning under the lines names the first title whose text cannot
  // be stored, and that field is marked.
  void ShowStorableState();

  PanelContext& context_;
  std::array<QPushButton*, kTitleLineCount> font_buttons_{};
  std::array<QLabel*, kTitleLineCount> size_panels_{};
  std::array<QLineEdit*, kTitleLineCount> edits_{};
  std::array<QSpinBox*, kTitleLineCount - 1> gaps_{};
  QScrollBar* top_ = nullptr;
  QScrollBar* left_ = nullptr;
  QLabel* top_panel_ = nullptr;
  QLabel* left_panel_ = nullptr;
  QCheckBox* titles_on_ = nullptr;
  QLabel* warning_ = nullptr;
};

}  // namespace murva
