#include "ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

namespace murva {
namespace {

constexpr const char* kArtFont = "IPAPGothic";

QFont ArtFont(int pixels, bool bold) {
  QFont font(kArtFont);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A small wall calendar: a white sheet with a red band, ring holes and a
// grid of day dots, today circled.
void DrawCalendarSheet(QPainter& painter, const QRectF& sheet) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawRoundedRect(sheet.translated(2, 2), 2, 2);
  painter.setBrush(QColor(250, 248, 240));
  painter.drawRoundedRect(sheet, 2, 2);
  const QRectF band(sheet.left(), sheet.top(), sheet.width(), sheet.height() * 0.22);
  painter.setBrush(QColor(200, 40, 40));
  painter.drawRect(band);
  painter.setBrush(QColor(60, 60, 60));
  for (double x : {sheet.left() + sheet.width() * 0.3, sheet.left() + sheet.width() * 0.7}) {
    painter.drawEllipse(QPointF(x, sheet.top() + 2), 1.6, 1.6);
  }
  const double cell_w = sheet.width() / 7.0;
  const double top = band.bottom() + 2;
  const double cell_h = (sheet.bottom() - top - 2) / 5.0;
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 7; ++col) {
      const QPointF centre(sheet.left() + cell_w * (col + 0.5), top + cell_h * (row + 0.5));
      QColor dot = col == 0 ? QColor(210, 50, 50) : col == 6 ? QColor(40, 110, 200) : QColor(70, 70, 70);
      painter.setBrush(dot);
      painter.drawEllipse(centre, 0.9, 0.9);
      if (row == 2 && col == 4) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(230, 150, 0), 1.0));
        painter.drawEllipse(centre, cell_w * 0.45, cell_h * 0.45);
        painter.setPen(Qt::NoPen);
      }
    }
  }
  painter.restore();
}

}  // namespace

QPixmap MessagePicture() {
  QPixmap pixmap(200, 228);
  pixmap.fill(QColor(128, 128, 0));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  // The window of the train: a rounded opening in a dark frame.
  const QRectF opening(10, 12, 180, 176);
  QPainterPath view;
  view.addRoundedRect(opening, 16, 16);
  painter.setClipPath(view);

  // Evening sky and the first stars.
  QLinearGradient sky(0, opening.top(), 0, 122);
  sky.setColorAt(0.0, QColor(30, 34, 86));
  sky.setColorAt(0.55, QColor(150, 80, 120));
  sky.setColorAt(1.0, QColor(250, 170, 90));
  painter.fillRect(opening, sky);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 230));
  const std::array<QPointF, 7> stars = {QPointF(30, 28), QPointF(58, 44), QPointF(92, 24),
                                        QPointF(150, 36), QPointF(172, 22), QPointF(120, 54),
                                        QPointF(40, 62)};
  for (const QPointF& star : stars) painter.drawEllipse(star, 1.1, 1.1);

  // The sun going down into the sea.
  QRadialGradient glow(QPointF(128, 118), 40);
  glow.setColorAt(0.0, QColor(255, 230, 150, 220));
  glow.setColorAt(1.0, QColor(255, 200, 120, 0));
  painter.setBrush(glow);
  painter.drawEllipse(QPointF(128, 118), 40, 40);
  painter.setBrush(QColor(255, 214, 110));
  painter.drawEllipse(QPointF(128, 118), 15, 15);

  // Sea with the sun's path on it.
  QLinearGradient sea(0, 120, 0, 160);
  sea.setColorAt(0.0, QColor(60, 70, 120));
  sea.setColorAt(1.0, QColor(20, 30, 60));
  painter.fillRect(QRectF(opening.left(), 120, opening.width(), 50), sea);
  painter.setPen(QPen(QColor(255, 210, 130, 180), 1.2));
  for (int i = 0; i < 6; ++i) {
    const double y = 124 + i * 5.5;
    const double half = 14 - i * 1.6;
    painter.drawLine(QPointF(128 - half, y), QPointF(128 + half, y));
  }

  // Headland with a lighthouse on the left.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(35, 40, 45));
  QPainterPath land;
  land.moveTo(opening.left(), 100);
  land.cubicTo(30, 92, 50, 104, 78, 122);
  land.lineTo(78, 124);
  land.lineTo(opening.left(), 124);
  land.closeSubpath();
  painter.drawPath(land);
  painter.setBrush(QColor(230, 230, 220));
  painter.drawRect(QRectF(34, 80, 6, 16));
  painter.setBrush(QColor(200, 60, 50));
  painter.drawRect(QRectF(33, 77, 8, 4));
  painter.setBrush(QColor(255, 240, 150, 160));
  QPolygonF beam;
  beam << QPointF(40, 79) << QPointF(90, 70) << QPointF(90, 84);
  painter.drawPolygon(beam);

  // The coach: the sill and a table with a cup under the window.
  painter.setBrush(QColor(90, 60, 40));
  painter.drawRect(QRectF(opening.left(), 166, opening.width(), 24));
  painter.setBrush(QColor(240, 240, 235));
  painter.drawRoundedRect(QRectF(34, 152, 14, 14), 3, 3);
  painter.setPen(QPen(QColor(240, 240, 235), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(44, 155, 8, 7), -90 * 16, 180 * 16);
  painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
  painter.drawLine(QPointF(38, 148), QPointF(39, 144));
  painter.drawLine(QPointF(43, 148), QPointF(42, 143));
  painter.setClipping(false);

  // The frame of the window.
  painter.setPen(QPen(QColor(60, 50, 30), 5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(opening, 16, 16);

  // The wall calendar hung beside the window.
  DrawCalendarSheet(painter, QRectF(136, 150, 50, 56));

  painter.setPen(QColor(255, 255, 210));
  painter.setFont(ArtFont(12, true));
  painter.drawText(QRectF(0, 204, 200, 22), Qt::AlignCenter, "海辺の町へ");
  return pixmap;
}

QIcon MessageButtonIcon() {
  QPixmap pixmap(40, 34);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(2, 2, 36, 22), 9, 9);
  QPainterPath tail;
  tail.moveTo(10, 20);
  tail.lineTo(8, 32);
  tail.lineTo(20, 22);
  tail.closeSubpath();
  bubble = bubble.united(tail);
  painter.setPen(QPen(QColor(100, 90, 0), 1.5));
  painter.setBrush(QColor(255, 240, 60));
  painter.drawPath(bubble);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 128));
  for (double x : {12.0, 20.0, 28.0}) painter.drawEllipse(QPointF(x, 13), 2.4, 2.4);
  return QIcon(pixmap);
}

QPixmap LogoPicture() {
  QPixmap pixmap(150, 40);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient ground(0, 0, 150, 40);
  ground.setColorAt(0.0, QColor(20, 30, 90));
  ground.setColorAt(1.0, QColor(0, 110, 120));
  painter.setPen(Qt::NoPen);
  painter.setBrush(ground);
  painter.drawRoundedRect(QRectF(0, 0, 150, 40), 7, 7);
  DrawCalendarSheet(painter, QRectF(6, 5, 26, 30));
  painter.setPen(Qt::white);
  painter.setFont(ArtFont(17, true));
  painter.drawText(QRectF(37, 2, 110, 22), Qt::AlignLeft | Qt::AlignVCenter, "MURVA32");
  painter.setPen(QColor(255, 230, 120));
  painter.setFont(ArtFont(10, false));
  painter.drawText(QRectF(37, 23, 110, 14), Qt::AlignLeft | Qt::AlignVCenter, "壁紙カレンダ for Linux");
  return pixmap;
}

}  // namespace murva
