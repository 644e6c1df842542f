#include "imaging/graphic.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>

#include "imaging/graphic_errors.h"

namespace murva {

void TGraphic::LoadFromFile(const std::string& file_name) {
  std::vector<std::uint8_t> memory = ReadWholeFile(file_name);
  LoadFromStream(std::span<const std::uint8_t>(memory));
}

void TGraphic::LoadFromStream(std::istream& stream) {
  stream.clear();
  stream.seekg(0);
  std::vector<std::uint8_t> memory;
  char buffer[65536];
  while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
    memory.insert(memory.end(), buffer, buffer + stream.gcount());
  }
  LoadFromStream(std::span<const std::uint8_t>(memory));
}

void TGraphic::Progress(TProgressStage stage, int percent_done, bool redraw_now, const QRect& rect,
                        const std::string& message) {
  if (on_progress_) on_progress_(*this, stage, percent_done, redraw_now, rect, message);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name) {
  std::FILE* file = std::fopen(file_name.c_str(), "rb");
  if (file == nullptr) throw EFOpenError(file_name, std::strerror(errno));
  std::vector<std::uint8_t> memory;
  std::uint8_t buffer[65536];
  for (;;) {
    std::size_t count = std::fread(buffer, 1, sizeof buffer, file);
    if (count > 0) {
      // Plug-ins receive the size as a 32-bit number; nothing larger is a
      // picture this program can use.
      if (memory.size() + count > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        std::fclose(file);
        throw EFOpenError(file_name, "ファイルが大きすぎます");
      }
      memory.insert(memory.end(), buffer, buffer + count);
    }
    if (count < sizeof buffer) break;
  }
  bool failed = std::ferror(file) != 0;
  int error = errno;
  std::fclose(file);
  if (failed) throw EFOpenError(file_name, std::strerror(error));
  return memory;
}

}  // namespace murva
