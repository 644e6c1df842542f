/*
 * jpeg.spi - JPEG pictures through libjpeg(-turbo).
 *
 * Every JPEG comes back as a 24-bit picture: grey and YCbCr through the
 * library's own conversion, CMYK and YCCK converted here (Adobe files store
 * the inks inverted). Data that ends before the picture does is refused, as
 * is a progressive file with an implausible number of scans.
 */
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* jpeglib.h needs stdio.h first. */
#include <jerror.h>
#include <jpeglib.h>

#include "murva32/murva_spi.h"
#include "spi_plugin.h"

static const char* const kPluginInfo[] = {
    SPI_API_VERSION_IMAGE,
    "MURVA32 JPEG plug-in (libjpeg)",
    "*.jpg",
    "JPEG",
    "*.jpeg",
    "JPEG",
    "*.jpe",
    "JPEG",
    "*.jfif",
    "JPEG",
};

/* A real progressive file has a few dozen scans; thousands only make the
 * decoder spin. */
#define JPEG_MAX_SCANS 1000
/* Working memory the library may use besides the picture itself. */
#define JPEG_MEMORY_LIMIT (512L * 1024L * 1024L)

typedef struct ErrorManager {
  struct jpeg_error_mgr base;
  jmp_buf jump;
} ErrorManager;

static void FailWithError(j_common_ptr cinfo) {
  ErrorManager* errors = (ErrorManager*)cinfo->err;
  longjmp(errors->jump, 1);
}

static void HandleMessage(j_common_ptr cinfo, int level) {
  /* Running out of data is a warning to the library; here it means the
   * file is truncated. Other warnings (stray bytes between markers) are
   * tolerated. */
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) FailWithError(cinfo);
}

static void CheckScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor) {
    j_decompress_ptr dinfo = (j_decompress_ptr)cinfo;
    if (dinfo->input_scan_number > JPEG_MAX_SCANS) FailWithError(cinfo);
  }
}

/* The decoder of one call; lives on the heap so that it is intact after a
 * longjmp. */
typedef struct Decoder {
  struct jpeg_decompress_struct cinfo;
  ErrorManager errors;
  struct jpeg_progress_mgr scan_check;
  SpiBitmap bitmap;
  JSAMPLE* cmyk_row;
  int created;
} Decoder;

static void DecoderSetUp(Decoder* decoder, const uint8_t* data, size_t size) {
  decoder->cinfo.err = jpeg_std_error(&decoder->errors.base);
  decoder->errors.base.error_exit = FailWithError;
  decoder->errors.base.emit_message = HandleMessage;
  jpeg_create_decompress(&decoder->cinfo);
  decoder->created = 1;
  decoder->cinfo.mem->max_memory_to_use = JPEG_MEMORY_LIMIT;
  decoder->scan_check.progress_monitor = CheckScans;
  decoder->cinfo.progress = &decoder->scan_check;
  jpeg_mem_src(&decoder->cinfo, data, (unsigned long)size);
}

static void DecoderDestroy(Decoder* decoder) {
  if (decoder->created) jpeg_destroy_decompress(&decoder->cinfo);
  free(decoder->cmyk_row);
  free(decoder);
}

MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length) {
  return SpiAnswerPluginInfo(index, buffer, buffer_length, kPluginInfo,
                             (int)(sizeof kPluginInfo / sizeof kPluginInfo[0]));
}

MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data) {
  (void)file_name;
  const uint8_t* bytes = (const uint8_t*)data;
  return bytes != NULL && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

static int LooksLikeJpeg(const uint8_t* bytes, size_t size) {
  return size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

static void Densities(const struct jpeg_decompress_struct* cinfo, uint16_t* x, uint16_t* y) {
  *x = 0;
  *y = 0;
  if (cinfo->density_unit == 1) { /* dots per inch */
    *x = cinfo->X_density;
    *y = cinfo->Y_density;
  } else if (cinfo->density_unit == 2) { /* dots per centimetre */
    *x = (uint16_t)((cinfo->X_density * 254u + 50u) / 100u);
    *y = (uint16_t)((cinfo->Y_density * 254u + 50u) / 100u);
  }
}

MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info) {
  if (info == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpenFormat(&input, buffer, length, flag, LooksLikeJpeg);
  if (result != kSpiSuccess) return result;
  Decoder* decoder = (Decoder*)calloc(1, sizeof(Decoder));
  if (decoder == NULL) {
    SpiInputClose(&input);
    return kSpiOutOfMemory;
  }
  if (setjmp(decoder->errors.jump)) {
    result = kSpiBrokenData;
  } else {
    DecoderSetUp(decoder, input.data, input.size);
    jpeg_read_header(&decoder->cinfo, TRUE);
    if (!SpiDimensionsAcceptable(decoder->cinfo.image_width, decoder->cinfo.image_height)) {
      result = kSpiBrokenData;
    } else {
      memset(info, 0, sizeof *info);
      info->width = (int32_t)decoder->cinfo.image_width;
      info->height = (int32_t)decoder->cinfo.image_height;
      info->colorDepth = (int16_t)(8 * decoder->cinfo.num_components);
      Densities(&decoder->cinfo, &info->xDensity, &info->yDensity);
      result = kSpiSuccess;
    }
  }
  DecoderDestroy(decoder);
  SpiInputClose(&input);
  return result;
}

/* Converts one row of CMYK samples to blue, green, red. */
static void CmykToBgr(const JSAMPLE* cmyk, uint8_t* out, JDIMENSION width, int inverted) {
  for (JDIMENSION x = 0; x < width; ++x) {
    unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[3 * x + 0] = (uint8_t)((y * k + 127) / 255);
    out[3 * x + 1] = (uint8_t)((m * k + 127) / 255);
    out[3 * x + 2] = (uint8_t)((c * k + 127) / 255);
  }
}

static int DecodePicture(Decoder* decoder, SpiProgressCallback progress, intptr_t user_value) {
  struct jpeg_decompress_struct* cinfo = &decoder->cinfo;
  jpeg_read_header(cinfo, TRUE);
  if (!SpiDimensionsAcceptable(cinfo->image_width, cinfo->image_height)) return kSpiBrokenData;
  int cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height ||
      cinfo->output_components != (cmyk ? 4 : 3)) {
    return kSpiInternalError;
  }
  int result = SpiBitmapCreate(&decoder->bitmap, (int32_t)cinfo->output_width,
                               (int32_t)cinfo->output_height, 24, 0);
  if (result != kSpiSuccess) return result;
  if (cinfo->density_unit == 1) {
    SpiBitmapSetResolution(&decoder->bitmap, SpiMetreDensity(cinfo->X_density),
                           SpiMetreDensity(cinfo->Y_density));
  }
  if (cmyk) {
    decoder->cmyk_row = (JSAMPLE*)malloc((size_t)cinfo->output_width * 4);
    if (decoder->cmyk_row == NULL) return kSpiOutOfMemory;
  }
  int height = (int)cinfo->output_height;
  while (cinfo->output_scanline < cinfo->output_height) {
    int y = (int)cinfo->output_scanline;
    if ((y & 63) == 0 && SpiProgress(progress, y, height, user_value) != 0) return kSpiAborted;
    uint8_t* out = SpiBitmapRow(&decoder->bitmap, y);
    JSAMPROW row = cmyk ? decoder->cmyk_row : out;
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return kSpiBrokenData;
    if (cmyk) CmykToBgr(decoder->cmyk_row, out, cinfo->output_width, cinfo->saw_Adobe_marker);
  }
  jpeg_finish_decompress(cinfo);
  if (SpiProgress(progress, height, height, user_value) != 0) return kSpiAborted;
  return kSpiSuccess;
}

MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value) {
  if (info_handle == NULL || pixel_handle == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpenFormat(&input, buffer, length, flag, LooksLikeJpeg);
  if (result != kSpiSuccess) return result;
  Decoder* decoder = (Decoder*)calloc(1, sizeof(Decoder));
  if (decoder == NULL) {
    SpiInputClose(&input);
    return kSpiOutOfMemory;
  }
  if (setjmp(decoder->errors.jump)) {
    result = kSpiBrokenData;
  } else {
    DecoderSetUp(decoder, input.data, input.size);
    result = DecodePicture(decoder, progress, user_value);
  }
  if (result == kSpiSuccess) {
    SpiBitmapFinish(&decoder->bitmap, info_handle, pixel_handle);
  } else {
    SpiBitmapDiscard(&decoder->bitmap);
  }
  DecoderDestroy(decoder);
  SpiInputClose(&input);
  return result;
}
