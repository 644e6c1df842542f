/*
 * murva_spi.h - the interface between MURVA32 and its image plug-ins.
 *
 * An image plug-in is an ELF shared object with the file extension ".spi"
 * that exports the entry points declared below with C linkage. The program
 * loads it with dlopen, asks it what it is through GetPluginInfo, and reads
 * pictures through IsSupported, GetPictureInfo and GetPicture.
 *
 * Text: every string crossing this interface is zero-terminated. File names
 * are the bytes of the path as the file system holds them; the plug-in's own
 * texts (version, name, filter strings, descriptions, picture info texts)
 * are UTF-8.
 *
 * Memory handles: blocks a plug-in hands back (the bitmap information block,
 * the pixel block, the picture info text) are local-memory handles. The
 * handle functions MurvaLocalAlloc ... MurvaLocalFree are exported by the
 * host process (the murva32 executable, or any other program that hosts
 * plug-ins) and are resolved by the dynamic loader when the plug-in is
 * loaded: a plug-in simply calls them and leaves them undefined at link
 * time. So a handle allocated by the plug-in is locked, read, unlocked and
 * freed by the program through one allocator. A host that does not export
 * them cannot load the plug-in (dlopen fails cleanly).
 *
 * See README.md in this folder for a walk-through.
 */
#ifndef MURVA_SPI_H
#define MURVA_SPI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Marks a function as exported from the plug-in (build plug-ins with
 * -fvisibility=hidden so that only the entry points are visible). */
#define MURVA_SPI_EXPORT __attribute__((visibility("default")))

/* ---------------------------------------------------------------------- */
/* Local-memory handles                                                   */
/* ---------------------------------------------------------------------- */

/* A 32-bit handle naming one movable memory block; 0 is never a handle. */
typedef uint32_t MurvaLocalHandle;

/* Allocates a zero-filled block of size bytes; returns 0 when out of
 * memory. A block of size 0 is allowed. */
MurvaLocalHandle MurvaLocalAlloc(uint32_t size);

/* Locks the block and returns the address of its first byte, or NULL when
 * handle is not a live handle. Locks nest; the address stays the same for
 * the life of the block. */
void* MurvaLocalLock(MurvaLocalHandle handle);

/* Undoes one lock; returns the number of locks still held (0 when the block
 * is now unlocked or handle is not a live handle). */
uint32_t MurvaLocalUnlock(MurvaLocalHandle handle);

/* The size in bytes the block was allocated with; 0 for a handle that is not
 * live. */
uint32_t MurvaLocalSize(MurvaLocalHandle handle);

/* Frees the block (whether locked or not); returns 0 when freed, the handle
 * itself when it was not a live handle. */
MurvaLocalHandle MurvaLocalFree(MurvaLocalHandle handle);

/* ---------------------------------------------------------------------- */
/* Records and callbacks                                                  */
/* ---------------------------------------------------------------------- */

/* Filled by GetPictureInfo. Byte-packed, 26 bytes. */
#pragma pack(push, 1)
typedef struct PictureInfo {
  int32_t left; /* position of the picture on its page, usually 0 */
  int32_t top;
  int32_t width; /* size in pixels */
  int32_t height;
  uint16_t xDensity; /* pixels per inch, 0 when unknown */
  uint16_t yDensity;
  int16_t colorDepth;    /* bits per pixel of the picture */
  MurvaLocalHandle info; /* handle of a UTF-8 text about the picture, or 0 */
} PictureInfo;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(PictureInfo) == 26, "PictureInfo is 26 bytes");
#else
_Static_assert(sizeof(PictureInfo) == 26, "PictureInfo is 26 bytes");
#endif

/* Called by the plug-in during GetPicture with the work done so far
 * (numerator of denominator) and the user value it was given. A non-zero
 * result asks the plug-in to stop: it then frees what it allocated and
 * returns kSpiAborted. */
typedef int (*SpiProgressCallback)(int numerator, int denominator, intptr_t user_value);

/* ---------------------------------------------------------------------- */
/* Result codes                                                           */
/* ---------------------------------------------------------------------- */

enum SpiResult {
  kSpiNotImplemented = -1, /* the entry point does nothing */
  kSpiSuccess = 0,
  kSpiAborted = 1,       /* stopped because the progress callback asked */
  kSpiUnknownFormat = 2, /* not a picture this plug-in reads */
  kSpiBrokenData = 3,    /* damaged, truncated or implausible data */
  kSpiOutOfMemory = 4,   /* a handle could not be allocated */
  kSpiMemoryError = 5,   /* a handle could not be locked */
  kSpiReadError = 6,     /* the file could not be read (flag mode 0) */
  kSpiInternalError = 8
};

/* The input flag of GetPictureInfo and GetPicture: the low three bits say
 * where the picture is. */
