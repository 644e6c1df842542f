#include "imaging/spi_bitmap.h"

#include "imaging/bitmap_rows.h"
#include "imaging/picture_format_registry.h"
#include "imaging/picture_sink.h"
#include "imaging/spis.h"

namespace murva {
namespace {

// Makes the plug-in bitmap the class registered for plug-in extensions, and
// takes every such registration back when the program ends.
struct SPIBitmapUnit {
  SPIBitmapUnit() { SetDefaultGraphicClass(&TSPIBitmap::Class()); }
  ~SPIBitmapUnit() { PictureFormatRegistry().Unregister(TSPIBitmap::Class()); }
};
const SPIBitmapUnit spi_bitmap_unit;

}  // namespace

TSPIBitmap::TSPIBitmap() : loader_(std::make_unique<TInSPIAble>(*this)) {
  loader_->SetNativeFileLoader(
      [this](const std::string& file_name) { TBitmap::LoadFromFile(file_name); });
  loader_->SetNativeStreamLoader(
      [this](std::span<const std::uint8_t> stream) { ReadBitmapImage(stream); });
  loader_->SetPictureSink(
      [this](std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
             const TPictureRecord& record) { return ConvertPicture(info, pixels, record); });
  loader_->SetProgressSink(
      [this](TProgressStage stage, int percent, bool redraw, const QRect& rect,
             const std::string& message) { Progress(stage, percent, redraw, rect, message); });
}

TSPIBitmap::~TSPIBitmap() = default;

const TGraphicClass& TSPIBitmap::Class() {
  static const TGraphicClass kClass{"TSPIBitmap",
                                    [] { return std::unique_ptr<TGraphic>(new TSPIBitmap); }};
  return kClass;
}

TSPILoadFromStreamWithNameEvent TSPIBitmap::OnLoadFromStreamWithName() {
  return [this](std::span<const std::uint8_t> stream, const std::string& file_name) {
    LoadFromStreamWithName(stream, file_name);
  };
}

void TSPIBitmap::Assign(const TBitmap& source) {
  if (const auto* other = dynamic_cast<const TSPIBitmap*>(&source)) {
    spi_ = other->spi_;
    skip_header_ = other->skip_header_;
  }
  TBitmap::Assign(source);
}

void TSPIBitmap::PrepareLoad() {
  loader_->SetSPI(spi_);
  loader_->SetSkipHeader(skip_header_);
}

void TSPIBitmap::LoadFromFile(const std::string& file_name) {
  PrepareLoad();
  loader_->LoadFromFile(file_name);
}

void TSPIBitmap::LoadFromStream(std::span<const std::uint8_t> stream) {
  PrepareLoad();
  loader_->Load(stream);
}

void TSPIBitmap::LoadFromStreamWithName(std::span<const std::uint8_t> stream,
                                        const std::string& file_name) {
  PrepareLoad();
  loader_->SetFileName(file_name);
  try {
    loader_->Load(stream);
  } catch (...) {
    loader_->ClearFileName();
    throw;
  }
  loader_->ClearFileName();
}

bool TSPIBitmap::ConvertPicture(std::span<const std::uint8_t> info,
                                std::span<const std::uint8_t> pixels, const TPictureRecord&) {
  std::optional<TPluginBlockLayout> layout = PluginBlockLayout(info);
  if (!layout) return false;
  // The common kinds become the picture straight from the plug-in's rows.
  if (QImage image = DecodeCommonBitmap(info, pixels, kBitmapAllocationLimitMegabytes);
      !image.isNull()) {
    CoverColourIndices(image);
    image_ = std::move(image);
    return true;
  }
  std::optional<std::vector<std::uint8_t>> file = AssembleBitmapFile(info, pixels);
  if (!file) return false;
  // A malformed header makes the plain reader raise, which ends the load.
  ReadBitmapImage(*file);
  QList<QRgb> palette = SixteenColourPalette(info, *layout);
  if (!palette.isEmpty() && image_.format() == QImage::Format_Indexed8) SetPalette(palette);
  return true;
}

}  // namespace murva
