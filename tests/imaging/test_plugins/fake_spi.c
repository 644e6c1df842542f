/*
 * fake_spi.c - a test plug-in whose behaviour is chosen by FAKE_VARIANT
 * (one of the FAKE_ numbers of fake_spi.h).
 */
#include "fake_spi.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "murva32/murva_spi.h"

#ifndef FAKE_VARIANT
#error FAKE_VARIANT must be one of the FAKE_ numbers
#endif

static FakeCallLog fake_log;

MURVA_SPI_EXPORT FakeCallLog* FakeLog(void) { return &fake_log; }

#ifndef FAKE_FAULT_ENTRY
#define FAKE_FAULT_ENTRY 0
#define FAKE_FAULT_KIND 0
#endif

static void FakeTrace(const char* entry) {
  const char* file = getenv("MURVA_FAKE_TRACE");
  if (file == NULL || *file == '\0') return;
  char line[256];
  int length = snprintf(line, sizeof line, "%s %s\n", FAKE_NAME, entry);
  int fd = open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (write(fd, line, (size_t)length) < 0) {
  }
  close(fd);
}

#if FAKE_FAULT_KIND == FAKE_FAULT_FORK || FAKE_FAULT_KIND == FAKE_FAULT_DAEMON || \
    FAKE_FAULT_KIND == FAKE_FAULT_FORK_CRASH
static void FakeRecordPid(pid_t pid) {
  const char* file = getenv("MURVA_FAKE_PIDS");
  if (file == NULL || *file == '\0') return;
  char line[32];
  int length = snprintf(line, sizeof line, "%ld\n", (long)pid);
  int fd = open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (write(fd, line, (size_t)length) < 0) {
  }
  close(fd);
}

/* Leaves a process behind that holds everything the host gave the plug-in
 * (its socket, its output) and waits for ever. */
static void FakeLeaveProcess(const char* entry) {
  pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
#if FAKE_FAULT_KIND == FAKE_FAULT_DAEMON
    setsid();
    pid_t daemon = fork();
    if (daemon != 0) {
      if (daemon > 0) FakeRecordPid(daemon);
      _exit(0);
    }
#endif
    for (;;) pause();
  }
#if FAKE_FAULT_KIND == FAKE_FAULT_DAEMON
  waitpid(child, NULL, 0);
#else
  FakeRecordPid(child);
#endif
  printf("%s %s forked %ld\n", FAKE_NAME, entry, (long)child);
  fflush(stdout);
}
#endif

/* Enters an entry point: traces it, and fails there if this build does;
 * nonzero when the plug-in is out of memory. */
static int FakeEnter(int entry, const char* name) {
  FakeTrace(name);
  if (entry != FAKE_FAULT_ENTRY && FAKE_FAULT_ENTRY != FAKE_FAULT_EVERY) return 0;
#if FAKE_FAULT_KIND == FAKE_FAULT_CRASH
  *(volatile int*)(uintptr_t)0 = 1;
#elif FAKE_FAULT_KIND == FAKE_FAULT_ABORT
  abort();
#elif FAKE_FAULT_KIND == FAKE_FAULT_HANG
  for (;;) pause();
#elif FAKE_FAULT_KIND == FAKE_FAULT_FORK || FAKE_FAULT_KIND == FAKE_FAULT_DAEMON
  if (entry == FAKE_FAULT_LOAD) {
    static char long_line[3002];
    memset(long_line, 'x', 3000);
    long_line[3000] = '\n';
    fprintf(stderr, "\x1b[31m%s\x1b[0m speaks\n%s", FAKE_NAME, long_line);
    fflush(stderr);
  }
  FakeLeaveProcess(name);
#elif FAKE_FAULT_KIND == FAKE_FAULT_FORK_CRASH
  FakeLeaveProcess(name);
  *(volatile int*)(uintptr_t)0 = 1;
#elif FAKE_FAULT_KIND == FAKE_FAULT_HUGE
  void* memory = malloc((size_t)20 << 30);
  if (memory == NULL) return 1;
  /* Given (no limit): nothing is touched, the test sees the plug-in not named. */
  free(memory);
#endif
  return 0;
}

__attribute__((constructor)) static void FakeLoad(void) { FakeEnter(FAKE_FAULT_LOAD, "load"); }

#if FAKE_VARIANT == FAKE_MISSING_SYMBOL
/* Offered by no host: loading this plug-in fails. */
extern int MurvaFunctionNobodyProvides(void);
MURVA_SPI_EXPORT int FakeUseMissing(void) { return MurvaFunctionNobodyProvides(); }
#endif

