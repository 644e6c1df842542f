#pragma once

// Helpers shared by the imaging tests: temporary folders, the paths of the
// test and shipped plug-ins, guards for the process-wide registry, and
// small pictures.

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake_spi.h"
#include "imaging/picture_format_registry.h"
#include "imaging/spi.h"
#include "imaging/spis.h"

namespace murva::test {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Restores the picture-format registry to what it held at construction.
class RegistryGuard {
 public:
  RegistryGuard() : saved_(PictureFormatRegistry()) {}
  ~RegistryGuard() { PictureFormatRegistry() = saved_; }

 private:
  TPictureFormatRegistry saved_;
};

// A manager whose search places are chosen by the test.
class PlacedSPIs : public TSPIs {
 public:
  std::map<TSPISearchOption, std::optional<std::string>> places;

 protected:
  std::optional<std::string> PlaceDirectory(TSPISearchOption option) const override {
    auto it = places.find(option);
    return it == places.end() ? std::nullopt : it->second;
  }
};

// name.spi among the test plug-ins, and among the shipped plug-ins.
std::string TestPlugin(const std::string& name);
std::string ShippedPlugin(const std::string& name);

// The call log of a test plug-in.
FakeCallLog& LogOf(const TSPI& spi);

// An MVTS test picture of width x height, optionally after prefix bytes.
std::vector<std::uint8_t> MvtsPicture(int width, int height, std::size_t prefix = 0);

// The colour the test plug-ins draw at (x, y).
QRgb FakeColour(int x, int y);
QRgb FourBitColour(int index);
QRgb EightBitColour(int index);

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);
void CopyFile(const std::string& from, const std::filesystem::path& to);

// The picture as a BMP file image, written by the image library.
std::vector<std::uint8_t> BmpFile(const QImage& image);

// Every pixel of image as 0xAARRGGBB, top row first.
std::vector<QRgb> Pixels(const QImage& image);

}  // namespace murva::test
