#pragma once

// The plain bitmap: a picture read from a Windows BMP file image by the
// program itself.

#include "imaging/graphic.h"

namespace murva {

// The largest picture the reader decodes, in megabytes of decoded pixels.
inline constexpr int kBitmapAllocationLimitMegabytes = 1024;

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;

  static const TGraphicClass& Class();
  const TGraphicClass& ClassType() const override { return Class(); }

  using TGraphic::LoadFromStream;

  // Reads a BMP file image. Throws EInvalidGraphic (kInvalidBitmapMessage)
  // when the data is not a complete, readable BMP image; the picture held
  // before is kept then.
  void LoadFromStream(std::span<const std::uint8_t> stream) override;

  // Takes over the picture of source.
  virtual void Assign(const TBitmap& source);

  // Replaces the colour table of an indexed picture (see
  // CoverColourIndices).
  void SetPalette(const QList<QRgb>& colours);

 protected:
  // The plain reader itself, also used by classes that read other formats
  // into a BMP image first.
  void ReadBitmapImage(std::span<const std::uint8_t> stream);
};

// Reads a BMP file image into a QImage; a null image when the data is not a
// complete, readable BMP image. Every pixel of an indexed picture names an
// entry of its colour table (see CoverColourIndices).
QImage ReadBmpImage(std::span<const std::uint8_t> stream);

// A damaged file can hold pixels whose index lies beyond its colour table;
// such a table is lengthened with black entries up to the largest index
// used, so that every pixel has a colour.
void CoverColourIndices(QImage& image);

}  // namespace murva
