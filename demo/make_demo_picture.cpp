// Paints the demo background: an evening sky over hills, written as PNG so
// that the demo run reads it through the PNG plug-in.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: murva32-demo-picture OUTPUT.png [WIDTH HEIGHT]\n";
constexpr const char* kHelp =
    "Paints the background of the MURVA32 demo (an evening sky over hills) and\n"
    "writes it as a PNG file.\n"
    "\n"
    "  OUTPUT.png     the file to write\n"
    "  WIDTH HEIGHT   the picture's size in pixels (default 1920 1200, at most 16384)\n"
    "  -h, --help     show this help and exit\n";
constexpr int kMaxSide = 16384;

// A side length in pixels, or nothing when the text is not one.
std::optional<int> Side(const char* text) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 1 || value > kMaxSide) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

int UsageError(const char* what, const char* argument) {
  std::fprintf(stderr, "murva32-demo-picture: %s: %s\n%s", what, argument, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return 0;
    }
  }
  // Everything else that looks like a switch is refused rather than taken
  // for a file name ("--" ends the switches, for a file whose name begins
  // with a dash).
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--") == 0) {
    first = 2;
  } else {
    for (int i = 1; i < argc; ++i) {
      if (argv[i][0] == '-' && argv[i][1] != '\0' && Side(argv[i]) == std::nullopt) {
        return UsageError("unknown switch", argv[i]);
      }
    }
  }
  const int count = argc - first;
  if (count != 1 && count != 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const char* output = argv[first];
  int width = 1920;
  int height = 1200;
  if (count == 3) {
    const std::optional<int> w = Side(argv[first + 1]);
    const std::optional<int> h = Side(argv[first + 2]);
    if (!w) return UsageError("not a width", argv[first + 1]);
    if (!h) return UsageError("not a height", argv[first + 2]);
    width = *w;
    height = *h;
  }
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
  if (!image.save(QString::fromLocal8Bit(output), "PNG")) {
    std::fprintf(stderr, "murva32-demo-picture: cannot write %s\n", output);
    return 1;
  }
  return 0;
}
