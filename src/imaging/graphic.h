#pragma once

// The picture classes: a picture loads itself from a file or from a memory
// image and holds the result as a QImage. A picture class is named by a
// TGraphicClass, the value the picture-format registry stores, so that a
// file can be opened by the class registered for its extension.

#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace murva {

class TGraphic;

// Identifies a picture class and creates empty pictures of it.
struct TGraphicClass {
  const char* class_name;
  std::unique_ptr<TGraphic> (*create)();
};

enum class TProgressStage { psStarting, psRunning, psEnding };

using TProgressEvent =
    std::function<void(TGraphic& sender, TProgressStage stage, int percent_done, bool redraw_now,
                       const QRect& rect, const std::string& message)>;

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual const TGraphicClass& ClassType() const = 0;

  // Reads the whole file into memory and loads the picture from it with
  // LoadFromStream. Throws EFOpenError when the file cannot be read.
  virtual void LoadFromFile(const std::string& file_name);

  // Loads the picture from a memory image of a file.
  virtual void LoadFromStream(std::span<const std::uint8_t> stream) = 0;

  // Loads the picture from the whole content of stream, from its start.
  void LoadFromStream(std::istream& stream);

  const QImage& Image() const { return image_; }
  QImage TakeImage() { return std::exchange(image_, QImage()); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull(); }

  const TProgressEvent& OnProgress() const { return on_progress_; }
  void SetOnProgress(TProgressEvent handler) { on_progress_ = std::move(handler); }

 protected:
  TGraphic() = default;

  // Tells the progress listener, if any, how a load is going.
  void Progress(TProgressStage stage, int percent_done, bool redraw_now, const QRect& rect,
                const std::string& message);

  QImage image_;

 private:
  TProgressEvent on_progress_;
};

// The largest picture file read: the plain reader decodes at most 1024 MB
// of pixels, which no larger BMP file fits in, and the shipped plug-ins
// refuse pictures of more than 2^27 pixels long before their files reach it.
// (Plug-ins are told sizes as 32-bit numbers, so 2 GB is the hard bound.)
inline constexpr std::size_t kPictureFileReadLimit = std::size_t{1} << 30;

// Reads a whole file into memory without blocking: it must be a regular file
// of at most kPictureFileReadLimit bytes. Throws EFOpenError naming the file
// and the reason (a named pipe, a device, a folder, a file too large, or the
// system's error).
std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name);

}  // namespace murva
