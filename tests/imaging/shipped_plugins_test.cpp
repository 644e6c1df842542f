// The shipped PNG, JPEG, GIF and WebP plug-ins: pictures of every colour
// type decode to exactly the expected pixels; damaged and hostile files are
// refused with a non-zero result and leave nothing allocated.

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "imaging/graphic_errors.h"
#include "imaging/picture_writers.h"
#include "imaging/spi_bitmap.h"
#include "imaging/test_support.h"
#include "platform/local_memory.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Pixels;
using test::RegistryGuard;
using test::ShippedPlugin;

class ShippedPlugins : public ::testing::Test {
 protected:
  TInSPI& Plugin(const std::string& name) {
    for (int i = 0; i < spis_.Count(); ++i) {
      if (fs::path(spis_.Items(i).FileName()).stem() == name) {
        return dynamic_cast<TInSPI&>(spis_.Items(i));
      }
    }
    std::unique_ptr<TSPI> spi = CreateSPI(ShippedPlugin(name));
    if (!spi) throw std::runtime_error("cannot load " + ShippedPlugin(name));
    spis_.Add(std::move(spi));
    return dynamic_cast<TInSPI&>(spis_.Items(spis_.Count() - 1));
  }

  // The picture as the plug-in bitmap reads it through plug-in name only.
  QImage Decode(const std::string& name, const Bytes& file,
                const std::string& file_name = "picture") {
    TSPIBitmap bitmap;
    bitmap.SetSPI(&Plugin(name));
    bitmap.LoadFromStreamWithName(std::span<const std::uint8_t>(file), file_name);
    return bitmap.Image();
  }

  // GetPicture's result; the handles are freed.
  int GetPictureResult(const std::string& name, const Bytes& file,
                       SpiProgressCallback progress = nullptr, intptr_t user_value = 0) {
    MurvaLocalHandle info = 0;
    MurvaLocalHandle pixels = 0;
    int result = Plugin(name).GetPicture(reinterpret_cast<const char*>(file.data()),
                                         static_cast<int32_t>(file.size()), kSpiInputMemory, &info,
                                         &pixels, progress, user_value);
    if (result == kSpiSuccess) {
      MurvaLocalFree(info);
      MurvaLocalFree(pixels);
    }
    return result;
  }

  int GetPictureInfoResult(const std::string& name, const Bytes& file, PictureInfo* info) {
    return Plugin(name).GetPictureInfo(reinterpret_cast<const char*>(file.data()),
                                       static_cast<int32_t>(file.size()), kSpiInputMemory, info);
  }

  bool Supported(const std::string& name, const Bytes& file) {
    Bytes block(2048, 0);
    std::memcpy(block.data(), file.data(), std::min<std::size_t>(file.size(), 2048));
    return Plugin(name).IsSupported("", block.data()) != 0;
  }

  // Each cut of the file is refused by GetPicture.
  void ExpectTruncationsRefused(const std::string& name, const Bytes& file,
                                const std::vector<std::size_t>& keeps) {
    for (std::size_t keep : keeps) {
      Bytes cut(file.begin(), file.begin() + static_cast<long>(keep));
      EXPECT_NE(GetPictureResult(name, cut), kSpiSuccess) << name << " cut to " << keep;
    }
  }

  // A header claiming a picture too large to decode is refused before any
  // memory is asked for.
  void ExpectOversizeRefused(const std::string& name, const Bytes& file) {
    int allocations = 0;
    SetLocalMemoryObserver([&](LocalMemoryOperation operation, MurvaLocalHandle) {
      if (operation == LocalMemoryOperation::kAlloc) ++allocations;
    });
    PictureInfo info{};
    int info_result = GetPictureInfoResult(name, file, &info);
    int picture_result = GetPictureResult(name, file);
    SetLocalMemoryObserver(nullptr);
    EXPECT_EQ(info_result, kSpiBrokenData) << name;
    EXPECT_EQ(picture_result, kSpiBrokenData) << name;
    EXPECT_EQ(allocations, 0) << name;
  }

  void TearDown() override { EXPECT_EQ(LiveLocalHandleCount(), live_handles_); }

