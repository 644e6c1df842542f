// TCalendarWidget, the month calendar control: a window that shows a calendar
// engine (TCalendarEx) as a month grid and hands keys and clicks to it.
//
// The engine decides everything that is drawn (cell rectangles, texts,
// colours, fonts, the inverted current date, neighbour days, the rokuyo
// strip); the control only rasterises what CellPaintOf answers, cell by cell,
// into an off-screen bitmap of the client size and copies that bitmap to the
// screen. It takes the engine's redraw handler, so every change of the engine
// (date, colours, fonts, lists, flags) repaints the control, and it keeps the
// engine's client size equal to its own client area.
//
// The control has a tab stop and a sunken client edge, and does not erase its
// background before painting.
#pragma once

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLocale>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QPainter;

namespace murva {

class TCalendarEx;
class TMonthlyCalendar;
struct TCalExFont;

class TCalendarWidget : public QFrame {
  Q_OBJECT

 public:
  // A control without an engine shows an empty client area until
  // SetCalendar gives it one.
  explicit TCalendarWidget(QWidget* parent = nullptr);
  // A control showing calendar, which it does not own; the engine must
  // outlive every use of the control (the control's destructor does not touch
  // it).
  explicit TCalendarWidget(TCalendarEx& calendar, QWidget* parent = nullptr);
  ~TCalendarWidget() override;

  // The engine shown, or nullptr.
  TCalendarEx* Calendar() const { return calendar_; }
  // Shows another engine (not owned; nullptr shows none). The new engine's
  // redraw handler is taken over and its client size set to the control's.
  // The previous engine is not touched: it may already be gone.
  void SetCalendar(TCalendarEx* calendar);
  // Shows an engine that the control owns from now on.
  void SetOwnedCalendar(std::unique_ptr<TCalendarEx> calendar);

  // The client area (inside the sunken edge) in control coordinates; the
  // engine's cell coordinates start at its top-left corner.
  QRect ClientRect() const { return contentsRect(); }
  // The off-screen bitmap of the client area, brought up to date.
  QImage ClientImage();

  // Locale of the weekday names in the header row; Japanese unless set
  // (日 月 火 水 木 金 土), as on the desktop the calendar was made for.
  const QLocale& WeekdayLocale() const { return weekday_locale_; }
  void SetWeekdayLocale(const QLocale& locale);

  // Receives the message of an error raised by the engine while it handles
  // a key or a click; the rest of that handling is skipped. Unset, the
  // message is shown in a message box.
  void SetErrorHandler(std::function<void(const std::string&)> handler) {
    error_handler_ = std::move(handler);
  }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The engine's redraw handler: the bitmap is out of date.
  void Invalidate();
  // Gives the engine the control's client size when it differs.
  void SyncClientSize();
  // Paints the engine into the bitmap when it is out of date.
  void UpdateBitmap();
  void ReportError(const std::string& message);

  TCalendarEx* calendar_ = nullptr;
  std::unique_ptr<TCalendarEx> owned_calendar_;
  QImage bitmap_;
  bool bitmap_valid_ = false;
  QLocale weekday_locale_;
  std::function<void(const std::string&)> error_handler_;
};

// Paints a month grid as the engine describes it: the whole client area in
// the background colour, then every cell of every row. The painter's origin
// is the client area's top-left corner. A cell whose day the engine cannot
// type (a malformed day line raises an error) is left in the background
// colour; the other cells are still painted.
void PaintMonthlyCalendar(QPainter& painter, const TMonthlyCalendar& calendar,
                          const QLocale& weekday_locale);

// The short name of weekday 1 (Sunday) .. 7 (Saturday) in a locale.
QString ShortWeekdayName(int weekday, const QLocale& locale);

// The QFont of a calendar font: the settings' font name mapped to an
// installed family, pixel height from the points at 96 dots per inch, style
// bits applied, drawn without antialiasing.
QFont CalendarQFont(const TCalExFont& font);

}  // namespace murva
