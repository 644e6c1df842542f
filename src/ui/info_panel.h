// The information panel PanelInfo: the status line, the version and the
// countdown of an automatic run.
#pragma once

#include <QFrame>
#include <string>

#include "settings/working_copy.h"

class QLabel;

namespace murva {

class InfoPanel : public QFrame {
  Q_OBJECT

 public:
  explicit InfoPanel(QWidget* parent = nullptr);

  void SetStatus(const std::string& text, Color color);
  void SetCountdown(int seconds);
  void SetVersionLabel(const std::string& text);

 private:
  QLabel* info_label_ = nullptr;
  QLabel* version_ = nullptr;
  QLabel* wait_panel_ = nullptr;
};

}  // namespace murva
