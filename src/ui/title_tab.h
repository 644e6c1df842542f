// The settings tab "タイトル入力": the four title lines with their fonts,
// their gaps, the position of the first line and the title switch.
#pragma once

#include <QWidget>

namespace murva {

class PanelContext;

class TitleTab : public QWidget {
  Q_OBJECT

 public:
  explicit TitleTab(PanelContext& context, QWidget* parent = nullptr);

  void Show();

 private:
  void SpeedButtonHint2Click();

  PanelContext& context_;
};

}  // namespace murva
