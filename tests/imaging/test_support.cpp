#include "imaging/test_support.h"

#include <stdlib.h>

#include <QBuffer>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace murva::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "murva-imaging-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string TestPlugin(const std::string& name) {
  return std::string(MURVA_TEST_PLUGIN_DIR) + "/" + name + ".spi";
}

std::string ShippedPlugin(const std::string& name) {
  return std::string(MURVA_SHIPPED_PLUGIN_DIR) + "/" + name + ".spi";
}

FakeCallLog& LogOf(const TSPI& spi) {
  auto log = reinterpret_cast<FakeLogFn>(spi.Handle().Symbol("FakeLog"));
  if (log == nullptr) throw std::runtime_error("not a test plug-in: " + spi.FileName());
  return *log();
}

std::vector<std::uint8_t> MvtsPicture(int width, int height, std::size_t prefix) {
  std::vector<std::uint8_t> bytes(prefix, 0xEE);
  bytes.insert(
      bytes.end(),
      {'M', 'V', 'T', 'S', static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
       static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)});
  return bytes;
}

QRgb FakeColour(int x, int y) {
  std::uint8_t red, green, blue;
  FakeRgb(x, y, &red, &green, &blue);
  return qRgb(red, green, blue);
}

QRgb FourBitColour(int index) {
  std::uint8_t red, green, blue;
  FakeFourBitColour(index, &red, &green, &blue);
  return qRgb(red, green, blue);
}

QRgb EightBitColour(int index) {
  std::uint8_t red, green, blue;
  FakeEightBitColour(index, &red, &green, &blue);
  return qRgb(red, green, blue);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadText(const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes = ReadFile(path);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void CopyFile(const std::string& from, const std::filesystem::path& to) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

std::vector<std::uint8_t> BmpFile(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) throw std::runtime_error("cannot write a BMP image");
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::vector<QRgb> Pixels(const QImage& image) {
  std::vector<QRgb> pixels;
  pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
  }
  return pixels;
}

}  // namespace murva::test
