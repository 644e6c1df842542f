#include "imaging/in_spi_able.h"

#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "imaging/graphic_errors.h"
#include "imaging/picture_format_registry.h"
#include "imaging/spis.h"

namespace murva {
namespace {

// Releases the handles a plug-in handed back, in the fixed order: unlock the
// information block, then the pixel block; free the information block, then
// the pixel block. Runs also when the picture sink raises.
class BlockRelease {
 public:
  BlockRelease(MurvaLocalHandle info_handle, MurvaLocalHandle pixel_handle)
      : info_handle_(info_handle), pixel_handle_(pixel_handle) {}
  ~BlockRelease() {
    if (info_locked_) MurvaLocalUnlock(info_handle_);
    if (pixels_locked_) MurvaLocalUnlock(pixel_handle_);
    if (info_handle_ != 0) MurvaLocalFree(info_handle_);
    if (pixel_handle_ != 0) MurvaLocalFree(pixel_handle_);
  }
  BlockRelease(const BlockRelease&) = delete;
  BlockRelease& operator=(const BlockRelease&) = delete;

  bool info_locked_ = false;
  bool pixels_locked_ = false;

 private:
  MurvaLocalHandle info_handle_;
  MurvaLocalHandle pixel_handle_;
};

}  // namespace

TInSPIAble::TInSPIAble(const TGraphic& bitmap) : bitmap_(bitmap) {}

void TInSPIAble::SetFileName(const std::string& file_name) {
  file_name_ = file_name;
  ext_ = ExtractFileExt(file_name);
}

void TInSPIAble::ClearFileName() {
  file_name_.clear();
  ext_.clear();
}

void TInSPIAble::LoadFromFile(const std::string& file_name) {
  SetFileName(file_name);
  try {
    if (native_file_loader_) native_file_loader_(file_name);
  } catch (...) {
    ClearFileName();
    throw;
  }
  ClearFileName();
}

void TInSPIAble::Load(std::span<const std::uint8_t> memory) {
  bool native_first = ext_.empty() || EqualsIgnoringAsciiCase(ext_.substr(1), native_ext_);
  bool loaded = native_first ? (NativeAttempt(memory) || PluginAttempt(memory))
                             : (PluginAttempt(memory) || NativeAttempt(memory));
  if (!loaded) throw EInvalidGraphic(kUnrecognizedPictureMessage);
}

bool TInSPIAble::NativeAttempt(std::span<const std::uint8_t> memory) {
  if (!native_stream_loader_) return false;
  try {
    native_stream_loader_(memory);
    return true;
  } catch (...) {
    // The reader's own errors only make this attempt fail.
    return false;
  }
}

bool TInSPIAble::PluginAttempt(std::span<const std::uint8_t> memory) {
  // Plug-ins are told the size as a 32-bit number.
  if (memory.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  if (spi_ != nullptr) return PluginTrial(*spi_, memory);
  TSPIs* manager = SPIsInstance();
  if (manager == nullptr) return false;
  std::vector<TSPI*> candidates;
  manager->CollectSPIs({&TInSPI::Class()}, candidates, ext_);
  for (TSPI* candidate : candidates) {
    if (PluginTrial(*candidate, memory)) return true;
  }
  return false;
}

bool TInSPIAble::PluginTrial(const TSPI& spi, std::span<const std::uint8_t> memory) {
  Notify(TProgressStage::psStarting, 0, false);
  bool result;
  try {
    result = ImageCall(spi, memory.data(), memory.size());
    if (!result && skip_header_ && memory.size() > kSkippedHeaderSize) {
      result =
          ImageCall(spi, memory.data() + kSkippedHeaderSize, memory.size() - kSkippedHeaderSize);
    }
  } catch (...) {
    Notify(TProgressStage::psEnding, 100, true);
    throw;
  }
  Notify(TProgressStage::psEnding, 100, true);
  return result;
}

bool TInSPIAble::ImageCall(const TSPI& spi, const std::uint8_t* data, std::size_t size) {
  // Plug-ins may look at the first SPI_SUPPORT_CHECK_BYTES bytes whatever
  // the size: short data is handed over in a zero-filled block of that size.
  std::array<std::uint8_t, SPI_SUPPORT_CHECK_BYTES> padded{};
  if (size < padded.size()) {
    if (size > 0) std::memcpy(padded.data(), data, size);
    data = padded.data();
  }
  const char* buffer = reinterpret_cast<const char*>(data);
  int32_t length = static_cast<int32_t>(size);

  if (spi.IsSupported(file_name_.c_str(), data) == 0) return false;

  record_ = TPictureRecord{};
  PictureInfo info{};
  if (spi.GetPictureInfo(buffer, length, kSpiInputMemory, &info) == 0) {
    record_.left = info.left;
    record_.top = info.top;
    record_.width = info.width;
    record_.height = info.height;
    record_.x_density = info.xDensity;
    record_.y_density = info.yDensity;
    record_.color_depth = info.colorDepth;
    if (info.info != 0) {
      if (const char* text = static_cast<const char*>(MurvaLocalLock(info.info))) {
        record_.info.assign(text, strnlen(text, MurvaLocalSize(info.info)));
        MurvaLocalUnlock(info.info);
      }
      MurvaLocalFree(info.info);
    }
    record_.valid = true;
  }

  MurvaLocalHandle info_handle = 0;
  MurvaLocalHandle pixel_handle = 0;
  pending_error_ = nullptr;
  int result = spi.GetPicture(buffer, length, kSpiInputMemory, &info_handle, &pixel_handle,
                              &TInSPIAble::ProgressCallback, reinterpret_cast<intptr_t>(this));
  if (pending_error_) {
    // A progress listener failed while the plug-in ran; the plug-in was told
    // to stop and its error goes on now that it has returned.
    if (result == 0) {
      BlockRelease release(info_handle, pixel_handle);
    }
    RaisePendingError();
  }
  if (result != 0) return false;
  return DeliverPicture(info_handle, pixel_handle);
}

bool TInSPIAble::DeliverPicture(MurvaLocalHandle info_handle, MurvaLocalHandle pixel_handle) {
  BlockRelease release(info_handle, pixel_handle);
  auto* pixels = static_cast<const std::uint8_t*>(MurvaLocalLock(pixel_handle));
  release.pixels_locked_ = pixels != nullptr;
  auto* info = static_cast<const std::uint8_t*>(MurvaLocalLock(info_handle));
  release.info_locked_ = info != nullptr;
  // A handle that is not a live block is a failed call.
  if (pixels == nullptr || info == nullptr || !picture_sink_) return false;
  return picture_sink_(std::span<const std::uint8_t>(info, MurvaLocalSize(info_handle)),
                       std::span<const std::uint8_t>(pixels, MurvaLocalSize(pixel_handle)),
                       record_);
}

void TInSPIAble::Notify(TProgressStage stage, int percent, bool redraw) {
  if (progress_sink_) {
    progress_sink_(stage, percent, redraw, QRect(0, 0, bitmap_.Width(), bitmap_.Height()), "");
  }
}

void TInSPIAble::RaisePendingError() {
  std::exception_ptr error = std::exchange(pending_error_, nullptr);
  std::rethrow_exception(error);
}

int TInSPIAble::ProgressPercent(int numerator, int denominator) {
  int64_t quotient;
  if (denominator == 0) {
    quotient = -1;
  } else {
    int64_t dividend = static_cast<int64_t>(numerator) * 98;
    int64_t divisor = denominator;
    if (divisor < 0) {
      dividend = -dividend;
      divisor = -divisor;
    }
    int64_t magnitude = ((dividend < 0 ? -dividend : dividend) * 2 + divisor) / (2 * divisor);
    quotient = dividend < 0 ? -magnitude : magnitude;
  }
  int64_t percent = quotient + 1;
  if (percent > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (percent < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(percent);
}

int TInSPIAble::ProgressCallback(int numerator, int denominator, intptr_t user_value) {
  if (user_value == 0) return 0;
  auto* self = reinterpret_cast<TInSPIAble*>(user_value);
  if (self->pending_error_) return 1;
  try {
    self->Notify(TProgressStage::psRunning, ProgressPercent(numerator, denominator), false);
    return 0;
  } catch (const EAbort&) {
    return 1;
  } catch (...) {
    // No error may cross into the plug-in: keep it for after the call.
    self->pending_error_ = std::current_exception();
    return 1;
  }
}

}  // namespace murva
