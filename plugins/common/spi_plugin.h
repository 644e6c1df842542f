/*
 * spi_plugin.h - helpers shared by the shipped image plug-ins: answering
 * GetPluginInfo, taking the picture from memory or from a file, the size
 * limits, and building the information and pixel blocks GetPicture hands
 * back.
 */
#ifndef MURVA_SPI_PLUGIN_H
#define MURVA_SPI_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#include "murva32/murva_spi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The largest picture a shipped plug-in decodes: each side at most
 * SPI_MAX_SIDE pixels and at most SPI_MAX_PIXELS pixels in all (about
 * 400 MB of 24-bit rows). Anything larger is refused before memory for it
 * is asked for. */
#define SPI_MAX_SIDE 65535
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
/* Smaller pictures keep a fuzzing run from spending its time on huge
 * allocations. */
#define SPI_MAX_PIXELS (1u << 22)
#else
#define SPI_MAX_PIXELS (1u << 27)
#endif

/* Copies texts[index] into buffer as GetPluginInfo does; returns the number
 * of characters written (0 for an index without a text). */
int SpiAnswerPluginInfo(int index, char* buffer, int buffer_length, const char* const* texts,
                        int count);

/* The picture data of a GetPictureInfo or GetPicture call. */
typedef struct SpiInput {
  const uint8_t* data;
  size_t size;
  uint8_t* owned; /* the copy read from a file, freed by SpiInputClose */
} SpiInput;

/* Takes the picture from memory (flag kSpiInputMemory: buffer and length)
 * or reads it from the file named by buffer, starting at offset length
 * (flag kSpiInputFile). Returns kSpiSuccess or an error code. */
int SpiInputOpen(SpiInput* input, const char* buffer, int32_t length, uint32_t flag);
void SpiInputClose(SpiInput* input);

/* SpiInputOpen, then the format's signature test on the whole input; a
 * picture of another format is closed again and gives kSpiUnknownFormat. */
typedef int (*SpiSignatureTest)(const uint8_t* bytes, size_t size);
int SpiInputOpenFormat(SpiInput* input, const char* buffer, int32_t length, uint32_t flag,
                       SpiSignatureTest looks_like);

/* Non-zero when a picture of width x height pixels is within the limits. */
int SpiDimensionsAcceptable(int64_t width, int64_t height);

/* The blocks of one decoded picture while they are being filled: a 40-byte
 * BMP information header with its colour table, and bottom-up rows of
 * stride bytes each. */
typedef struct SpiBitmap {
  MurvaLocalHandle info_handle;
  MurvaLocalHandle pixel_handle;
  uint8_t* info;
  uint8_t* pixels;
  int32_t width;
  int32_t height;
  int bit_count;
  uint32_t colours;
  size_t stride;
} SpiBitmap;

/* Allocates and locks both blocks (zero-filled) and writes the header;
 * bit_count is 8 (with colours palette entries, 1 to 256) or 24. Returns
 * kSpiSuccess, kSpiBrokenData for a size beyond the limits, or a memory
 * error; nothing stays allocated on failure. */
int SpiBitmapCreate(SpiBitmap* bitmap, int32_t width, int32_t height, int bit_count,
                    uint32_t colours);

/* Row y of the picture, counted from the top. */
uint8_t* SpiBitmapRow(const SpiBitmap* bitmap, int32_t y);

/* Sets palette entry index. */
void SpiBitmapSetColour(SpiBitmap* bitmap, uint32_t index, uint8_t red, uint8_t green,
                        uint8_t blue);

/* Sets the resolution in pixels per metre. */
void SpiBitmapSetResolution(SpiBitmap* bitmap, uint32_t x_per_metre, uint32_t y_per_metre);

/* Unlocks both blocks and hands them to the caller. */
void SpiBitmapFinish(SpiBitmap* bitmap, MurvaLocalHandle* info_handle,
                     MurvaLocalHandle* pixel_handle);

/* Unlocks and frees both blocks. */
void SpiBitmapDiscard(SpiBitmap* bitmap);

/* Calls the progress callback when there is one; non-zero means stop. */
int SpiProgress(SpiProgressCallback progress, int numerator, int denominator, intptr_t user_value);

/* A colour channel with alpha laid over white. */
static inline uint8_t SpiOverWhite(uint8_t value, uint8_t alpha) {
  return (uint8_t)((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

/* Pixels per inch from pixels per metre, and back; 0 stays 0, values
 * beyond 65535 become 0 (unknown). */
uint16_t SpiInchDensity(uint32_t per_metre);
uint32_t SpiMetreDensity(uint32_t per_inch);

#ifdef __cplusplus
}
#endif

#endif /* MURVA_SPI_PLUGIN_H */