enum SpiInputKind {
  kSpiInputFile = 0,  /* buffer is a file name, length the offset of the
                         picture inside that file */
  kSpiInputMemory = 1 /* buffer is the picture in memory, length its size
                         in bytes (the program always uses this) */
};
#define SPI_INPUT_KIND_MASK 7u

/* The API versions answered by GetPluginInfo(0, ...). */
#define SPI_API_VERSION_IMAGE "00IN"
#define SPI_API_VERSION_ARCHIVE "00AM"
#define SPI_API_VERSION_EXTENDED "00XN"

/* The program always asks IsSupported with at least this many bytes of the
 * file's beginning (zero-padded when the file is shorter). */
#define SPI_SUPPORT_CHECK_BYTES 2048

/* ---------------------------------------------------------------------- */
/* Entry points                                                           */
/* ---------------------------------------------------------------------- */

/* Every plug-in. Copies the text for index into buffer, zero-terminated,
 * and returns the number of characters written (without the zero), or 0
 * when there is no text for index. Write at most buffer_length bytes
 * including the zero; the program passes 255 for a buffer of 256 bytes and
 * takes the text up to its first zero byte.
 *   index 0: API version ("00IN" for an image plug-in)
 *   index 1: the plug-in's name and version, free text
 *   index 2, 4, 6 ...: a filter string, one or more file patterns separated
 *                      by ";" (for instance "*.jpg;*.jpeg")
 *   index 3, 5, 7 ...: the format name belonging to the filter before it */
typedef int (*SpiGetPluginInfoFn)(int index, char* buffer, int buffer_length);

/* Image and archive plug-ins. data points to at least
 * SPI_SUPPORT_CHECK_BYTES bytes of the file's beginning; file_name may be
 * empty. Returns non-zero when the plug-in can read the file. */
typedef int (*SpiIsSupportedFn)(const char* file_name, const void* data);

/* Image plug-ins. Fills *info for the picture in buffer (see SpiInputKind
 * for buffer, length and flag). Returns kSpiSuccess or an error code. */
typedef int (*SpiGetPictureInfoFn)(const char* buffer, int32_t length, uint32_t flag,
                                   PictureInfo* info);

/* Image plug-ins. Decodes the picture and hands back two new handles:
 *   *info_handle:  a 40-byte BMP information header (biSize = 40, biWidth,
 *                  biHeight, biPlanes = 1, biBitCount, biCompression = 0,
 *                  biSizeImage, biXPelsPerMeter, biYPelsPerMeter, biClrUsed,
 *                  biClrImportant; all little-endian) followed by the colour
 *                  table of 4-byte entries (blue, green, red, 0): biClrUsed
 *                  entries, or 2 to the power biBitCount when biClrUsed is 0
 *                  and biBitCount is 1, 4 or 8;
 *   *pixel_handle: the pixel rows in BMP order (bottom row first when
 *                  biHeight is positive), each row padded with zeros to a
 *                  multiple of 4 bytes.
 * progress may be NULL. The program locks, reads, unlocks and frees both
 * handles; on any non-zero result the plug-in must leave nothing allocated
 * and the handles are not read. */
typedef int (*SpiGetPictureFn)(const char* buffer, int32_t length, uint32_t flag,
                               MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                               SpiProgressCallback progress, intptr_t user_value);

/* Same contract as GetPicture, for a small preview picture. The program
 * looks it up but never calls it. */
typedef SpiGetPictureFn SpiGetPreviewFn;

/* Archive plug-ins ("00AM"). The program only checks that they exist. */
typedef int (*SpiGetArchiveInfoFn)(const char* buffer, int32_t length, uint32_t flag,
                                   MurvaLocalHandle* archive_info_handle);
typedef int (*SpiGetFileInfoFn)(const char* buffer, int32_t length, const char* file_name,
                                uint32_t flag, void* file_info);
typedef int (*SpiGetFileFn)(const char* source, int32_t length, char* dest, uint32_t flag,
                            SpiProgressCallback progress, intptr_t user_value);

/* Optional settings dialog; parent is the host's window identifier. The
 * program looks it up but never calls it. */
typedef int (*SpiConfigurationDlgFn)(uintptr_t parent, int function);

/* Prototypes for plug-in writers: define the ones your kind needs. */
MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length);
MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data);
MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info);
MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value);
MURVA_SPI_EXPORT int GetPreview(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value);
MURVA_SPI_EXPORT int GetArchiveInfo(const char* buffer, int32_t length, uint32_t flag,
                                    MurvaLocalHandle* archive_info_handle);
MURVA_SPI_EXPORT int GetFileInfo(const char* buffer, int32_t length, const char* file_name,
                                 uint32_t flag, void* file_info);
MURVA_SPI_EXPORT int GetFile(const char* source, int32_t length, char* dest, uint32_t flag,
                             SpiProgressCallback progress, intptr_t user_value);
MURVA_SPI_EXPORT int ConfigurationDlg(uintptr_t parent, int function);

#ifdef __cplusplus
}
#endif

#endif /* MURVA_SPI_H */
