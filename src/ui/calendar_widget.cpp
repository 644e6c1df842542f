#include "ui/calendar_widget.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <exception>

#include "calendar/calendar_ex.h"
#include "render/qt_canvas.h"

namespace murva {

namespace {

// The engine's client area when the control has no size yet.
constexpr int kDefaultClientWidth = 224;
constexpr int kDefaultClientHeight = 168;

QRect ToQRect(const CellRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Text in one line, centred both ways, allowed to run over its rectangle.
constexpr int kCellTextFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;

void DrawCellText(QPainter& painter, const CellRect& rect, const TCalExFont& font,
                  const QString& text) {
  painter.setFont(CalendarQFont(font));
  painter.setPen(ToQColor(font.color));
  painter.drawText(ToQRect(rect), kCellTextFlags, text);
}

void PaintCell(QPainter& painter, const CellPaint& cell, const QLocale& weekday_locale) {
  if (cell.blank) return;
  if (cell.fill) painter.fillRect(ToQRect(cell.rect), ToQColor(cell.fill_color));
  if (cell.header) {
    DrawCellText(painter, cell.text_rect, cell.font,
                 ShortWeekdayName(cell.header_weekday, weekday_locale));
    return;
  }
  DrawCellText(painter, cell.text_rect, cell.font, QString::fromStdString(cell.text));
  if (!cell.rokuyo.empty()) {
    DrawCellText(painter, cell.rokuyo_rect, cell.rokuyo_font,
                 QString::fromStdString(cell.rokuyo));
  }
}

void ShowErrorBox(QWidget* parent, const std::string& message) {
  QMessageBox::critical(parent, QString(), QString::fromStdString(message));
}

}  // namespace

QString ShortWeekdayName(int weekday, const QLocale& locale) {
  if (weekday < 1 || weekday > 7) return QString();
  // Qt counts Monday 1 .. Sunday 7; the calendar counts Sunday 1 .. Saturday 7.
  const int qt_day = weekday == 1 ? 7 : weekday - 1;
  return locale.dayName(qt_day, QLocale::ShortFormat);
}

QFont CalendarQFont(const TCalExFont& font) {
  CanvasFont canvas_font;
  canvas_font.name = font.name;
  canvas_font.size = font.size;
  canvas_font.style = 0;
  if ((font.style & kFontBold) != 0) canvas_font.style |= kStyleBold;
  if ((font.style & kFontItalic) != 0) canvas_font.style |= kStyleItalic;
  if ((font.style & kFontUnderline) != 0) canvas_font.style |= kStyleUnderline;
  if ((font.style & kFontStrikeOut) != 0) canvas_font.style |= kStyleStrikeOut;
  canvas_font.color = font.color;
  QFont qfont = MakeQFont(canvas_font);
  // Whole pixels in the font's own colour, as small screen fonts were drawn
  // on the desktop the calendar was made for: every text pixel carries
  // exactly the colour the engine chose (the neighbour colour is a bitwise
  // OR of two colours, not a blend with the background).
  qfont.setStyleStrategy(QFont::NoAntialias);
  return qfont;
}

void PaintMonthlyCalendar(QPainter& painter, const TMonthlyCalendar& calendar,
                          const QLocale& weekday_locale) {
  painter.fillRect(QRect(0, 0, calendar.ClientWidth(), calendar.ClientHeight()),
                   ToQColor(calendar.Color()));
  int rows = 0;
  try {
    rows = calendar.RowCount();
  } catch (const std::exception&) {
    return;  // a month the engine cannot lay out shows the background only
  }
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < 7; ++col) {
      CellPaint cell;
      try {
        cell = calendar.CellPaintOf(col, row);
      } catch (const std::exception&) {
        // A malformed day line makes the day's type unknown; the cell keeps
        // the background rather than the whole control failing to paint.
        continue;
      }
      PaintCell(painter, cell, weekday_locale);
    }
  }
}

// --- TCalendarWidget -----------------------------------------------------------

TCalendarWidget::TCalendarWidget(QWidget* parent)
    : QFrame(parent), weekday_locale_(QLocale::Japanese, QLocale::Japan) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);  // the sunken client edge
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel of the client area comes from the bitmap: no erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  const int frame = 2 * frameWidth();
  resize(kDefaultClientWidth + frame, kDefaultClientHeight + frame);
}

TCalendarWidget::TCalendarWidget(TCalendarEx& calendar, QWidget* parent)
    : TCalendarWidget(parent) {
  SetCalendar(&calendar);
}

