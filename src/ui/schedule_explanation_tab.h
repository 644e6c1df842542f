// The tab "  予定入力形式の解説  ": the fixed texts that explain the six
// forms of a schedule entry and the colour keywords.
#pragma once

#include <QWidget>

namespace murva {

class ScheduleExplanationTab : public QWidget {
  Q_OBJECT

 public:
  explicit ScheduleExplanationTab(QWidget* parent = nullptr);
};

}  // namespace murva
