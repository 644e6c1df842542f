// The schedule page " スケジュール機能パネル " (PanelBaseD): the entry editor,
// the entry list and the schedule display settings.
#pragma once

#include <QWidget>

namespace murva {

class PanelContext;

class SchedulePage : public QWidget {
  Q_OBJECT

 public:
  explicit SchedulePage(PanelContext& context, QWidget* parent = nullptr);

  void Show();

 private:
  PanelContext& context_;
};

}  // namespace murva
