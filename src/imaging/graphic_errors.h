#pragma once

// Errors of picture loading.

#include <stdexcept>
#include <string>

namespace murva {

// No reader made a picture of the data.
inline constexpr const char* kUnrecognizedPictureMessage = "認識できない画像形式です";
// The plain bitmap reader was given data that is not a readable BMP image.
inline constexpr const char* kInvalidBitmapMessage = "ビットマップ画像が正しくありません";

// The data is not a picture the reader can use.
class EInvalidGraphic : public std::runtime_error {
 public:
  explicit EInvalidGraphic(const std::string& message) : std::runtime_error(message) {}
};

// No picture class is registered for a file's extension.
class EUnknownPictureExtension : public EInvalidGraphic {
 public:
  // extension is given without its dot.
  explicit EUnknownPictureExtension(const std::string& extension)
      : EInvalidGraphic("拡張子 ." + extension + " の画像形式は処理できません") {}
};

// A picture file could not be opened or read.
class EFOpenError : public std::runtime_error {
 public:
  EFOpenError(const std::string& file_name, const std::string& reason)
      : std::runtime_error("ファイル \"" + file_name + "\" を開けません。" + reason) {}
};

// The silent abort: raised by a progress listener to stop a load; callers
// that show errors do not show this one.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("操作は中止されました") {}
};

}  // namespace murva
