#include "spi_plugin.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int SpiAnswerPluginInfo(int index, char* buffer, int buffer_length, const char* const* texts,
                        int count) {
  if (index < 0 || index >= count || buffer == NULL || buffer_length <= 0) return 0;
  /* The terminating zero counts against buffer_length, so a host that
   * passes the full size of its buffer is safe too. */
  size_t length = strlen(texts[index]);
  if (length > (size_t)buffer_length - 1) length = (size_t)buffer_length - 1;
  memcpy(buffer, texts[index], length);
  buffer[length] = '\0';
  return (int)length;
}

int SpiInputOpen(SpiInput* input, const char* buffer, int32_t length, uint32_t flag) {
  input->data = NULL;
  input->size = 0;
  input->owned = NULL;
  if (buffer == NULL) return kSpiInternalError;
  if ((flag & SPI_INPUT_KIND_MASK) == kSpiInputMemory) {
    if (length < 0) return kSpiBrokenData;
    input->data = (const uint8_t*)buffer;
    input->size = (size_t)length;
    return kSpiSuccess;
  }
  if ((flag & SPI_INPUT_KIND_MASK) != kSpiInputFile) return kSpiNotImplemented;
  if (length < 0) return kSpiReadError;

  FILE* file = fopen(buffer, "rb");
  if (file == NULL) return kSpiReadError;
  if (fseek(file, 0, SEEK_END) != 0) {
    fclose(file);
    return kSpiReadError;
  }
  long end = ftell(file);
  if (end < 0 || end < (long)length || end - (long)length > INT32_MAX ||
      fseek(file, length, SEEK_SET) != 0) {
    fclose(file);
    return kSpiReadError;
  }
  size_t size = (size_t)(end - (long)length);
  uint8_t* data = (uint8_t*)malloc(size == 0 ? 1 : size);
  if (data == NULL) {
    fclose(file);
    return kSpiOutOfMemory;
  }
  if (fread(data, 1, size, file) != size) {
    free(data);
    fclose(file);
    return kSpiReadError;
  }
  fclose(file);
  input->data = data;
  input->size = size;
  input->owned = data;
  return kSpiSuccess;
}

int SpiInputOpenFormat(SpiInput* input, const char* buffer, int32_t length, uint32_t flag,
                       SpiSignatureTest looks_like) {
  int result = SpiInputOpen(input, buffer, length, flag);
  if (result != kSpiSuccess) return result;
  if (!looks_like(input->data, input->size)) {
    SpiInputClose(input);
    return kSpiUnknownFormat;
  }
  return kSpiSuccess;
}

void SpiInputClose(SpiInput* input) {
  free(input->owned);
  input->owned = NULL;
  input->data = NULL;
  input->size = 0;
}

int SpiDimensionsAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= SPI_MAX_SIDE && height <= SPI_MAX_SIDE &&
         (uint64_t)width * (uint64_t)height <= SPI_MAX_PIXELS;
}

static void WriteU16(uint8_t* at, uint16_t value) {
  at[0] = (uint8_t)value;
  at[1] = (uint8_t)(value >> 8);
}

static void WriteU32(uint8_t* at, uint32_t value) {
  at[0] = (uint8_t)value;
  at[1] = (uint8_t)(value >> 8);
  at[2] = (uint8_t)(value >> 16);
  at[3] = (uint8_t)(value >> 24);
}

