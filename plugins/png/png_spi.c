/*
 * png.spi - PNG pictures through libpng.
 *
 * Palette pictures (1, 2, 4 or 8 bits) come back as 8-bit pictures with
 * their palette; every other colour type as 24-bit: grey is spread to
 * red, green and blue, 16-bit samples keep their high byte, and pictures
 * with transparency (an alpha channel or a transparent colour) are laid
 * over white. No gamma correction is applied.
 */
#include <png.h>
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

#include "murva32/murva_spi.h"
#include "spi_plugin.h"

static const char* const kPluginInfo[] = {
    SPI_API_VERSION_IMAGE,
    "MURVA32 PNG plug-in (libpng " PNG_LIBPNG_VER_STRING ")",
    "*.png",
    "PNG",
};

/* The most memory libpng may use for one ancillary chunk. */
#define PNG_CHUNK_MEMORY_LIMIT (8u * 1024u * 1024u)

typedef struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t position;
} MemoryReader;

static void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  MemoryReader* reader = (MemoryReader*)png_get_io_ptr(png);
  if (count > reader->size - reader->position) png_error(png, "truncated data");
  memcpy(out, reader->data + reader->position, count);
  reader->position += count;
}

static void IgnoreWarning(png_structp png, png_const_charp message) {
  (void)png;
  (void)message;
}

static void FailWithError(png_structp png, png_const_charp message) {
  (void)message;
  png_longjmp(png, 1);
}

/* One decoder over a memory image, set up with the size limits. */
typedef struct Decoder {
  png_structp png;
  png_infop info;
  MemoryReader reader;
} Decoder;

static int DecoderOpen(Decoder* decoder, const uint8_t* data, size_t size) {
  memset(decoder, 0, sizeof *decoder);
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return kSpiUnknownFormat;
  decoder->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, FailWithError, IgnoreWarning);
  if (decoder->png == NULL) return kSpiOutOfMemory;
  decoder->info = png_create_info_struct(decoder->png);
  if (decoder->info == NULL) {
    png_destroy_read_struct(&decoder->png, NULL, NULL);
    return kSpiOutOfMemory;
  }
  decoder->reader.data = data;
  decoder->reader.size = size;
  decoder->reader.position = 0;
  png_set_read_fn(decoder->png, &decoder->reader, ReadFromMemory);
  png_set_user_limits(decoder->png, SPI_MAX_SIDE, SPI_MAX_SIDE);
  png_set_chunk_malloc_max(decoder->png, PNG_CHUNK_MEMORY_LIMIT);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  /* Let the fuzzer reach past the checksums. */
  png_set_crc_action(decoder->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
  return kSpiSuccess;
}

static void DecoderClose(Decoder* decoder) {
  if (decoder->png != NULL) png_destroy_read_struct(&decoder->png, &decoder->info, NULL);
}

MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length) {
  return SpiAnswerPluginInfo(index, buffer, buffer_length, kPluginInfo,
                             (int)(sizeof kPluginInfo / sizeof kPluginInfo[0]));
}

MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data) {
  (void)file_name;
  return data != NULL && png_sig_cmp((png_const_bytep)data, 0, 8) == 0;
}

static int BitsPerPixel(int color_type, int bit_depth) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY:
      return bit_depth;
    case PNG_COLOR_TYPE_PALETTE:
      return bit_depth;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2 * bit_depth;
    case PNG_COLOR_TYPE_RGB:
      return 3 * bit_depth;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4 * bit_depth;
    default:
      return 0;
  }
}

static void ReadDensity(Decoder* decoder, uint16_t* x_density, uint16_t* y_density) {
  png_uint_32 x = 0, y = 0;
  int unit = 0;
  *x_density = 0;
  *y_density = 0;
  if (png_get_pHYs(decoder->png, decoder->info, &x, &y, &unit) && unit == PNG_RESOLUTION_METER) {
    *x_density = SpiInchDensity(x);
    *y_density = SpiInchDensity(y);
  }
}

MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info) {
  if (info == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpen(&input, buffer, length, flag);
  if (result != kSpiSuccess) return result;
  Decoder decoder;
  result = DecoderOpen(&decoder, input.data, input.size);
  if (result == kSpiSuccess) {
    if (setjmp(png_jmpbuf(decoder.png))) {
      result = kSpiBrokenData;
    } else {
      png_read_info(decoder.png, decoder.info);
      png_uint_32 width = png_get_image_width(decoder.png, decoder.info);
      png_uint_32 height = png_get_image_height(decoder.png, decoder.info);
      if (!SpiDimensionsAcceptable(width, height)) {
        result = kSpiBrokenData;
      } else {
        memset(info, 0, sizeof *info);
        info->width = (int32_t)width;
        info->height = (int32_t)height;
        info->colorDepth = (int16_t)BitsPerPixel(png_get_color_type(decoder.png, decoder.info),
                                                 png_get_bit_depth(decoder.png, decoder.info));
        ReadDensity(&decoder, &info->xDensity, &info->yDensity);
      }
    }
  }
  DecoderClose(&decoder);
  SpiInputClose(&input);
  return result;
}

/* State that must survive a longjmp out of libpng. */
typedef struct PictureJob {
  SpiBitmap bitmap;
  uint8_t* rgba; /* alpha pictures: rows of 4 bytes per pixel */
  int rgba_rows; /* how many rows rgba holds (1, or all when interlaced) */
  int aborted;
} PictureJob;

static int DecodePicture(Decoder* decoder, PictureJob* job, SpiProgressCallback progress,
                         intptr_t user_value) {
  png_structp png = decoder->png;
  png_infop info = decoder->info;
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (!SpiDimensionsAcceptable(width, height)) return kSpiBrokenData;
  int color_type = png_get_color_type(png, info);
  int passes = png_set_interlace_handling(png);

  int palette_picture = color_type == PNG_COLOR_TYPE_PALETTE;
  png_colorp palette = NULL;
  int palette_size = 0;
  if (palette_picture) {
    if (!png_get_PLTE(png, info, &palette, &palette_size) || palette_size <= 0) {
      return kSpiBrokenData;
    }
    png_set_packing(png); /* one byte per index */
  } else {
    png_set_expand(png); /* grey below 8 bits to 8; transparent colour to alpha */
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
  }
  png_read_update_info(png, info);
  int channels = png_get_channels(png, info);
  if ((palette_picture && channels != 1) || (!palette_picture && channels != 3 && channels != 4)) {
    return kSpiInternalError;
  }

  int result =
      SpiBitmapCreate(&job->bitmap, (int32_t)width, (int32_t)height, palette_picture ? 8 : 24,
                      palette_picture ? (uint32_t)palette_size : 0);
  if (result != kSpiSuccess) return result;
  uint32_t x_per_metre = 0, y_per_metre = 0;
  int unit = 0;
  if (png_get_pHYs(png, info, &x_per_metre, &y_per_metre, &unit) && unit == PNG_RESOLUTION_METER) {
    SpiBitmapSetResolution(&job->bitmap, x_per_metre, y_per_metre);
  }
  for (int i = 0; i < palette_size; ++i) {
    SpiBitmapSetColour(&job->bitmap, (uint32_t)i, palette[i].red, palette[i].green,
                       palette[i].blue);
  }

  if (channels == 4) {
    job->rgba_rows = passes > 1 ? (int)height : 1;
    job->rgba = (uint8_t*)calloc((size_t)job->rgba_rows, (size_t)width * 4);
    if (job->rgba == NULL) return kSpiOutOfMemory;
  }

  int total = passes * (int)height;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      int done = pass * (int)height + (int)y;
      if ((done & 63) == 0 && SpiProgress(progress, done, total, user_value) != 0) {
        job->aborted = 1;
        return kSpiAborted;
      }
      uint8_t* out = SpiBitmapRow(&job->bitmap, (int32_t)y);
      if (channels == 4) {
        uint8_t* row = job->rgba + (job->rgba_rows > 1 ? (size_t)y * width * 4 : 0);
        png_read_row(png, row, NULL);
        if (pass == passes - 1) {
          for (png_uint_32 x = 0; x < width; ++x) {
            const uint8_t* pixel = row + 4 * (size_t)x;
            out[3 * x + 0] = SpiOverWhite(pixel[0], pixel[3]);
            out[3 * x + 1] = SpiOverWhite(pixel[1], pixel[3]);
            out[3 * x + 2] = SpiOverWhite(pixel[2], pixel[3]);
          }
        }
      } else {
        png_read_row(png, out, NULL);
      }
    }
  }
  png_read_end(png, NULL);

  if (palette_picture) {
    /* An index beyond the palette would name no colour. */
    for (png_uint_32 y = 0; y < height; ++y) {
      uint8_t* row = SpiBitmapRow(&job->bitmap, (int32_t)y);
      for (png_uint_32 x = 0; x < width; ++x) {
        if (row[x] >= palette_size) row[x] = 0;
      }
    }
  }
  if (SpiProgress(progress, total, total, user_value) != 0) {
    job->aborted = 1;
    return kSpiAborted;
  }
  return kSpiSuccess;
}

MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value) {
  if (info_handle == NULL || pixel_handle == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpen(&input, buffer, length, flag);
  if (result != kSpiSuccess) return result;
  Decoder decoder;
  result = DecoderOpen(&decoder, input.data, input.size);
  /* volatile: read after a longjmp out of libpng. */
  PictureJob* volatile job = (PictureJob*)calloc(1, sizeof(PictureJob));
  if (result == kSpiSuccess && job == NULL) result = kSpiOutOfMemory;
  if (result == kSpiSuccess) {
    if (setjmp(png_jmpbuf(decoder.png))) {
      result = kSpiBrokenData;
    } else {
      result = DecodePicture(&decoder, job, progress, user_value);
    }
  }
  if (job != NULL) {
    if (result == kSpiSuccess) {
      SpiBitmapFinish(&job->bitmap, info_handle, pixel_handle);
    } else {
      SpiBitmapDiscard(&job->bitmap);
    }
    free(job->rgba);
    free(job);
  }
  DecoderClose(&decoder);
  SpiInputClose(&input);
  return result;
}
