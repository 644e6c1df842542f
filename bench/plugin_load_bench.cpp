// Loading a 3840 x 2160 background through the shipped plug-ins (the
// program's whole path: plug-in decode into handles, BMP assembly, BMP
// reading into a QImage) against decoding the same file with the codec
// library directly in this process.

// jpeglib.h needs stdio.h first.
#include <cstdio>

#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "imaging/picture_format_registry.h"
#include "imaging/picture_writers.h"
#include "imaging/spi_bitmap.h"
#include "imaging/spis.h"

namespace murva {
namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

using test::Bytes;

// A smooth picture with some fine detail, like a photograph compresses.
std::uint16_t Sample(int x, int y, int channel) {
  int smooth = (x * (channel + 1) / 16 + y * (3 - channel) / 9) & 0xFF;
  int detail = ((x * 7919 + y * 104729 + channel * 31) >> 3) & 0x0F;
  return static_cast<std::uint16_t>((smooth + detail) & 0xFF);
}

const Bytes& JpegFile() {
  static const Bytes file = test::WriteJpeg(kWidth, kHeight, test::JpegKind::kColour, 90);
  return file;
}

const Bytes& PngFile() {
  static const Bytes file = [] {
    test::PngRecipe recipe;
    recipe.width = kWidth;
    recipe.height = kHeight;
    recipe.sample = Sample;
    return test::WritePng(recipe);
  }();
  return file;
}

// The program's manager with the shipped plug-ins, made once.
TSPIs& Manager() {
  static TSPIs* manager = [] {
    auto* spis = new TSPIs;
    spis->SetAutoSearch(false);
    spis->SearchDirectory(MURVA_SHIPPED_PLUGIN_DIR, "*.spi");
    if (spis->Count() == 0) throw std::runtime_error("no shipped plug-ins found");
    return spis;
  }();
  return *manager;
}

void LoadThroughPlugins(benchmark::State& state, const Bytes& file, const char* name) {
  Manager();
  for (auto _ : state) {
    TSPIBitmap bitmap;
    bitmap.LoadFromStreamWithName(std::span<const std::uint8_t>(file), name);
    benchmark::DoNotOptimize(bitmap.Image().constBits());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 3);
}

void BM_JpegThroughPlugin(benchmark::State& state) {
  LoadThroughPlugins(state, JpegFile(), "background.jpg");
}

void BM_PngThroughPlugin(benchmark::State& state) {
  LoadThroughPlugins(state, PngFile(), "background.png");
}

// The decoder alone, into a new picture of rows of blue, green, red, as a
// program decoding the file itself would.
void BM_JpegDirect(benchmark::State& state) {
  const Bytes& file = JpegFile();
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> pixels(
        new std::uint8_t[static_cast<std::size_t>(kWidth) * kHeight * 3]);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = &pixels[static_cast<std::size_t>(cinfo.output_scanline) * kWidth * 3];
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(pixels.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 3);
}

struct MemoryReader {
  const Bytes* file;
  std::size_t position;
};

void ReadPng(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::memcpy(out, reader->file->data() + reader->position, count);
  reader->position += count;
}

void BM_PngDirect(benchmark::State& state) {
  const Bytes& file = PngFile();
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> pixels(
        new std::uint8_t[static_cast<std::size_t>(kWidth) * kHeight * 3]);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{&file, 0};
    png_set_read_fn(png, &reader, ReadPng);
    png_read_info(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    for (int y = 0; y < kHeight; ++y) {
      png_read_row(png, &pixels[static_cast<std::size_t>(y) * kWidth * 3], nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    benchmark::DoNotOptimize(pixels.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 3);
}

BENCHMARK(BM_JpegDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegThroughPlugin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngThroughPlugin)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace murva

BENCHMARK_MAIN();
