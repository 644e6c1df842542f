/*
 * webp.spi - WebP pictures through libwebp.
 *
 * Lossy and lossless pictures come back as 24-bit pictures; pictures with
 * an alpha channel are laid over white. Of an animation the first frame is
 * taken, as the animation shows it.
 */
#include <stdlib.h>
#include <string.h>
#include <webp/decode.h>
#include <webp/demux.h>

#include "murva32/murva_spi.h"
#include "spi_plugin.h"

static const char* const kPluginInfo[] = {
    SPI_API_VERSION_IMAGE,
    "MURVA32 WebP plug-in (libwebp)",
    "*.webp",
    "WebP",
};

static int LooksLikeWebp(const uint8_t* bytes, size_t size) {
  return size >= 12 && memcmp(bytes, "RIFF", 4) == 0 && memcmp(bytes + 8, "WEBP", 4) == 0;
}

/* Reads the picture's features and checks its size. */
static int ReadFeatures(const SpiInput* input, WebPBitstreamFeatures* features) {
  if (!LooksLikeWebp(input->data, input->size)) return kSpiUnknownFormat;
  if (WebPGetFeatures(input->data, input->size, features) != VP8_STATUS_OK) return kSpiBrokenData;
  if (!SpiDimensionsAcceptable(features->width, features->height)) return kSpiBrokenData;
  return kSpiSuccess;
}

MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length) {
  return SpiAnswerPluginInfo(index, buffer, buffer_length, kPluginInfo,
                             (int)(sizeof kPluginInfo / sizeof kPluginInfo[0]));
}

MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data) {
  (void)file_name;
  return data != NULL && LooksLikeWebp((const uint8_t*)data, 12);
}

MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info) {
  if (info == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpen(&input, buffer, length, flag);
  if (result != kSpiSuccess) return result;
  WebPBitstreamFeatures features;
  result = ReadFeatures(&input, &features);
  if (result == kSpiSuccess) {
    memset(info, 0, sizeof *info);
    info->width = features.width;
    info->height = features.height;
    info->colorDepth = features.has_alpha ? 32 : 24;
  }
  SpiInputClose(&input);
  return result;
}

/* Lays rows of blue, green, red, alpha over white into the picture. */
static void BlendRows(SpiBitmap* bitmap, const uint8_t* bgra, size_t stride) {
  for (int32_t y = 0; y < bitmap->height; ++y) {
    const uint8_t* in = bgra + (size_t)y * stride;
    uint8_t* out = SpiBitmapRow(bitmap, y);
    for (int32_t x = 0; x < bitmap->width; ++x) {
      uint8_t alpha = in[4 * x + 3];
      out[3 * x + 0] = SpiOverWhite(in[4 * x + 0], alpha);
      out[3 * x + 1] = SpiOverWhite(in[4 * x + 1], alpha);
      out[3 * x + 2] = SpiOverWhite(in[4 * x + 2], alpha);
    }
  }
}

static int DecodeAnimationFrame(const SpiInput* input, SpiBitmap* bitmap) {
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) return kSpiInternalError;
  options.color_mode = MODE_BGRA;
  options.use_threads = 0;
  WebPData data = {input->data, input->size};
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  if (decoder == NULL) return kSpiBrokenData;
  int result = kSpiBrokenData;
  WebPAnimInfo info;
  uint8_t* frame = NULL;
  int timestamp = 0;
  if (WebPAnimDecoderGetInfo(decoder, &info) && (int)info.canvas_width == bitmap->width &&
      (int)info.canvas_height == bitmap->height &&
      WebPAnimDecoderGetNext(decoder, &frame, &timestamp) && frame != NULL) {
    BlendRows(bitmap, frame, (size_t)info.canvas_width * 4);
    result = kSpiSuccess;
  }
  WebPAnimDecoderDelete(decoder);
  return result;
}

static int DecodeStill(const SpiInput* input, const WebPBitstreamFeatures* features,
                       SpiBitmap* bitmap) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return kSpiInternalError;
  config.input = *features;
  config.output.is_external_memory = 1;
  uint8_t* bgra = NULL;
  if (features->has_alpha) {
    size_t stride = (size_t)bitmap->width * 4;
    bgra = (uint8_t*)malloc(stride * (size_t)bitmap->height);
    if (bgra == NULL) return kSpiOutOfMemory;
    config.output.colorspace = MODE_BGRA;
    config.output.u.RGBA.rgba = bgra;
    config.output.u.RGBA.stride = (int)stride;
    config.output.u.RGBA.size = stride * (size_t)bitmap->height;
  } else {
    /* Straight into the picture's rows, turned over: BMP rows run
     * bottom-up. */
    config.options.flip = 1;
    config.output.colorspace = MODE_BGR;
    config.output.u.RGBA.rgba = bitmap->pixels;
    config.output.u.RGBA.stride = (int)bitmap->stride;
    config.output.u.RGBA.size = bitmap->stride * (size_t)bitmap->height;
  }
  VP8StatusCode status = WebPDecode(input->data, input->size, &config);
  WebPFreeDecBuffer(&config.output);
  if (status == VP8_STATUS_OK && bgra != NULL) BlendRows(bitmap, bgra, (size_t)bitmap->width * 4);
  free(bgra);
  return status == VP8_STATUS_OK ? kSpiSuccess : kSpiBrokenData;
}

MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value) {
  if (info_handle == NULL || pixel_handle == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpen(&input, buffer, length, flag);
  if (result != kSpiSuccess) return result;
  WebPBitstreamFeatures features;
  SpiBitmap bitmap;
  memset(&bitmap, 0, sizeof bitmap);
  result = ReadFeatures(&input, &features);
  if (result == kSpiSuccess && SpiProgress(progress, 0, 1, user_value) != 0) result = kSpiAborted;
  if (result == kSpiSuccess) {
    result = SpiBitmapCreate(&bitmap, features.width, features.height, 24, 0);
  }
  if (result == kSpiSuccess) {
    result = features.has_animation ? DecodeAnimationFrame(&input, &bitmap)
                                    : DecodeStill(&input, &features, &bitmap);
  }
  if (result == kSpiSuccess && SpiProgress(progress, 1, 1, user_value) != 0) result = kSpiAborted;
  if (result == kSpiSuccess) {
    SpiBitmapFinish(&bitmap, info_handle, pixel_handle);
  } else {
    SpiBitmapDiscard(&bitmap);
  }
  SpiInputClose(&input);
  return result;
}
