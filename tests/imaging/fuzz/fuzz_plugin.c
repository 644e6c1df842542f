/*
 * fuzz_plugin.c - libFuzzer target for one shipped plug-in, linked with that
 * plug-in's source: every input goes through IsSupported, GetPictureInfo and
 * GetPicture as the program calls them, and every handle handed back is
 * checked against its header and freed.
 */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "murva32/murva_spi.h"

static int StopHalfway(int numerator, int denominator, intptr_t user_value) {
  (void)user_value;
  return denominator > 0 && numerator * 2 > denominator;
}

static void CheckBlocks(MurvaLocalHandle info_handle, MurvaLocalHandle pixel_handle) {
  const uint8_t* info = (const uint8_t*)MurvaLocalLock(info_handle);
  const uint8_t* pixels = (const uint8_t*)MurvaLocalLock(pixel_handle);
  if (info == NULL || pixels == NULL || MurvaLocalSize(info_handle) < 40) abort();
  int32_t width, height;
  uint16_t bits;
  uint32_t colours;
  memcpy(&width, info + 4, 4);
  memcpy(&height, info + 8, 4);
  memcpy(&bits, info + 14, 2);
  memcpy(&colours, info + 32, 4);
  if (width <= 0 || height == 0) abort();
  uint64_t stride = (((uint64_t)width * bits + 31) / 32) * 4;
  uint64_t rows = (uint64_t)(height < 0 ? -(int64_t)height : height);
  if (MurvaLocalSize(pixel_handle) < stride * rows) abort();
  if (MurvaLocalSize(info_handle) < 40 + 4 * (uint64_t)colours) abort();
  /* Touch every byte so that the sanitizer sees a short block. */
  volatile uint8_t sum = 0;
  for (uint64_t i = 0; i < stride * rows; ++i) sum ^= pixels[i];
  (void)sum;
  MurvaLocalUnlock(info_handle);
  MurvaLocalUnlock(pixel_handle);
}

int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 24)) return 0;
  /* The program hands over at least SPI_SUPPORT_CHECK_BYTES bytes. */
  size_t block_size = size < SPI_SUPPORT_CHECK_BYTES ? SPI_SUPPORT_CHECK_BYTES : size;
  uint8_t* block = (uint8_t*)calloc(1, block_size);
  if (block == NULL) return 0;
  if (size > 0) memcpy(block, data, size);

  IsSupported("fuzz", block);
  PictureInfo info;
  if (GetPictureInfo((const char*)block, (int32_t)size, kSpiInputMemory, &info) == kSpiSuccess &&
      info.info != 0) {
    MurvaLocalFree(info.info);
  }
  for (int stop = 0; stop < 2; ++stop) {
    MurvaLocalHandle info_handle = 0;
    MurvaLocalHandle pixel_handle = 0;
    int result = GetPicture((const char*)block, (int32_t)size, kSpiInputMemory, &info_handle,
                            &pixel_handle, stop ? StopHalfway : NULL, 0);
    if (result == kSpiSuccess) {
      CheckBlocks(info_handle, pixel_handle);
      MurvaLocalFree(info_handle);
      MurvaLocalFree(pixel_handle);
    }
  }
  free(block);
  return 0;
}
