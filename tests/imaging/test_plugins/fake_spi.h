/*
 * fake_spi.h - the test plug-ins: one source built once per behaviour, each
 * reading the tiny "MVTS" test format (the bytes "MVTS", then width and
 * height as little-endian 16-bit numbers) and drawing a fixed pattern.
 * Shared by the plug-ins (C) and the tests (C++).
 */
#ifndef MURVA_TEST_FAKE_SPI_H
#define MURVA_TEST_FAKE_SPI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The behaviours, one plug-in each (FAKE_VARIANT of the build). */
#define FAKE_BASIC 1                /* "00IN", "*.mvt", 24-bit bottom-up */
#define FAKE_NO_GET_PICTURE 2       /* "00IN" without GetPicture */
#define FAKE_UNKNOWN_VERSION 3      /* API version "99ZZ" */
#define FAKE_DECLINE 4              /* IsSupported always 0 */
#define FAKE_PROGRESS 5             /* reports every row, stops when asked */
#define FAKE_SHORT_INFO 6           /* information block shorter than its header says */
#define FAKE_SHORT_PIXELS 7         /* pixel block shorter than its header says */
#define FAKE_FOUR_BIT 8             /* 4-bit picture, biClrUsed 0 */
#define FAKE_EIGHT_BIT 9            /* 8-bit picture with a 7-colour palette */
#define FAKE_TOP_DOWN 10            /* 24-bit, negative biHeight */
#define FAKE_THREE_PATTERNS 11      /* filter "*.aaa;*.bbb;*.ccc" */
#define FAKE_TWO_PATTERNS 12        /* filter "*.one;*.two" */
#define FAKE_CLAIMS_BMP 13          /* filter "*.bmp" */
#define FAKE_EXTENDED 14            /* "00XN", only GetPluginInfo */
#define FAKE_ARCHIVE 15             /* "00AM" with every archive entry point */
#define FAKE_ARCHIVE_NO_GET_FILE 16 /* "00AM" without GetFile */
#define FAKE_NO_PLUGIN_INFO 17      /* no GetPluginInfo at all */
#define FAKE_HALF_FILTER 18         /* answers index 2 but not 3 */
#define FAKE_INFO_TEXT 19           /* GetPictureInfo hands back an info text */
#define FAKE_BAD_HANDLE 20          /* GetPicture succeeds with handles that are not live */
#define FAKE_BAD_HEADER 21          /* a header the BMP reader refuses (bit count 7) */
#define FAKE_MISSING_SYMBOL 22      /* needs a function no host offers: cannot load */
#define FAKE_OTHER_FILTER 23        /* "00IN", "*.mvt", second basic reader */

/* Misbehaving builds: FAKE_FAULT_ENTRY says where the plug-in fails
 * (otherwise it reads MVTS as FAKE_BASIC does), FAKE_FAULT_KIND how. */
#define FAKE_FAULT_LOAD 1          /* while it is loaded (a constructor) */
#define FAKE_FAULT_INFO 2          /* GetPluginInfo */
#define FAKE_FAULT_SUPPORTED 3     /* IsSupported */
#define FAKE_FAULT_PICTURE_INFO 4  /* GetPictureInfo */
#define FAKE_FAULT_PICTURE 5       /* GetPicture */
#define FAKE_FAULT_EVERY 9         /* in every entry point, the load included */
#define FAKE_FAULT_CRASH 1         /* a write through a null pointer (SIGSEGV) */
#define FAKE_FAULT_ABORT 2         /* abort() (SIGABRT) */
#define FAKE_FAULT_HANG 3          /* waits for ever */
/* Hostile builds: they go on as FAKE_BASIC after what they do. */
#define FAKE_FAULT_FORK 4          /* forks a child that waits for ever */
#define FAKE_FAULT_DAEMON 5        /* starts a daemon (fork, setsid, fork) that waits for ever */
#define FAKE_FAULT_FORK_CRASH 6    /* forks a child that waits for ever, then crashes */
#define FAKE_FAULT_HUGE 7          /* asks for 20 GB; answers kSpiOutOfMemory when refused */

/* Every build appends a line "<name> <entry>" to the file named by the
 * environment variable MURVA_FAKE_TRACE (when set) as each entry point is
 * entered, "load" included, so that a test can tell what ran in another
 * process. The forking builds append the id of each process they leave
 * behind to the file named by MURVA_FAKE_PIDS (before the entry point
 * returns), print "<name> <entry> forked <pid>" on standard output and, at
 * the load, a line with an escape sequence and a line of 3000 "x" on
 * standard error. */

typedef struct FakeCallLog {
  int is_supported_calls;
  int get_picture_info_calls;
  int get_picture_calls;
  char last_file_name[256];
  uint8_t last_support_block[2048]; /* the bytes IsSupported was given */
  int32_t last_info_length;
  int32_t last_picture_length;
  uint32_t last_picture_flag;
  uint8_t last_picture_bytes[16]; /* the first bytes GetPicture was given */
  int progress_calls;
  int progress_stopped;
} FakeCallLog;

/* Exported by every test plug-in as "FakeLog". */
typedef FakeCallLog* (*FakeLogFn)(void);

/* The pattern pictures. */
static inline void FakeRgb(int x, int y, uint8_t* red, uint8_t* green, uint8_t* blue) {
  *red = (uint8_t)(x * 37 + y * 11);
  *green = (uint8_t)(y * 53 + 7);
  *blue = (uint8_t)((x + y) * 29);
}

static inline int FakeFourBitIndex(int x, int y) { return (x + 3 * y) % 16; }
static inline void FakeFourBitColour(int i, uint8_t* red, uint8_t* green, uint8_t* blue) {
  *red = (uint8_t)(i * 16);
  *green = (uint8_t)(255 - i * 16);
  *blue = (uint8_t)(100 + i);
}

static inline int FakeEightBitIndex(int x, int y) { return (x + 2 * y) % 7; }
static inline void FakeEightBitColour(int i, uint8_t* red, uint8_t* green, uint8_t* blue) {
  *red = (uint8_t)(i * 30);
  *green = (uint8_t)(200 - i * 25);
  *blue = (uint8_t)(i * 10 + 5);
}

#ifdef __cplusplus
}
#endif

#endif