  RegistryGuard registry_;
  std::size_t live_handles_ = LiveLocalHandleCount();
  TSPIs spis_;
};

// --- PNG ------------------------------------------------------------------

std::uint32_t PaletteColour(int i) {
  return static_cast<std::uint32_t>(((i * 7) & 0xFF) << 16 | ((255 - i * 3) & 0xFF) << 8 |
                                    ((i * 13) & 0xFF));
}

struct PngCase {
  const char* label;
  test::PngRecipe recipe;
  std::function<QRgb(int x, int y)> expected;
  bool indexed;
};

std::uint16_t Sample(int x, int y, int channel, int bit_depth) {
  std::uint32_t value = static_cast<std::uint32_t>(x * 4099 + y * 777 + channel * 12345 + 17);
  return static_cast<std::uint16_t>(bit_depth == 16 ? value & 0xFFFF : value % (1u << bit_depth));
}

std::uint8_t High(std::uint16_t value, int bit_depth) {
  return static_cast<std::uint8_t>(bit_depth == 16 ? value >> 8 : value);
}

// The 8-bit grey level of a low-depth sample, as the PNG format scales it.
std::uint8_t GreyLevel(std::uint16_t value, int bit_depth) {
  switch (bit_depth) {
    case 1:
      return value ? 255 : 0;
    case 2:
      return static_cast<std::uint8_t>(value * 0x55);
    case 4:
      return static_cast<std::uint8_t>(value * 0x11);
    default:
      return High(value, bit_depth);
  }
}

