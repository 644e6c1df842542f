// The settings tab "休日の設定": the user's holidays and special days by
// month, the holiday method, and the calendar engine the drawing code uses,
// kept outside the visible area.
#pragma once

#include <QWidget>

namespace murva {

class PanelContext;
class TCalendarWidget;

class HolidayTab : public QWidget {
  Q_OBJECT

 public:
  explicit HolidayTab(PanelContext& context, QWidget* parent = nullptr);

  void Show();
  // CalendarEx1: the control that holds the drawing code's engine.
  TCalendarWidget& CalendarEx1() { return *calendar_ex1_; }

 private:
  PanelContext& context_;
  TCalendarWidget* calendar_ex1_ = nullptr;
};

}  // namespace murva