static inline const char* PluginText(int index) {
  const char* version = SPI_API_VERSION_IMAGE;
  const char* filter = "*.mvt";
  const char* description = "Murva test picture";
#if FAKE_VARIANT == FAKE_UNKNOWN_VERSION
  version = "99ZZ";
#elif FAKE_VARIANT == FAKE_EXTENDED
  version = SPI_API_VERSION_EXTENDED;
#elif FAKE_VARIANT == FAKE_ARCHIVE || FAKE_VARIANT == FAKE_ARCHIVE_NO_GET_FILE
  version = SPI_API_VERSION_ARCHIVE;
  filter = "*.mva";
  description = "Murva test archive";
#elif FAKE_VARIANT == FAKE_THREE_PATTERNS
  filter = "*.aaa;*.bbb;*.ccc";
  description = "Three patterns";
#elif FAKE_VARIANT == FAKE_TWO_PATTERNS
  filter = "*.one;*.two";
  description = "Two patterns";
#elif FAKE_VARIANT == FAKE_CLAIMS_BMP
  filter = "*.bmp";
  description = "Fake bitmap";
#endif
  (void)description;
  switch (index) {
    case 0:
      return version;
    case 1:
      return "fake plug-in " FAKE_NAME;
    case 2:
      return filter;
    case 3:
#if FAKE_VARIANT == FAKE_HALF_FILTER
      return NULL; /* a filter without its description */
#else
      return description;
#endif
    default:
      return NULL;
  }
}

#if FAKE_VARIANT != FAKE_NO_PLUGIN_INFO
MURVA_SPI_EXPORT int GetPluginInfo(int index, char* buffer, int buffer_length) {
  if (index == 0) FakeEnter(FAKE_FAULT_INFO, "GetPluginInfo");
  const char* text = PluginText(index);
  if (text == NULL || buffer_length <= 0) return 0;
  size_t length = strlen(text);
  if (length > (size_t)buffer_length - 1) length = (size_t)buffer_length - 1;
  memcpy(buffer, text, length);
  buffer[length] = '\0';
  return (int)length;
}
#endif

#if FAKE_VARIANT != FAKE_EXTENDED
MURVA_SPI_EXPORT int IsSupported(const char* file_name, const void* data) {
  FakeEnter(FAKE_FAULT_SUPPORTED, "IsSupported");
  ++fake_log.is_supported_calls;
  strncpy(fake_log.last_file_name, file_name ? file_name : "", sizeof fake_log.last_file_name - 1);
  memcpy(fake_log.last_support_block, data, sizeof fake_log.last_support_block);
#if FAKE_VARIANT == FAKE_DECLINE
  return 0;
#else
  return memcmp(data, "MVTS", 4) == 0;
#endif
}
#endif

/* Width and height of an MVTS picture of length bytes; 0 when it is not
 * one. */
static inline int ParseHeader(const char* buffer, int32_t length, int* width, int* height) {
  if (length < 8 || memcmp(buffer, "MVTS", 4) != 0) return 0;
  const uint8_t* bytes = (const uint8_t*)buffer;
  *width = bytes[4] | bytes[5] << 8;
  *height = bytes[6] | bytes[7] << 8;
  return *width > 0 && *height > 0;
}

#if FAKE_VARIANT != FAKE_EXTENDED && FAKE_VARIANT != FAKE_ARCHIVE && \
    FAKE_VARIANT != FAKE_ARCHIVE_NO_GET_FILE
MURVA_SPI_EXPORT int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                    PictureInfo* info) {
  if (FakeEnter(FAKE_FAULT_PICTURE_INFO, "GetPictureInfo")) return kSpiOutOfMemory;
  ++fake_log.get_picture_info_calls;
  fake_log.last_info_length = length;
  int width, height;
  if (!ParseHeader(buffer, length, &width, &height)) return kSpiUnknownFormat;
  memset(info, 0, sizeof *info);
  info->left = 1;
  info->top = 2;
  info->width = width;
  info->height = height;
  info->xDensity = 72;
  info->yDensity = 96;
  info->colorDepth = 24;
#if FAKE_VARIANT == FAKE_INFO_TEXT
  static const char kText[] = "hello from the plug-in";
  info->info = MurvaLocalAlloc(sizeof kText);
  char* text = (char*)MurvaLocalLock(info->info);
  memcpy(text, kText, sizeof kText);
  MurvaLocalUnlock(info->info);
#endif
  return kSpiSuccess;
}
#endif

static inline void PutU16(uint8_t* at, uint16_t value) {
  at[0] = (uint8_t)value;
  at[1] = (uint8_t)(value >> 8);
}

static inline void PutU32(uint8_t* at, uint32_t value) {
  at[0] = (uint8_t)value;
  at[1] = (uint8_t)(value >> 8);
  at[2] = (uint8_t)(value >> 16);
  at[3] = (uint8_t)(value >> 24);
}

#if FAKE_VARIANT != FAKE_NO_GET_PICTURE && FAKE_VARIANT != FAKE_EXTENDED && \
    FAKE_VARIANT != FAKE_ARCHIVE && FAKE_VARIANT != FAKE_ARCHIVE_NO_GET_FILE
