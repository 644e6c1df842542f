#include "imaging/graphic.h"

#include "imaging/graphic_errors.h"
#include "platform/bounded_file.h"

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
  std::vector<std::uint8_t> memory;
  const FileReadResult read = ReadBoundedFile(file_name, kPictureFileReadLimit, memory);
  if (!read.Ok()) throw EFOpenError(file_name, FileReadReason(read));
  return memory;
}

}  // namespace murva
