#include "imaging/platform_graphics.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "imaging/graphic_errors.h"

namespace murva {

const TGraphicClass& TIcon::Class() {
  static const TGraphicClass kClass{"TIcon", [] { return std::unique_ptr<TGraphic>(new TIcon); }};
  return kClass;
}

void TIcon::LoadFromStream(std::span<const std::uint8_t> stream) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(stream.data()),
                                             static_cast<qsizetype>(stream.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  reader.setAutoDetectImageFormat(false);
  QImage best;
  // An icon file holds several sizes; the reader steps through them.
  for (int index = 0; index < reader.imageCount() || index == 0; ++index) {
    if (index > 0 && !reader.jumpToImage(index)) break;
    QImage image = reader.read();
    if (image.isNull()) break;
    if (best.isNull() || image.width() * image.height() > best.width() * best.height()) {
      best = std::move(image);
    }
  }
  if (best.isNull()) throw EInvalidGraphic(kUnrecognizedPictureMessage);
  image_ = std::move(best);
}

const TGraphicClass& TMetafile::Class() {
  static const TGraphicClass kClass{"TMetafile",
                                    [] { return std::unique_ptr<TGraphic>(new TMetafile); }};
  return kClass;
}

void TMetafile::LoadFromStream(std::span<const std::uint8_t>) {
  throw EInvalidGraphic(kUnrecognizedPictureMessage);
}

}  // namespace murva
