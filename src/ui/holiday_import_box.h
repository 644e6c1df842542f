// On "休日の設定": the official holiday list (the Cabinet Office's CSV) is
// imported with a button, and a line says which years come from it. An
// import takes effect at once on the calendar engine of the build and on
// the tab's preview.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace murva {

class PanelContext;
class TCalendarWidget;

class HolidayImportBox : public QWidget {
  Q_OBJECT

 public:
  // preview: the tab's month calendar, which shows the list too;
  // redraw: the tab draws its preview again.
  HolidayImportBox(PanelContext& context, TCalendarWidget& preview, std::function<void()> redraw,
                   QWidget* parent = nullptr);

  // Reads the file; a refused file is named with its line and changes nothing.
  void Import(const QString& file);
  // The line and the preview show the list kept now.
  void Show();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  PanelContext& context_;
  TCalendarWidget& preview_;
  std::function<void()> redraw_;
  QPushButton* button_ = nullptr;
  QLabel* years_ = nullptr;
};

}  // namespace murva