std::vector<PngCase> PngCases() {
  std::vector<PngCase> cases;
  const int w = 13;
  const int h = 9;
  for (int depth : {1, 2, 4, 8}) {
    for (bool interlaced : {false, true}) {
      test::PngRecipe recipe;
      recipe.width = w;
      recipe.height = h;
      recipe.color_type = PNG_COLOR_TYPE_PALETTE;
      recipe.bit_depth = depth;
      recipe.interlaced = interlaced;
      int count = depth == 8 ? 200 : 1 << depth;
      for (int i = 0; i < count; ++i) recipe.palette.push_back(PaletteColour(i));
      if (depth == 4) recipe.palette_alpha = {0, 128, 255};  // transparency is not applied
      recipe.sample = [count](int x, int y, int) { return (x * 3 + y * 5) % count; };
      cases.push_back(
          {"palette", recipe,
           [count](int x, int y) { return 0xFF000000u | PaletteColour((x * 3 + y * 5) % count); },
           true});
    }
  }
  for (int depth : {1, 2, 4, 8, 16}) {
    test::PngRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.color_type = PNG_COLOR_TYPE_GRAY;
    recipe.bit_depth = depth;
    recipe.interlaced = depth == 2;
    recipe.sample = [depth](int x, int y, int c) { return Sample(x, y, c, depth); };
    cases.push_back({"grey", recipe,
                     [depth](int x, int y) {
                       std::uint8_t g = GreyLevel(Sample(x, y, 0, depth), depth);
                       return qRgb(g, g, g);
                     },
                     false});
  }
  {
    test::PngRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.color_type = PNG_COLOR_TYPE_GRAY;
    recipe.sample = [](int x, int y, int) { return static_cast<std::uint16_t>((x + y) % 4 * 60); };
    recipe.transparent_colour = std::vector<std::uint16_t>{120};
    cases.push_back({"grey with a transparent level", recipe,
                     [](int x, int y) {
                       int g = (x + y) % 4 * 60;
                       return g == 120 ? qRgb(255, 255, 255) : qRgb(g, g, g);
                     },
                     false});
  }
  for (int depth : {8, 16}) {
    for (int type : {PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
      for (bool interlaced : {false, true}) {
        test::PngRecipe recipe;
        recipe.width = w;
        recipe.height = h;
        recipe.color_type = type;
        recipe.bit_depth = depth;
        recipe.interlaced = interlaced;
        recipe.sample = [depth](int x, int y, int c) { return Sample(x, y, c, depth); };
        cases.push_back({"colour", recipe,
                         [depth, type](int x, int y) {
                           auto s = [&](int c) { return High(Sample(x, y, c, depth), depth); };
                           if (type == PNG_COLOR_TYPE_GRAY_ALPHA) {
                             std::uint8_t g = test::OverWhite(s(0), s(1));
                             return qRgb(g, g, g);
                           }
                           if (type == PNG_COLOR_TYPE_RGB) return qRgb(s(0), s(1), s(2));
                           return test::OverWhite(qRgba(s(0), s(1), s(2), s(3)));
                         },
                         false});
      }
    }
  }
  {
    test::PngRecipe recipe;
    recipe.width = w;
    recipe.height = h;
    recipe.color_type = PNG_COLOR_TYPE_RGB;
    recipe.sample = [](int x, int, int c) { return static_cast<std::uint16_t>(x % 3 * 50 + c); };
    recipe.transparent_colour = std::vector<std::uint16_t>{50, 51, 52};
    cases.push_back({"RGB with a transparent colour", recipe,
                     [](int x, int) {
                       int base = x % 3 * 50;
                       return base == 50 ? qRgb(255, 255, 255) : qRgb(base, base + 1, base + 2);
                     },
                     false});
  }
  return cases;
}

TEST_F(ShippedPlugins, PngEveryColourTypeDecodesExactly) {
  for (const PngCase& c : PngCases()) {
    SCOPED_TRACE(std::string(c.label) + " type " + std::to_string(c.recipe.color_type) + " depth " +
                 std::to_string(c.recipe.bit_depth) + (c.recipe.interlaced ? " interlaced" : ""));
    Bytes file = test::WritePng(c.recipe);
    ASSERT_TRUE(Supported("png", file));
    QImage image = Decode("png", file, "p.png");
    ASSERT_EQ(image.width(), c.recipe.width);
    ASSERT_EQ(image.height(), c.recipe.height);
    EXPECT_EQ(image.format() == QImage::Format_Indexed8, c.indexed);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        ASSERT_EQ(image.pixel(x, y), c.expected(x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(ShippedPlugins, PngInfoTellsSizeDepthAndDensity) {
  test::PngRecipe recipe = PngCases()[0].recipe;  // 1-bit palette
  Bytes file = test::WritePng(recipe);
  PictureInfo info{};
  ASSERT_EQ(GetPictureInfoResult("png", file, &info), kSpiSuccess);
  EXPECT_EQ(+info.width, 13);
  EXPECT_EQ(+info.height, 9);
  EXPECT_EQ(+info.colorDepth, 1);
  EXPECT_EQ(+info.info, 0u);
}

Bytes RgbPng(int width, int height) {
  test::PngRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.sample = [](int x, int y, int c) { return Sample(x, y, c, 8); };
  return test::WritePng(recipe);
}

TEST_F(ShippedPlugins, PngTruncatedAndDamagedFilesAreRefused) {
  Bytes file = RgbPng(40, 30);
  ExpectTruncationsRefused("png", file,
                           {file.size() - 1, file.size() - 12, file.size() / 2, 60, 33, 20, 8, 3});
  Bytes damaged = file;
  damaged[file.size() / 2] ^= 0xFF;  // inside the compressed pixels: CRC error
  EXPECT_NE(GetPictureResult("png", damaged), kSpiSuccess);
  Bytes not_png = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(GetPictureResult("png", not_png), kSpiUnknownFormat);
  EXPECT_FALSE(Supported("png", not_png));
}

// Gives the PNG new dimensions in its header (with a correct checksum).
Bytes WithPngSize(Bytes file, std::uint32_t width, std::uint32_t height) {
  auto put = [&](std::size_t at, std::uint32_t v) {
    file[at] = static_cast<std::uint8_t>(v >> 24);
    file[at + 1] = static_cast<std::uint8_t>(v >> 16);
    file[at + 2] = static_cast<std::uint8_t>(v >> 8);
    file[at + 3] = static_cast<std::uint8_t>(v);
  };
  put(16, width);
  put(20, height);
  put(29, test::Crc32(&file[12], 17));
  return file;
}

TEST_F(ShippedPlugins, PngAbsurdDimensionsAreRefusedBeforeAllocating) {
  Bytes file = RgbPng(4, 4);
  ExpectOversizeRefused("png", WithPngSize(file, 20000, 20000));
  ExpectOversizeRefused("png", WithPngSize(file, 100000, 1));
  ExpectOversizeRefused("png", WithPngSize(file, 0x7fffffff, 0x7fffffff));
}

// --- JPEG -----------------------------------------------------------------

TEST_F(ShippedPlugins, JpegEveryKindDecodesLikeTheCodecLibrary) {
  struct Case {
    test::JpegKind kind;
    int depth;
  };
  for (Case c : {Case{test::JpegKind::kGrey, 8}, Case{test::JpegKind::kColour, 24},
                 Case{test::JpegKind::kProgressive, 24}, Case{test::JpegKind::kCmyk, 32}}) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    Bytes file = test::WriteJpeg(37, 21, c.kind);
    ASSERT_TRUE(Supported("jpeg", file));
    int width = 0, height = 0;
    std::vector<QRgb> expected = test::DecodeJpegDirectly(file, &width, &height);
    QImage image = Decode("jpeg", file, "p.jpg");
    EXPECT_EQ(image.width(), 37);
    EXPECT_EQ(image.height(), 21);
    EXPECT_NE(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(Pixels(image), expected);
    PictureInfo info{};
    ASSERT_EQ(GetPictureInfoResult("jpeg", file, &info), kSpiSuccess);
    EXPECT_EQ(+info.width, 37);
    EXPECT_EQ(+info.height, 21);
    EXPECT_EQ(+info.colorDepth, c.depth);
    // The density comes from the JFIF header, which CMYK files do not carry.
    bool jfif = c.kind != test::JpegKind::kCmyk;
    EXPECT_EQ(+info.xDensity, jfif ? 300 : 0);
    EXPECT_EQ(+info.yDensity, jfif ? 150 : 0);
  }
}

TEST_F(ShippedPlugins, JpegTruncatedFilesAreRefused) {
  for (test::JpegKind kind : {test::JpegKind::kColour, test::JpegKind::kProgressive}) {
    Bytes file = test::WriteJpeg(64, 48, kind);
    ExpectTruncationsRefused(
        "jpeg", file,
        {file.size() - 1, file.size() - 2, file.size() * 3 / 4, file.size() / 2, 200, 20, 3});
  }
}

// Gives the JPEG new dimensions in its start-of-frame header.
Bytes WithJpegSize(Bytes file, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
      file[i + 5] = static_cast<std::uint8_t>(height >> 8);
      file[i + 6] = static_cast<std::uint8_t>(height);
      file[i + 7] = static_cast<std::uint8_t>(width >> 8);
      file[i + 8] = static_cast<std::uint8_t>(width);
      return file;
    }
  }
  throw std::runtime_error("no frame header");
}

TEST_F(ShippedPlugins, JpegAbsurdDimensionsAreRefusedBeforeAllocating) {
  ExpectOversizeRefused("jpeg",
                        WithJpegSize(test::WriteJpeg(8, 8, test::JpegKind::kColour), 60000, 60000));
  ExpectOversizeRefused(
      "jpeg", WithJpegSize(test::WriteJpeg(8, 8, test::JpegKind::kProgressive), 30000, 30000));
}

// --- GIF ------------------------------------------------------------------

const std::vector<std::uint32_t> kGifPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                                0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080};

QRgb Opaque(std::uint32_t rgb) { return 0xFF000000u | rgb; }

TEST_F(ShippedPlugins, GifFullFrameDecodesAsAnIndexedPicture) {
  test::GifFrame frame;
  frame.width = 11;
  frame.height = 7;
  frame.index = [](int x, int y) { return (x + 2 * y) % 8; };
  Bytes file = test::WriteGif(11, 7, kGifPalette, 0, {frame});
  ASSERT_TRUE(Supported("gif", file));
  QImage image = Decode("gif", file, "p.gif");
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  ASSERT_EQ(image.size(), QSize(11, 7));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 11; ++x) EXPECT_EQ(image.pixel(x, y), Opaque(kGifPalette[(x + 2 * y) % 8]));
  }
  PictureInfo info{};
  ASSERT_EQ(GetPictureInfoResult("gif", file, &info), kSpiSuccess);
  EXPECT_EQ(+info.width, 11);
  EXPECT_EQ(+info.height, 7);
  EXPECT_EQ(+info.colorDepth, 3);
}

