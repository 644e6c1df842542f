#pragma once

// The loading object of the plug-in bitmap: runs one load of a memory image
// through the program's own BMP reader and the image plug-ins, in the order
// the file's extension suggests.

#include <QRect>
#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>

#include "imaging/graphic.h"
#include "imaging/spi.h"

namespace murva {

// What GetPictureInfo told about the picture of the current plug-in call.
struct TPictureRecord {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t x_density = 0;
  uint16_t y_density = 0;
  int16_t color_depth = 0;
  std::string info;
  bool valid = false;
};

class TInSPIAble {
 public:
  // Opens a file by name and loads it (through the bitmap's LoadFromStream).
  using NativeFileLoader = std::function<void(const std::string& file_name)>;
  // The plain BMP reader; throws when the data is not a readable BMP image.
  using NativeStreamLoader = std::function<void(std::span<const std::uint8_t> stream)>;
  // Turns a plug-in's information and pixel blocks into the bitmap; returns
  // whether it did.
  using PictureSink =
      std::function<bool(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                         const TPictureRecord& record)>;
  using ProgressSink = std::function<void(TProgressStage stage, int percent_done, bool redraw_now,
                                          const QRect& rect, const std::string& message)>;

  // The built-in format's extension.
  static constexpr const char* kNativeExt = "BMP";
  // Bytes skipped for the second try when a plug-in cannot read the data.
  static constexpr std::size_t kSkippedHeaderSize = 128;

  // bitmap is the picture being loaded (its size goes into progress
  // notices); it outlives this object.
  explicit TInSPIAble(const TGraphic& bitmap);

  void SetNativeFileLoader(NativeFileLoader loader) { native_file_loader_ = std::move(loader); }
  void SetNativeStreamLoader(NativeStreamLoader loader) {
    native_stream_loader_ = std::move(loader);
  }
  void SetPictureSink(PictureSink sink) { picture_sink_ = std::move(sink); }
  void SetProgressSink(ProgressSink sink) { progress_sink_ = std::move(sink); }

  // The settings of the current load, copied from the bitmap.
  void SetSPI(const TInSPI* spi) { spi_ = spi; }
  void SetSkipHeader(bool skip_header) { skip_header_ = skip_header; }

  // Name of the current load and its extension with the dot.
  void SetFileName(const std::string& file_name);
  void ClearFileName();
  const std::string& Ext() const { return ext_; }
  const std::string& FileName() const { return file_name_; }
  const std::string& NativeExt() const { return native_ext_; }

  // Sets the name, calls the native file loader and clears the name again,
  // also when the load fails.
  void LoadFromFile(const std::string& file_name);

  // The core load of a memory image: the native reader and the plug-ins,
  // one after the other as Ext asks, the second only when the first fails.
  // Throws EInvalidGraphic ("認識できない画像形式です") when neither made a
  // picture, and passes on any error raised inside a plug-in trial.
  void Load(std::span<const std::uint8_t> memory);

  // The record of the most recent plug-in call.
  const TPictureRecord& PictureRecord() const { return record_; }

  // The progress callback handed to GetPicture; user_value is the address
  // of the TInSPIAble that makes the call (0 gives 0 at once). Reports
  // 1 to 99 percent to the progress sink; returns 1 (stop) when a listener
  // raises EAbort, and also for any other error, which is kept and raised
  // again once the plug-in has returned.
  static int ProgressCallback(int numerator, int denominator, intptr_t user_value);

  // numerator x 98 / denominator rounded to the nearest integer (halves
  // away from zero), plus 1; 0 when denominator is 0.
  static int ProgressPercent(int numerator, int denominator);

 private:
  bool NativeAttempt(std::span<const std::uint8_t> memory);
  bool PluginAttempt(std::span<const std::uint8_t> memory);
  bool PluginTrial(const TSPI& spi, std::span<const std::uint8_t> memory);
  bool ImageCall(const TSPI& spi, const std::uint8_t* data, std::size_t size);
  bool DeliverPicture(MurvaLocalHandle info_handle, MurvaLocalHandle pixel_handle);
  void Notify(TProgressStage stage, int percent, bool redraw);
  void RaisePendingError();

  const TGraphic& bitmap_;
  std::string ext_;
  std::string file_name_;
  std::string native_ext_ = kNativeExt;
  NativeFileLoader native_file_loader_;
  NativeStreamLoader native_stream_loader_;
  PictureSink picture_sink_;
  const TInSPI* spi_ = nullptr;
  ProgressSink progress_sink_;
  bool skip_header_ = true;

  TPictureRecord record_;
  std::exception_ptr pending_error_;
};

}  // namespace murva