MURVA_SPI_EXPORT int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                                MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                                SpiProgressCallback progress, intptr_t user_value) {
  if (FakeEnter(FAKE_FAULT_PICTURE, "GetPicture")) return kSpiOutOfMemory;
  ++fake_log.get_picture_calls;
  fake_log.last_picture_length = length;
  fake_log.last_picture_flag = flag;
  memcpy(fake_log.last_picture_bytes, buffer, sizeof fake_log.last_picture_bytes);
  int width, height;
  if (!ParseHeader(buffer, length, &width, &height)) return kSpiUnknownFormat;

#if FAKE_VARIANT == FAKE_BAD_HANDLE
  *info_handle = 0x7ff00001u;
  *pixel_handle = 0x7ff00002u;
  return kSpiSuccess;
#endif

  int bits = 24;
  uint32_t colours = 0;  /* entries in the colour table */
  uint32_t clr_used = 0; /* what the header says */
#if FAKE_VARIANT == FAKE_FOUR_BIT
  bits = 4;
  colours = 16;
#elif FAKE_VARIANT == FAKE_EIGHT_BIT
  bits = 8;
  colours = 7;
  clr_used = 7;
#elif FAKE_VARIANT == FAKE_SHORT_INFO
  bits = 8;
  colours = 4;
  clr_used = 256; /* claims 256 entries, holds 4 */
#elif FAKE_VARIANT == FAKE_BAD_HEADER
  bits = 7;
#endif
  size_t stride = (((size_t)width * (size_t)bits + 31) / 32) * 4;
  size_t image_size = stride * (size_t)height;
  size_t pixel_block = image_size;
#if FAKE_VARIANT == FAKE_SHORT_PIXELS
  pixel_block = image_size - 1;
#endif
  MurvaLocalHandle info = MurvaLocalAlloc((uint32_t)(40 + 4 * colours));
  MurvaLocalHandle pixels = MurvaLocalAlloc((uint32_t)pixel_block);
  uint8_t* header = (uint8_t*)MurvaLocalLock(info);
  uint8_t* rows = (uint8_t*)MurvaLocalLock(pixels);
  int32_t stored_height = height;
#if FAKE_VARIANT == FAKE_TOP_DOWN
  stored_height = -height;
#endif
  PutU32(header, 40);
  PutU32(header + 4, (uint32_t)width);
  PutU32(header + 8, (uint32_t)stored_height);
  PutU16(header + 12, 1);
  PutU16(header + 14, (uint16_t)bits);
  PutU32(header + 20, (uint32_t)image_size);
  PutU32(header + 32, clr_used);
  for (uint32_t i = 0; i < colours; ++i) {
    uint8_t red = 0, green = 0, blue = 0;
#if FAKE_VARIANT == FAKE_FOUR_BIT
    FakeFourBitColour((int)i, &red, &green, &blue);
#else
    FakeEightBitColour((int)i, &red, &green, &blue);
#endif
    header[40 + 4 * i] = blue;
    header[40 + 4 * i + 1] = green;
    header[40 + 4 * i + 2] = red;
  }

  for (int y = 0; y < height; ++y) {
#if FAKE_VARIANT == FAKE_PROGRESS
    ++fake_log.progress_calls;
    if (progress != NULL && progress(y, height, user_value) != 0) {
      fake_log.progress_stopped = 1;
      MurvaLocalUnlock(info);
      MurvaLocalUnlock(pixels);
      MurvaLocalFree(info);
      MurvaLocalFree(pixels);
      return kSpiAborted;
    }
#endif
    /* Picture row y goes to the stored row that BMP order gives it. */
#if FAKE_VARIANT == FAKE_TOP_DOWN
    int stored_row = y;
#else
    int stored_row = height - 1 - y;
#endif
    if ((size_t)(stored_row + 1) * stride > pixel_block) continue;
    uint8_t* row = rows + (size_t)stored_row * stride;
    for (int x = 0; x < width; ++x) {
      if (bits == 24) {
        FakeRgb(x, y, &row[3 * x + 2], &row[3 * x + 1], &row[3 * x]);
      } else if (bits == 8) {
        row[x] = (uint8_t)FakeEightBitIndex(x, y);
      } else if (bits == 4) {
        uint8_t index = (uint8_t)FakeFourBitIndex(x, y);
        row[x / 2] |= (uint8_t)((x % 2 == 0) ? index << 4 : index);
      }
    }
  }
  MurvaLocalUnlock(info);
  MurvaLocalUnlock(pixels);
  *info_handle = info;
  *pixel_handle = pixels;
  return kSpiSuccess;
}
#endif

#if FAKE_VARIANT == FAKE_ARCHIVE || FAKE_VARIANT == FAKE_ARCHIVE_NO_GET_FILE
MURVA_SPI_EXPORT int GetArchiveInfo(const char* buffer, int32_t length, uint32_t flag,
                                    MurvaLocalHandle* archive_info_handle) {
  return kSpiNotImplemented;
}
MURVA_SPI_EXPORT int GetFileInfo(const char* buffer, int32_t length, const char* file_name,
                                 uint32_t flag, void* file_info) {
  return kSpiNotImplemented;
}
#if FAKE_VARIANT == FAKE_ARCHIVE
MURVA_SPI_EXPORT int GetFile(const char* source, int32_t length, char* dest, uint32_t flag,
                             SpiProgressCallback progress, intptr_t user_value) {
  return kSpiNotImplemented;
}
#endif
#endif
