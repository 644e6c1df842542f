#pragma once

// The picture-format registry: the process-wide, ordered table through which
// a picture file is opened by its extension.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/graphic.h"

namespace murva {

struct TPictureFormat {
  std::string extension;  // lower-case, without the dot
  std::string description;
  const TGraphicClass* graphic_class;
};

class TPictureFormatRegistry {
 public:
  // Starts with the formats the program reads without plug-ins: "wmf",
  // "emf", "ico" and "bmp" (the last read by the plain bitmap reader).
  TPictureFormatRegistry();

  // Appends an entry; extension is stored lower-case (ASCII letters).
  void Register(std::string_view extension, std::string_view description,
                const TGraphicClass& graphic_class);

  // Removes every entry of graphic_class.
  void Unregister(const TGraphicClass& graphic_class);

  // The most recently added entry whose extension equals extension (given
  // without its dot), compared without regard to ASCII case; nothing when
  // none does.
  std::optional<TPictureFormat> Find(std::string_view extension) const;

  const std::vector<TPictureFormat>& Formats() const { return formats_; }

 private:
  std::vector<TPictureFormat> formats_;
};

// The registry of the process.
TPictureFormatRegistry& PictureFormatRegistry();

// ASCII lower-case copy of text; other bytes (UTF-8 included) are kept.
std::string AsciiLowerCase(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right);

}  // namespace murva