int SpiBitmapCreate(SpiBitmap* bitmap, int32_t width, int32_t height, int bit_count,
                    uint32_t colours) {
  memset(bitmap, 0, sizeof *bitmap);
  if (!SpiDimensionsAcceptable(width, height)) return kSpiBrokenData;
  if (bit_count == 24) {
    colours = 0;
  } else if (bit_count != 8 || colours == 0 || colours > 256) {
    return kSpiInternalError;
  }
  size_t stride = (((size_t)width * (size_t)bit_count + 31) / 32) * 4;
  uint64_t image_size = (uint64_t)stride * (uint64_t)height;
  if (image_size > UINT32_MAX) return kSpiBrokenData;

  bitmap->info_handle = MurvaLocalAlloc(40 + 4 * colours);
  if (bitmap->info_handle == 0) return kSpiOutOfMemory;
  bitmap->pixel_handle = MurvaLocalAlloc((uint32_t)image_size);
  if (bitmap->pixel_handle == 0) {
    MurvaLocalFree(bitmap->info_handle);
    bitmap->info_handle = 0;
    return kSpiOutOfMemory;
  }
  bitmap->info = (uint8_t*)MurvaLocalLock(bitmap->info_handle);
  bitmap->pixels = (uint8_t*)MurvaLocalLock(bitmap->pixel_handle);
  if (bitmap->info == NULL || bitmap->pixels == NULL) {
    SpiBitmapDiscard(bitmap);
    return kSpiMemoryError;
  }
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bit_count = bit_count;
  bitmap->colours = colours;
  bitmap->stride = stride;

  uint8_t* header = bitmap->info;
  WriteU32(header + 0, 40);
  WriteU32(header + 4, (uint32_t)width);
  WriteU32(header + 8, (uint32_t)height); /* positive: bottom row first */
  WriteU16(header + 12, 1);
  WriteU16(header + 14, (uint16_t)bit_count);
  WriteU32(header + 16, 0); /* uncompressed */
  WriteU32(header + 20, (uint32_t)image_size);
  WriteU32(header + 32, colours);
  WriteU32(header + 36, 0);
  return kSpiSuccess;
}

uint8_t* SpiBitmapRow(const SpiBitmap* bitmap, int32_t y) {
  return bitmap->pixels + (size_t)(bitmap->height - 1 - y) * bitmap->stride;
}

void SpiBitmapSetColour(SpiBitmap* bitmap, uint32_t index, uint8_t red, uint8_t green,
                        uint8_t blue) {
  if (index >= bitmap->colours) return;
  uint8_t* entry = bitmap->info + 40 + 4 * index;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

void SpiBitmapSetResolution(SpiBitmap* bitmap, uint32_t x_per_metre, uint32_t y_per_metre) {
  WriteU32(bitmap->info + 24, x_per_metre);
  WriteU32(bitmap->info + 28, y_per_metre);
}

void SpiBitmapFinish(SpiBitmap* bitmap, MurvaLocalHandle* info_handle,
                     MurvaLocalHandle* pixel_handle) {
  MurvaLocalUnlock(bitmap->info_handle);
  MurvaLocalUnlock(bitmap->pixel_handle);
  *info_handle = bitmap->info_handle;
  *pixel_handle = bitmap->pixel_handle;
  memset(bitmap, 0, sizeof *bitmap);
}

void SpiBitmapDiscard(SpiBitmap* bitmap) {
  if (bitmap->info_handle != 0) {
    if (bitmap->info != NULL) MurvaLocalUnlock(bitmap->info_handle);
    MurvaLocalFree(bitmap->info_handle);
  }
  if (bitmap->pixel_handle != 0) {
    if (bitmap->pixels != NULL) MurvaLocalUnlock(bitmap->pixel_handle);
    MurvaLocalFree(bitmap->pixel_handle);
  }
  memset(bitmap, 0, sizeof *bitmap);
}

int SpiProgress(SpiProgressCallback progress, int numerator, int denominator, intptr_t user_value) {
  if (progress == NULL) return 0;
  return progress(numerator, denominator, user_value);
}

uint16_t SpiInchDensity(uint32_t per_metre) {
  uint64_t per_inch = ((uint64_t)per_metre * 254 + 5000) / 10000;
  return per_inch > 65535 ? 0 : (uint16_t)per_inch;
}

uint32_t SpiMetreDensity(uint32_t per_inch) {
  return (uint32_t)(((uint64_t)per_inch * 10000 + 127) / 254);
}
