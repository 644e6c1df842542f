// Paints the demo background: an evening sky over hills, written as PNG so
// that the demo run reads it through the PNG plug-in.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: murva32-demo-picture OUTPUT.png [WIDTH HEIGHT]\n");
    return 2;
  }
  const int width = argc >= 4 ? std::atoi(argv[2]) : 1920;
  const int height = argc >= 4 ? std::atoi(argv[3]) : 1200;
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(12, 20, 60));
  sky.setColorAt(0.55, QColor(70, 60, 130));
  sky.setColorAt(0.8, QColor(230, 130, 90));
  painter.fillRect(image.rect(), sky);

  QRadialGradient sun(width * 0.7, height * 0.72, height * 0.18);
  sun.setColorAt(0.0, QColor(255, 230, 170));
  sun.setColorAt(1.0, QColor(255, 160, 90, 0));
  painter.setBrush(sun);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(width * 0.7, height * 0.72), height * 0.18, height * 0.18);

  const QColor hills[] = {QColor(40, 40, 80), QColor(25, 30, 55), QColor(12, 16, 30)};
  for (int layer = 0; layer < 3; ++layer) {
    QPainterPath path;
    const double base = height * (0.72 + 0.08 * layer);
    path.moveTo(0, height);
    for (int x = 0; x <= width; x += 8) {
      const double y = base - height * 0.05 *
                                  (std::sin(x * (0.004 + 0.002 * layer) + layer * 1.7) +
                                   0.5 * std::sin(x * 0.011 + layer));
      path.lineTo(x, y);
    }
    path.lineTo(width, height);
    path.closeSubpath();
    painter.fillPath(path, hills[layer]);
  }
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
