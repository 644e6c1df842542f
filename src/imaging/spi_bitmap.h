#pragma once

// The plug-in bitmap: a bitmap that reads BMP by itself and every other
// picture format through the image plug-ins of the manager.

#include <functional>
#include <memory>

#include "imaging/bitmap.h"
#include "imaging/in_spi_able.h"
#include "imaging/spi.h"

namespace murva {

using TSPILoadFromStreamWithNameEvent =
    std::function<void(std::span<const std::uint8_t> stream, const std::string& file_name)>;

class TSPIBitmap : public TBitmap {
 public:
  TSPIBitmap();
  ~TSPIBitmap() override;

  static const TGraphicClass& Class();
  const TGraphicClass& ClassType() const override { return Class(); }

  // When set, only this plug-in is tried; otherwise every image plug-in of
  // the manager, those whose filter string has the file's extension first.
  const TInSPI* SPI() const { return spi_; }
  void SetSPI(const TInSPI* spi) { spi_ = spi; }

  // When a plug-in cannot read the data, try it once more on the data after
  // the first 128 bytes.
  bool SkipHeader() const { return skip_header_; }
  void SetSkipHeader(bool skip_header) { skip_header_ = skip_header; }

  // The bitmap's own LoadFromStreamWithName, for holders that load with a
  // name; it cannot be replaced.
  TSPILoadFromStreamWithNameEvent OnLoadFromStreamWithName();

  // From another plug-in bitmap also takes SPI and SkipHeader.
  void Assign(const TBitmap& source) override;

  // Opens the file and loads it; BMP (by extension) is tried with the plain
  // reader first, any other extension with the plug-ins first. Throws
  // EFOpenError when the file cannot be read and EInvalidGraphic
  // ("認識できない画像形式です") when nothing reads it.
  void LoadFromFile(const std::string& file_name) override;

  using TBitmap::LoadFromStream;
  // Loads a memory image without a name: the plain reader first, then
  // every image plug-in in the manager's order.
  void LoadFromStream(std::span<const std::uint8_t> stream) override;

  // Loads a memory image as if it were the file file_name.
  virtual void LoadFromStreamWithName(std::span<const std::uint8_t> stream,
                                      const std::string& file_name);

 private:
  void PrepareLoad();
  // Assembles a BMP image from a plug-in's blocks and reads it with the
  // plain reader; false when a block is shorter than its header says.
  bool ConvertPicture(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                      const TPictureRecord& record);

  std::unique_ptr<TInSPIAble> loader_;
  const TInSPI* spi_ = nullptr;
  bool skip_header_ = true;
};

}  // namespace murva
