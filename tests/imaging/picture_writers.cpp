#include "imaging/picture_writers.h"

// jpeglib.h needs stdio.h first.
#include <cstdio>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <webp/decode.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace murva::test {
namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

int Channels(int color_type) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;  // palette
  }
}

}  // namespace

Bytes WritePng(const PngRecipe& recipe) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write the PNG test picture");
  }
  png_set_write_fn(png, &out, AppendToBytes, NoFlush);
  png_set_IHDR(png, info, recipe.width, recipe.height, recipe.bit_depth, recipe.color_type,
               recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (std::uint32_t colour : recipe.palette) {
    palette.push_back({static_cast<png_byte>(colour >> 16), static_cast<png_byte>(colour >> 8),
                       static_cast<png_byte>(colour)});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_color_16 transparent{};
  if (recipe.transparent_colour) {
    const std::vector<std::uint16_t>& t = *recipe.transparent_colour;
    if (t.size() == 1) {
      transparent.gray = t[0];
    } else {
      transparent.red = t[0];
      transparent.green = t[1];
      transparent.blue = t[2];
    }
    png_set_tRNS(png, info, nullptr, 0, &transparent);
  } else if (!recipe.palette_alpha.empty()) {
    png_set_tRNS(png, info, const_cast<png_bytep>(recipe.palette_alpha.data()),
                 static_cast<int>(recipe.palette_alpha.size()), nullptr);
  }
  png_write_info(png, info);

  int channels = Channels(recipe.color_type);
  std::size_t row_bits = static_cast<std::size_t>(recipe.width) * channels * recipe.bit_depth;
  std::vector<Bytes> rows(recipe.height, Bytes((row_bits + 7) / 8, 0));
  for (int y = 0; y < recipe.height; ++y) {
    std::size_t bit = 0;
    for (int x = 0; x < recipe.width; ++x) {
      for (int c = 0; c < channels; ++c, bit += recipe.bit_depth) {
        std::uint16_t value = recipe.sample(x, y, c);
        if (recipe.bit_depth == 16) {
          rows[y][bit / 8] = static_cast<std::uint8_t>(value >> 8);
          rows[y][bit / 8 + 1] = static_cast<std::uint8_t>(value);
        } else if (recipe.bit_depth == 8) {
          rows[y][bit / 8] = static_cast<std::uint8_t>(value);
        } else {  // packed, most significant bits first
          int shift = 8 - recipe.bit_depth - static_cast<int>(bit % 8);
          rows[y][bit / 8] |= static_cast<std::uint8_t>(value << shift);
        }
      }
    }
  }
  std::vector<png_bytep> pointers;
  for (Bytes& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

std::uint8_t JpegPattern(int x, int y, int c) {
  return static_cast<std::uint8_t>((x * (3 + c) + y * (5 - c)) * 2 + c * 60);
}

}  // namespace

Bytes WriteJpeg(int width, int height, JpegKind kind, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  int components = kind == JpegKind::kGrey ? 1 : kind == JpegKind::kCmyk ? 4 : 3;
  cinfo.input_components = components;
  cinfo.in_color_space = kind == JpegKind::kGrey   ? JCS_GRAYSCALE
                         : kind == JpegKind::kCmyk ? JCS_CMYK
                                                   : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (kind == JpegKind::kProgressive) jpeg_simple_progression(&cinfo);
  cinfo.density_unit = 1;
  cinfo.X_density = 300;
  cinfo.Y_density = 150;
  jpeg_start_compress(&cinfo, TRUE);
  Bytes row(static_cast<std::size_t>(width) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < components; ++c) row[x * components + c] = JpegPattern(x, y, c);
    }
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&cinfo, &pointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

std::vector<QRgb> DecodeJpegDirectly(const Bytes& file, int* width, int* height) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), file.size());
  jpeg_read_header(&cinfo, TRUE);
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  int w = static_cast<int>(cinfo.output_width);
  int components = cinfo.output_components;
  std::vector<QRgb> pixels;
  Bytes row(static_cast<std::size_t>(w) * components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW pointer = row.data();
    jpeg_read_scanlines(&cinfo, &pointer, 1);
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = &row[x * components];
      if (!cmyk) {
        pixels.push_back(qRgb(p[0], p[1], p[2]));
      } else {
        unsigned c = p[0], m = p[1], ye = p[2], k = p[3];
        if (!cinfo.saw_Adobe_marker) {
          c = 255 - c;
          m = 255 - m;
          ye = 255 - ye;
          k = 255 - k;
        }
        pixels.push_back(qRgb((c * k + 127) / 255, (m * k + 127) / 255, (ye * k + 127) / 255));
      }
    }
  }
  if (width) *width = w;
  if (height) *height = static_cast<int>(cinfo.output_height);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return pixels;
}

namespace {

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

ColorMapObject* MakeColourMap(const std::vector<std::uint32_t>& palette) {
  std::vector<GifColorType> colours;
  for (std::uint32_t colour : palette) {
    colours.push_back({static_cast<GifByteType>(colour >> 16),
                       static_cast<GifByteType>(colour >> 8), static_cast<GifByteType>(colour)});
  }
  return GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
}

}  // namespace

