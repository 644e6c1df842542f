#include "floor_work.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#if MURVA_BENCH_HAS_TURBOJPEG
#include <turbojpeg.h>
#endif

namespace murva::bench {
namespace {

std::vector<unsigned char> Slurp(const std::filesystem::path& path) {
  std::vector<unsigned char> data;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return data;
  unsigned char buffer[1 << 16];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    data.insert(data.end(), buffer, buffer + count);
  }
  std::fclose(file);
  return data;
}

void Put32(unsigned char* at, std::uint32_t value) { std::memcpy(at, &value, 4); }
void Put16(unsigned char* at, std::uint16_t value) { std::memcpy(at, &value, 2); }

}  // namespace

#if MURVA_BENCH_HAS_TURBOJPEG
bool FloorAvailable() { return true; }

bool FloorBuild(const std::filesystem::path& jpeg, const std::filesystem::path& bmp) {
  const std::vector<unsigned char> data = Slurp(jpeg);
  if (data.empty()) return false;
  tjhandle handle = tjInitDecompress();
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(handle, data.data(), data.size(), &width, &height, &subsampling,
                          &colourspace) != 0) {
    tjDestroy(handle);
    return false;
  }
  std::vector<unsigned char> bgr(static_cast<std::size_t>(width) * height * 3);
  const int failed = tjDecompress2(handle, data.data(), data.size(), bgr.data(), width, width * 3,
                                   height, TJPF_BGR, TJFLAG_BOTTOMUP);
  tjDestroy(handle);
  if (failed) return false;

  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t image_size = static_cast<std::uint32_t>(stride) * height;
  unsigned char header[54] = {'B', 'M'};
  Put32(header + 2, 54 + image_size);
  Put32(header + 10, 54);
  Put32(header + 14, 40);
  Put32(header + 18, static_cast<std::uint32_t>(width));
  Put32(header + 22, static_cast<std::uint32_t>(height));
  Put16(header + 26, 1);
  Put16(header + 28, 24);
  Put32(header + 34, image_size);
  std::FILE* out = std::fopen(bmp.c_str(), "wb");
  if (!out) return false;
  std::fwrite(header, 1, sizeof header, out);
  std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
  for (int y = 0; y < height; ++y) {
    std::memcpy(row.data(), bgr.data() + static_cast<std::size_t>(y) * width * 3,
                static_cast<std::size_t>(width) * 3);
    std::fwrite(row.data(), 1, row.size(), out);
  }
  return std::fclose(out) == 0;
}
#else
bool FloorAvailable() { return false; }
bool FloorBuild(const std::filesystem::path&, const std::filesystem::path&) { return false; }
#endif

}  // namespace murva::bench