TEST_F(ShippedPlugins, GifInterlacedFrameComesOutInRowOrder) {
  test::GifFrame frame;
  frame.width = 5;
  frame.height = 19;
  frame.interlaced = true;
  frame.index = [](int x, int y) { return (y * 3 + x) % 8; };
  QImage image = Decode("gif", test::WriteGif(5, 19, kGifPalette, 0, {frame}));
  for (int y = 0; y < 19; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(image.pixel(x, y), Opaque(kGifPalette[(y * 3 + x) % 8]));
  }
}

TEST_F(ShippedPlugins, GifOnlyTheFirstFrameIsTakenOnItsScreen) {
  test::GifFrame first;
  first.left = 2;
  first.top = 1;
  first.width = 3;
  first.height = 2;
  first.index = [](int x, int) { return 1 + x; };
  test::GifFrame second;
  second.width = 8;
  second.height = 6;
  second.index = [](int, int) { return 7; };
  QImage image = Decode("gif", test::WriteGif(8, 6, kGifPalette, 5, {first, second}));
  ASSERT_EQ(image.size(), QSize(8, 6));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      // Outside the frame: the screen's background colour.
      EXPECT_EQ(image.pixel(x, y), Opaque(kGifPalette[inside ? 1 + (x - 2) : 5])) << x << "," << y;
    }
  }
}