Bytes WriteGif(int screen_width, int screen_height, const std::vector<std::uint32_t>& palette,
               int background_index, const std::vector<GifFrame>& frames) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
  if (gif == nullptr) throw std::runtime_error("cannot open the GIF writer");
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = palette.empty() ? nullptr : MakeColourMap(palette);
  int depth = global ? global->BitsPerPixel : 8;
  EGifPutScreenDesc(gif, screen_width, screen_height, depth, background_index, global);
  for (const GifFrame& frame : frames) {
    if (frame.transparent_index >= 0) {
      GraphicsControlBlock control{};
      control.DisposalMode = DISPOSAL_UNSPECIFIED;
      control.TransparentColor = frame.transparent_index;
      GifByteType block[4];
      std::size_t length = EGifGCBToExtension(&control, block);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block);
    }
    ColorMapObject* local =
        frame.local_palette.empty() ? nullptr : MakeColourMap(frame.local_palette);
    EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                     local);
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.width));
    std::vector<int> order;
    if (frame.interlaced) {
      const int starts[] = {0, 4, 2, 1};
      const int steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < frame.height; y += steps[pass]) order.push_back(y);
      }
    } else {
      for (int y = 0; y < frame.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      for (int x = 0; x < frame.width; ++x) line[x] = static_cast<GifPixelType>(frame.index(x, y));
      EGifPutLine(gif, line.data(), frame.width);
    }
    if (local) GifFreeMapObject(local);
  }
  if (global) GifFreeMapObject(global);
  EGifCloseFile(gif, &error);
  return out;
}

namespace {

Bytes ToRgbaBytes(const std::vector<QRgb>& argb) {
  Bytes rgba;
  for (QRgb p : argb) {
    rgba.insert(rgba.end(),
                {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                 static_cast<std::uint8_t>(qBlue(p)), static_cast<std::uint8_t>(qAlpha(p))});
  }
  return rgba;
}

Bytes ToRgbBytes(const std::vector<QRgb>& argb) {
  Bytes rgb;
  for (QRgb p : argb) {
    rgb.insert(rgb.end(), {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                           static_cast<std::uint8_t>(qBlue(p))});
  }
  return rgb;
}

Bytes TakeWebp(uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0) throw std::runtime_error("cannot write the WebP test picture");
  Bytes out(data, data + size);
  WebPFree(data);
  return out;
}

}  // namespace

Bytes WriteWebpLossless(int width, int height, const std::vector<QRgb>& argb, bool alpha) {
  uint8_t* data = nullptr;
  std::size_t size;
  if (alpha) {
    Bytes rgba = ToRgbaBytes(argb);
    size = WebPEncodeLosslessRGBA(rgba.data(), width, height, width * 4, &data);
  } else {
    Bytes rgb = ToRgbBytes(argb);
    size = WebPEncodeLosslessRGB(rgb.data(), width, height, width * 3, &data);
  }
  return TakeWebp(data, size);
}

Bytes WriteWebpLossy(int width, int height, const std::vector<QRgb>& argb, bool alpha) {
  uint8_t* data = nullptr;
  std::size_t size;
  if (alpha) {
    Bytes rgba = ToRgbaBytes(argb);
    size = WebPEncodeRGBA(rgba.data(), width, height, width * 4, 80, &data);
  } else {
    Bytes rgb = ToRgbBytes(argb);
    size = WebPEncodeRGB(rgb.data(), width, height, width * 3, 80, &data);
  }
  return TakeWebp(data, size);
}

Bytes WriteWebpAnimation(int width, int height, const std::vector<std::vector<QRgb>>& frames) {
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  WebPAnimEncoder* encoder = WebPAnimEncoderNew(width, height, &options);
  int timestamp = 0;
  for (const std::vector<QRgb>& frame : frames) {
    WebPConfig config;
    WebPConfigInit(&config);
    config.lossless = 1;
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.use_argb = 1;
    picture.width = width;
    picture.height = height;
    Bytes rgba = ToRgbaBytes(frame);
    WebPPictureImportRGBA(&picture, rgba.data(), width * 4);
    WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
    WebPPictureFree(&picture);
    timestamp += 100;
  }
  WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr);
  WebPData data;
  WebPDataInit(&data);
  WebPAnimEncoderAssemble(encoder, &data);
  Bytes out(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  WebPAnimEncoderDelete(encoder);
  return out;
}

std::vector<QRgb> DecodeWebpDirectly(const Bytes& file) {
  int width = 0, height = 0;
  uint8_t* rgba = WebPDecodeRGBA(file.data(), file.size(), &width, &height);
  if (rgba == nullptr) throw std::runtime_error("cannot decode the WebP test picture");
  std::vector<QRgb> pixels;
  for (int i = 0; i < width * height; ++i) {
    pixels.push_back(qRgba(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2], rgba[4 * i + 3]));
  }
  WebPFree(rgba);
  return pixels;
}

std::uint8_t OverWhite(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

QRgb OverWhite(QRgb argb) {
  std::uint8_t alpha = static_cast<std::uint8_t>(qAlpha(argb));
  return qRgb(OverWhite(static_cast<std::uint8_t>(qRed(argb)), alpha),
              OverWhite(static_cast<std::uint8_t>(qGreen(argb)), alpha),
              OverWhite(static_cast<std::uint8_t>(qBlue(argb)), alpha));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace murva::test
