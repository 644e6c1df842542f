/*
 * gif.spi - GIF pictures through giflib; the first frame only.
 *
 * The picture is the logical screen of the file (grown to hold the first
 * frame when the frame reaches beyond it) as an 8-bit picture with the
 * frame's palette. The first frame is placed at its position; the rest of
 * the screen takes the frame's transparent colour when it has one,
 * otherwise the screen's background colour when the frame uses the global
 * palette, otherwise colour 0.
 */
#include <gif_lib.h>
#include <stdlib.h>
#include <string.h>

#include "murva32/murva_spi.h"
#include "spi_plugin.h"

static const char* const kPluginInfo[] = {
    SPI_API_VERSION_IMAGE,
    "MURVA32 GIF plug-in (giflib, first frame)",
    "*.gif",
    "GIF",
};

typedef struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t position;
} MemoryReader;

static int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
  MemoryReader* reader = (MemoryReader*)gif->UserData;
  if (count <= 0) return 0;
  size_t left = reader->size - reader->position;
  size_t wanted = (size_t)count < left ? (size_t)count : left;
  memcpy(out, reader->data + reader->position, wanted);
  reader->position += wanted;
  return (int)wanted;
}

static int LooksLikeGif(const uint8_t* bytes, size_t size) {
  return size >= 6 && memcmp(bytes, "GIF", 3) == 0 &&
         (memcmp(bytes + 3, "87a", 3) == 0 || memcmp(bytes + 3, "89a", 3) == 0);
}

/* Where the first frame is and what surrounds it. */
typedef struct FirstFrame {
  int canvas_width;
  int canvas_height;
  int transparent_index; /* NO_TRANSPARENT_COLOR when none */
  const ColorMapObject* palette;
  int fill_index;
} FirstFrame;

/* Reads records up to the first frame's descriptor; on success the file is
 * positioned at the frame's pixels. */
static int FindFirstFrame(GifFileType* gif, FirstFrame* frame) {
  frame->transparent_index = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return kSpiBrokenData;
    if (type == TERMINATE_RECORD_TYPE) return kSpiBrokenData; /* no picture at all */
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = NULL;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return kSpiBrokenData;
      if (code == GRAPHICS_EXT_FUNC_CODE && block != NULL) {
        GraphicsControlBlock control;
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
          frame->transparent_index = control.TransparentColor;
        }
      }
      while (block != NULL) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return kSpiBrokenData;
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) return kSpiBrokenData;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return kSpiBrokenData;
    const GifImageDesc* image = &gif->Image;
    if (image->Width <= 0 || image->Height <= 0 || image->Left < 0 || image->Top < 0) {
      return kSpiBrokenData;
    }
    int64_t right = (int64_t)image->Left + image->Width;
    int64_t bottom = (int64_t)image->Top + image->Height;
    int64_t width = gif->SWidth > right ? gif->SWidth : right;
    int64_t height = gif->SHeight > bottom ? gif->SHeight : bottom;
    if (!SpiDimensionsAcceptable(width, height)) return kSpiBrokenData;
    frame->canvas_width = (int)width;
    frame->canvas_height = (int)height;
    int local = image->ColorMap != NULL;
    frame->palette = local ? image->ColorMap : gif->SColorMap;
    if (frame->palette == NULL || frame->palette->ColorCount <= 0 ||
        frame->palette->ColorCount > 256) {
      return kSpiBrokenData;
    }
    int count = frame->palette->ColorCount;
    if (frame->transparent_index >= 0 && frame->transparent_index < count) {
      frame->fill_index = frame->transparent_index;
    } else if (!local && gif->SBackGroundColor >= 0 && gif->SBackGroundColor < count) {
      frame->fill_index = gif->SBackGroundColor;
    } else {
      frame->fill_index = 0;
    }
    return kSpiSuccess;
  }
}

static GifFileType* OpenGif(MemoryReader* reader) {
  int error = 0;
  return DGifOpen(reader, ReadFromMemory, &error);
}

static void CloseGif(GifFileType* gif) {
  int error = 0;
  if (gif != NULL) DGifCloseFile(gif, &error);
}

MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length) {
  return SpiAnswerPluginInfo(index, buffer, buffer_length, kPluginInfo,
                             (int)(sizeof kPluginInfo / sizeof kPluginInfo[0]));
}

MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data) {
  (void)file_name;
  return data != NULL && LooksLikeGif((const uint8_t*)data, 6);
}

MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info) {
  if (info == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpenFormat(&input, buffer, length, flag, LooksLikeGif);
  if (result != kSpiSuccess) return result;
  MemoryReader reader = {input.data, input.size, 0};
  GifFileType* gif = OpenGif(&reader);
  if (gif == NULL) {
    result = kSpiBrokenData;
  } else {
    FirstFrame frame;
    result = FindFirstFrame(gif, &frame);
    if (result == kSpiSuccess) {
      memset(info, 0, sizeof *info);
      info->width = frame.canvas_width;
      info->height = frame.canvas_height;
      info->colorDepth = (int16_t)frame.palette->BitsPerPixel;
    }
  }
  CloseGif(gif);
  SpiInputClose(&input);
  return result;
}

static int DecodeFirstFrame(GifFileType* gif, SpiBitmap* bitmap, SpiProgressCallback progress,
                            intptr_t user_value) {
  FirstFrame frame;
  int result = FindFirstFrame(gif, &frame);
  if (result != kSpiSuccess) return result;
  int count = frame.palette->ColorCount;
  result = SpiBitmapCreate(bitmap, frame.canvas_width, frame.canvas_height, 8, (uint32_t)count);
  if (result != kSpiSuccess) return result;
  for (int i = 0; i < count; ++i) {
    const GifColorType* colour = &frame.palette->Colors[i];
    SpiBitmapSetColour(bitmap, (uint32_t)i, colour->Red, colour->Green, colour->Blue);
  }
  for (int y = 0; y < frame.canvas_height; ++y) {
    memset(SpiBitmapRow(bitmap, y), frame.fill_index, (size_t)frame.canvas_width);
  }

  const GifImageDesc image = gif->Image;
  GifPixelType* line = (GifPixelType*)malloc((size_t)image.Width);
  if (line == NULL) return kSpiOutOfMemory;
  /* Interlaced rows arrive in four passes. */
  static const int kStart[] = {0, 4, 2, 1};
  static const int kStep[] = {8, 8, 4, 2};
  int passes = image.Interlace ? 4 : 1;
  int done = 0;
  result = kSpiSuccess;
  for (int pass = 0; pass < passes && result == kSpiSuccess; ++pass) {
    int start = image.Interlace ? kStart[pass] : 0;
    int step = image.Interlace ? kStep[pass] : 1;
    for (int row = start; row < image.Height; row += step, ++done) {
      if ((done & 63) == 0 && SpiProgress(progress, done, image.Height, user_value) != 0) {
        result = kSpiAborted;
        break;
      }
      if (DGifGetLine(gif, line, image.Width) == GIF_ERROR) {
        result = kSpiBrokenData;
        break;
      }
      uint8_t* out = SpiBitmapRow(bitmap, image.Top + row) + image.Left;
      for (int x = 0; x < image.Width; ++x) {
        /* A code beyond the palette names no colour. */
        out[x] = line[x] < count ? line[x] : 0;
      }
    }
  }
  free(line);
  if (result == kSpiSuccess && SpiProgress(progress, image.Height, image.Height, user_value) != 0) {
    result = kSpiAborted;
  }
  return result;
}

MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value) {
  if (info_handle == NULL || pixel_handle == NULL) return kSpiInternalError;
  SpiInput input;
  int result = SpiInputOpenFormat(&input, buffer, length, flag, LooksLikeGif);
  if (result != kSpiSuccess) return result;
  MemoryReader reader = {input.data, input.size, 0};
  GifFileType* gif = OpenGif(&reader);
  SpiBitmap bitmap;
  memset(&bitmap, 0, sizeof bitmap);
  if (gif == NULL) {
    result = kSpiBrokenData;
  } else {
    result = DecodeFirstFrame(gif, &bitmap, progress, user_value);
  }
  if (result == kSpiSuccess) {
    SpiBitmapFinish(&bitmap, info_handle, pixel_handle);
  } else {
    SpiBitmapDiscard(&bitmap);
  }
  CloseGif(gif);
  SpiInputClose(&input);
  return result;
}