TEST_F(ShippedPlugins, GifLocalPaletteTransparencyAndAFrameBeyondTheScreen) {
  test::GifFrame frame;
  frame.left = 2;
  frame.top = 2;
  frame.width = 4;
  frame.height = 4;
  frame.local_palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  frame.transparent_index = 2;
  frame.index = [](int x, int y) { return (x + y) % 4; };
  QImage image = Decode("gif", test::WriteGif(4, 4, kGifPalette, 1, {frame}));
  ASSERT_EQ(image.size(), QSize(6, 6));  // grown to hold the frame
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      bool inside = x >= 2 && y >= 2;
      int index = inside ? (x - 2 + y - 2) % 4 : 2;  // outside: the transparent colour
      EXPECT_EQ(image.pixel(x, y), Opaque(frame.local_palette[index])) << x << "," << y;
    }
  }
}

TEST_F(ShippedPlugins, GifTruncatedAndEmptyFilesAreRefused) {
  test::GifFrame frame;
  frame.width = 64;
  frame.height = 64;
  frame.index = [](int x, int y) { return (x * 7 + y * 13) % 8; };
  Bytes file = test::WriteGif(64, 64, kGifPalette, 0, {frame});
  ExpectTruncationsRefused("gif", file, {file.size() * 3 / 4, file.size() / 2, 40, 13, 6, 3});
  Bytes no_frame = test::WriteGif(4, 4, kGifPalette, 0, {});
  EXPECT_EQ(GetPictureResult("gif", no_frame), kSpiBrokenData);
}

TEST_F(ShippedPlugins, GifAbsurdDimensionsAreRefusedBeforeAllocating) {
  test::GifFrame frame;
  frame.index = [](int, int) { return 0; };
  Bytes file = test::WriteGif(1, 1, kGifPalette, 0, {frame});
  file[6] = file[7] = file[8] = file[9] = 0xFF;  // a 65535 x 65535 screen
  ExpectOversizeRefused("gif", file);
}

// --- WebP -----------------------------------------------------------------

std::vector<QRgb> WebpPattern(int width, int height, bool alpha) {
  std::vector<QRgb> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(qRgba(x * 20, y * 25, (x * y) % 256, alpha ? (x * 31 + y * 7) % 256 : 255));
    }
  }
  return pixels;
}

std::vector<QRgb> OverWhite(const std::vector<QRgb>& pixels) {
  std::vector<QRgb> out;
  for (QRgb p : pixels) out.push_back(test::OverWhite(p));
  return out;
}

