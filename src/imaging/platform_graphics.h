#pragma once

// The picture classes the picture-format registry starts with besides the
// plain bitmap: icons and the two metafile formats.

#include "imaging/graphic.h"

namespace murva {

// A Windows icon file; the largest image of the file is taken.
class TIcon : public TGraphic {
 public:
  static const TGraphicClass& Class();
  const TGraphicClass& ClassType() const override { return Class(); }
  using TGraphic::LoadFromStream;
  // Throws EInvalidGraphic ("認識できない画像形式です") when the data is not an
  // icon the image library reads.
  void LoadFromStream(std::span<const std::uint8_t> stream) override;
};

// Windows metafiles (wmf) and enhanced metafiles (emf). They are vector
// drawings made of Windows drawing calls, which this platform cannot replay,
// so every load throws EInvalidGraphic ("認識できない画像形式です"); a plug-in
// that declares the extension takes precedence over this class.
class TMetafile : public TGraphic {
 public:
  static const TGraphicClass& Class();
  const TGraphicClass& ClassType() const override { return Class(); }
  using TGraphic::LoadFromStream;
  void LoadFromStream(std::span<const std::uint8_t> stream) override;
};

}  // namespace murva
