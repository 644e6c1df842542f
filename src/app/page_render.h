// The wallpaper one page gives on one day at one size, made from the stored
// settings and schedules of a program folder without a window, without a
// display and without writing anything: nothing is installed, no record
// (the day of the build, the page used, the last random page) is written,
// and the settings and schedule files are only read. The picture is the one
// an automatic run on that day would write for that page and screen size.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/run_view.h"
#include "app/wallpaper_canvas.h"
#include "calendar/clock.h"
#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva {

// The size made when none is asked for and the page does not know the size
// of the screen its positions were placed on.
inline constexpr ScreenSize kDefaultRenderSize{1920, 1080};

struct PageRenderRequest {
  std::filesystem::path program_folder;  // holds MURVA32.INI and MURVA32.SCH
  int page = 0;                          // 1..8; 0: the page of the day (PageOfDay)
  LocalDateTime moment;                  // the day (and time) the build stands on
  // The picture's size; {0, 0}: the size of the screen the page's positions
  // were placed on, else kDefaultRenderSize. The page is drawn as for a
  // monitor of this size at scale 1, its positions mapped onto it.
  ScreenSize size{0, 0};
};

struct PageRender {
  int page = 1;
  std::filesystem::path background;
  WallpaperCanvas canvas;                // the composed picture, with its output palette
  std::vector<std::string> messages;     // what the build would have told the user

  // The pixels a build writes to MURVA00.BMP.
  QImage Picture() const { return OutputPicture(canvas); }
};

// The page's background file is not set or not there. Its text is the
// build's own message naming the file.
class MissingBackgroundError : public std::runtime_error {
 public:
  MissingBackgroundError(const std::string& text, int page)
      : std::runtime_error(text), page_(page) {}
  int Page() const { return page_; }

 private:
  int page_;
};

// The page the page-choice mode gives on the day without choosing anew:
// BASIC page 1; WEEK the page of the weekday (page 1 when that page has no
// background); RANDOM and NewRANDOM the page of the last build (CalWalUsed),
// because a new random choice would differ at every call; page 1 when that
// is not a page.
int PageOfDay(const SettingsStore& store, const WorkingCopy& copy, const LocalDateTime& day);

// Composes the requested page. Raises MissingBackgroundError when the
// page's background is missing, and the reader's error when it cannot be
// read. Random calendar forms draw from a seed of the day, so the same
// day always gives the same picture. The picture formats of the process
// must be set up (InitializePictureFormats) for backgrounds other than BMP.
PageRender RenderPage(const PageRenderRequest& request);

}  // namespace murva