TEST_F(ShippedPlugins, WebpLosslessLossyAlphaAndAnimationDecodeExactly) {
  const int w = 12;
  const int h = 9;
  std::vector<QRgb> opaque = WebpPattern(w, h, false);
  std::vector<QRgb> translucent = WebpPattern(w, h, true);

  Bytes lossless = test::WriteWebpLossless(w, h, opaque, false);
  ASSERT_TRUE(Supported("webp", lossless));
  EXPECT_EQ(Pixels(Decode("webp", lossless)), opaque);

  Bytes lossless_alpha = test::WriteWebpLossless(w, h, translucent, true);
  EXPECT_EQ(Pixels(Decode("webp", lossless_alpha)), OverWhite(translucent));

  Bytes lossy = test::WriteWebpLossy(w, h, opaque, false);
  EXPECT_EQ(Pixels(Decode("webp", lossy)), OverWhite(test::DecodeWebpDirectly(lossy)));

  Bytes lossy_alpha = test::WriteWebpLossy(w, h, translucent, true);
  EXPECT_EQ(Pixels(Decode("webp", lossy_alpha)), OverWhite(test::DecodeWebpDirectly(lossy_alpha)));

  Bytes animation = test::WriteWebpAnimation(w, h, {opaque, WebpPattern(w, h, true)});
  EXPECT_EQ(Pixels(Decode("webp", animation)), opaque);

  PictureInfo info{};
  ASSERT_EQ(GetPictureInfoResult("webp", lossless_alpha, &info), kSpiSuccess);
  EXPECT_EQ(+info.width, w);
  EXPECT_EQ(+info.height, h);
  EXPECT_EQ(+info.colorDepth, 32);
}

TEST_F(ShippedPlugins, WebpTruncatedFilesAreRefused) {
  Bytes file = test::WriteWebpLossy(64, 48, WebpPattern(64, 48, false), false);
  ExpectTruncationsRefused("webp", file, {file.size() - 1, file.size() / 2, 30, 12, 4});
  Bytes lossless = test::WriteWebpLossless(64, 48, WebpPattern(64, 48, true), true);
  ExpectTruncationsRefused("webp", lossless, {lossless.size() - 1, lossless.size() / 2, 25});
}

TEST_F(ShippedPlugins, WebpAbsurdDimensionsAreRefusedBeforeAllocating) {
  Bytes file = test::WriteWebpLossless(1, 1, {qRgb(1, 2, 3)}, false);
  ASSERT_EQ(file[20], 0x2F);  // the lossless signature; the sizes follow
  // 14 bits of width - 1 and 14 bits of height - 1: 16384 x 16384
  std::uint32_t bits = 0x3FFFu | 0x3FFFu << 14;
  for (int i = 0; i < 4; ++i) {
    file[21 + i] = static_cast<std::uint8_t>((file[21 + i] & (i == 3 ? 0xF0 : 0x00)) |
                                             ((bits >> (8 * i)) & 0xFF));
  }
  ExpectOversizeRefused("webp", file);
}

// --- Every plug-in ----------------------------------------------------------

struct AbortCounter {
  int calls = 0;
  static int Callback(int, int, intptr_t user) {
    ++reinterpret_cast<AbortCounter*>(user)->calls;
    return 1;
  }
};

std::vector<std::pair<std::string, Bytes>> OneOfEach() {
  test::GifFrame frame;
  frame.width = 20;
  frame.height = 20;
  frame.index = [](int x, int) { return x % 8; };
  return {{"png", RgbPng(20, 20)},
          {"jpeg", test::WriteJpeg(20, 20, test::JpegKind::kColour)},
          {"gif", test::WriteGif(20, 20, kGifPalette, 0, {frame})},
          {"webp", test::WriteWebpLossless(20, 20, WebpPattern(20, 20, false), false)}};
}