// The engine is left alone: it may be gone already. Its redraw handler holds
// only a guarded pointer to this control and does nothing once it is gone.
TCalendarWidget::~TCalendarWidget() = default;

void TCalendarWidget::SetCalendar(TCalendarEx* calendar) {
  calendar_ = calendar;
  if (owned_calendar_ && owned_calendar_.get() != calendar) owned_calendar_.reset();
  if (calendar_ != nullptr) {
    QPointer<TCalendarWidget> self(this);
    calendar_->SetRedrawHandler([self, calendar] {
      if (self && self->calendar_ == calendar) self->Invalidate();
    });
  }
  SyncClientSize();
  Invalidate();
}

void TCalendarWidget::SetOwnedCalendar(std::unique_ptr<TCalendarEx> calendar) {
  TCalendarEx* shown = calendar.get();
  SetCalendar(shown);
  owned_calendar_ = std::move(calendar);
}

QImage TCalendarWidget::ClientImage() {
  SyncClientSize();
  UpdateBitmap();
  return bitmap_;
}

void TCalendarWidget::SetWeekdayLocale(const QLocale& locale) {
  weekday_locale_ = locale;
  Invalidate();
}

QSize TCalendarWidget::sizeHint() const {
  const int frame = 2 * frameWidth();
  return QSize(kDefaultClientWidth + frame, kDefaultClientHeight + frame);
}

void TCalendarWidget::Invalidate() {
  bitmap_valid_ = false;
  update();
}

void TCalendarWidget::SyncClientSize() {
  if (calendar_ == nullptr) return;
  const QRect client = contentsRect();
  const int width = std::max(0, client.width());
  const int height = std::max(0, client.height());
  if (calendar_->ClientWidth() != width || calendar_->ClientHeight() != height) {
    calendar_->SetClientSize(width, height);  // redraws through the handler
  }
}

void TCalendarWidget::UpdateBitmap() {
  const QSize client = contentsRect().size();
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(client) * ratio).toSize();
  if (bitmap_valid_ && bitmap_.size() == pixels && bitmap_.devicePixelRatio() == ratio) return;
  bitmap_valid_ = true;
  if (client.isEmpty()) {
    bitmap_ = QImage();
    return;
  }
  if (bitmap_.size() != pixels) bitmap_ = QImage(pixels, QImage::Format_RGB32);
  bitmap_.setDevicePixelRatio(ratio);
  QPainter painter(&bitmap_);
  if (calendar_ != nullptr) {
    PaintMonthlyCalendar(painter, *calendar_, weekday_locale_);
  } else {
    painter.fillRect(QRect(QPoint(0, 0), client), ToQColor(kClWindow));
  }
}

void TCalendarWidget::ReportError(const std::string& message) {
  if (error_handler_) {
    error_handler_(message);
  } else {
    ShowErrorBox(this, message);
  }
}

void TCalendarWidget::paintEvent(QPaintEvent* /*event*/) {
  SyncClientSize();
  UpdateBitmap();
  QPainter painter(this);
  if (!bitmap_.isNull()) painter.drawImage(contentsRect().topLeft(), bitmap_);
  drawFrame(&painter);
}

void TCalendarWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  SyncClientSize();
}

void TCalendarWidget::keyPressEvent(QKeyEvent* event) {
  if (calendar_ == nullptr) {
    QFrame::keyPressEvent(event);
    return;
  }
  CalendarKey key;
  switch (event->key()) {
    case Qt::Key_Right: key = CalendarKey::kRight; break;
    case Qt::Key_Left: key = CalendarKey::kLeft; break;
    case Qt::Key_Up: key = CalendarKey::kUp; break;
    case Qt::Key_Down: key = CalendarKey::kDown; break;
    case Qt::Key_PageUp: key = CalendarKey::kPageUp; break;
    case Qt::Key_PageDown: key = CalendarKey::kPageDown; break;
    default:
      QFrame::keyPressEvent(event);
      return;
  }
  event->accept();
  try {
    calendar_->KeyDown(key);
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void TCalendarWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (calendar_ == nullptr) return;
  const QPoint point = event->position().toPoint();
  const QRect client = contentsRect();
  // Clicks on the sunken edge are outside the client area.
  if (!client.contains(point)) return;
  const QPoint local = point - client.topLeft();
  try {
    calendar_->MouseDown(local.x(), local.y());
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

}  // namespace murva
