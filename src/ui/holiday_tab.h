// The settings tab "休日の設定": the user's holidays and special days by
// month, the holiday method and the save button; beside the grids, a month
// calendar shows the month of the row being edited as the saved lists will
// colour it. The drawing code's calendar engine, CalendarEx1, is kept here
// outside the visible area.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace murva {

class DayGridTable;
class PanelContext;
class TCalendarWidget;

class HolidayTab : public QWidget {
  Q_OBJECT

 public:
  explicit HolidayTab(PanelContext& context, QWidget* parent = nullptr);

  void Show();
  // CalendarEx1: the control that holds the drawing code's engine.
  TCalendarWidget& CalendarEx1() { return *calendar_ex1_; }
  // The visible calendar of the month being edited.
  TCalendarWidget& Preview() { return *preview_; }

  void RadioGroupHoliDayClick(int index);
  void SpeedButtonSaveHolidayClick();

 private:
  // The edit handler of both grids.
  void StringGridSpecialDaySetEditText(DayGridTable* grid, int row, int column, const QString& text);
  // The preview follows the cell that is current in a grid.
  void FollowCell(DayGridTable* grid, int row, int column);
  void ShowPreview();

  PanelContext& context_;
  DayGridTable* holidays_ = nullptr;
  DayGridTable* special_days_ = nullptr;
  std::array<QRadioButton*, 2> methods_{};
  QPushButton* save_ = nullptr;
  TCalendarWidget* preview_ = nullptr;
  QLabel* preview_caption_ = nullptr;
  QLabel* legend_ = nullptr;
  TCalendarWidget* calendar_ex1_ = nullptr;
  int preview_month_ = 0;  // 0: today's month
  int preview_day_ = 0;
};

}  // namespace murva