TEST_F(ShippedPlugins, EachStopsWhenTheProgressCallbackAsks) {
  for (const auto& [name, file] : OneOfEach()) {
    AbortCounter counter;
    EXPECT_EQ(
        GetPictureResult(name, file, &AbortCounter::Callback, reinterpret_cast<intptr_t>(&counter)),
        kSpiAborted)
        << name;
    EXPECT_EQ(counter.calls, 1) << name;
  }
}

TEST_F(ShippedPlugins, EachAnswersOnlyItsOwnFormat) {
  std::vector<std::pair<std::string, Bytes>> files = OneOfEach();
  for (const auto& [plugin, unused] : files) {
    for (const auto& [format, file] : files) {
      EXPECT_EQ(Supported(plugin, file), plugin == format) << plugin << " asked about " << format;
      if (plugin != format) {
        PictureInfo info{};
        EXPECT_NE(GetPictureInfoResult(plugin, file, &info), kSpiSuccess);
        EXPECT_NE(GetPictureResult(plugin, file), kSpiSuccess);
      }
    }
    Bytes zeros(2048, 0);
    EXPECT_FALSE(Supported(plugin, zeros));
  }
}

TEST_F(ShippedPlugins, EachSurvivesGarbageAfterItsSignature) {
  std::uint32_t state = 12345;
  auto random_byte = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(state >> 16);
  };
  for (const auto& [name, file] : OneOfEach()) {
    for (int round = 0; round < 50; ++round) {
      Bytes mangled = file;
      // Keep the signature, scramble some bytes after it.
      for (int i = 0; i < 8; ++i) {
        std::size_t at = 12 + random_byte() * (mangled.size() - 12) / 256;
        mangled[at] = random_byte();
      }
      PictureInfo info{};
      GetPictureInfoResult(name, mangled, &info);
      GetPictureResult(name, mangled);  // any result, no crash, nothing leaked
    }
  }
}

TEST_F(ShippedPlugins, EachReadsFromAFileAtAnOffset) {
  test::TempDir dir;
  for (const auto& [name, file] : OneOfEach()) {
    Bytes with_prefix(100 + file.size(), 0x42);
    std::copy(file.begin(), file.end(), with_prefix.begin() + 100);
    test::WriteFile(dir / name, with_prefix);
    std::string path = (dir / name).string();
    PictureInfo info{};
    EXPECT_EQ(Plugin(name).GetPictureInfo(path.c_str(), 100, kSpiInputFile, &info), kSpiSuccess)
        << name;
    EXPECT_EQ(+info.width, 20);
    MurvaLocalHandle info_handle = 0, pixel_handle = 0;
    ASSERT_EQ(Plugin(name).GetPicture(path.c_str(), 100, kSpiInputFile, &info_handle, &pixel_handle,
                                      nullptr, 0),
              kSpiSuccess)
        << name;
    EXPECT_EQ(MurvaLocalSize(info_handle) >= 40, true);
    MurvaLocalFree(info_handle);
    MurvaLocalFree(pixel_handle);
    std::string absent = (dir / "absent").string();
    EXPECT_EQ(Plugin(name).GetPictureInfo(absent.c_str(), 0, kSpiInputFile, &info), kSpiReadError);
    EXPECT_EQ(Plugin(name).GetPictureInfo(path.c_str(), 1000000, kSpiInputFile, &info),
              kSpiReadError);
  }
}

TEST_F(ShippedPlugins, ASearchOfTheProgramFolderFindsAndRegistersThemAll) {
  TSPIs& spis = spis_;
  spis.SearchDirectory(MURVA_SHIPPED_PLUGIN_DIR, "*.spi");
  for (const char* name : {"png", "jpeg", "gif", "webp"}) {
    EXPECT_GE(spis.IndexOf(fs::canonical(ShippedPlugin(name)).string()), 0) << name;
  }
  for (const char* extension : {"png", "jpg", "JPEG", "jpe", "jfif", "gif", "webp"}) {
    std::optional<TPictureFormat> format = PictureFormatRegistry().Find(extension);
    ASSERT_TRUE(format) << extension;
    EXPECT_EQ(format->graphic_class, &TSPIBitmap::Class()) << extension;
  }
  EXPECT_EQ(spis.Items(0).APIVersion(), "00IN");
}

}  // namespace
}  // namespace murva
