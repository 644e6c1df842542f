// The preview of the shown wallpaper page: the picture a build of the page
// would write, drawn by the build's own drawing code onto a copy of the
// decoded background and scaled to fit the preview. It writes no file,
// installs nothing, starts nothing and shows no message: it works on copies
// of everything the drawing changes (the working copy, the calendar engine,
// the schedule list, the random source), so it can be drawn away from the
// window's thread.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "app/run_view.h"
#include "platform/monitor_layout.h"
#include "app/wallpaper_canvas.h"
#include "calendar/clock.h"
#include "calendar/listed_holidays.h"
#include "render/today_fields.h"
#include "schedule/schedule_list.h"
#include "settings/working_copy.h"

namespace murva {

class RunCycle;

// Everything the picture depends on, copied from the window.
struct PreviewScene {
  WorkingCopy copy;
  std::vector<std::string> holiday_lines;      // the engine's day lists
  std::vector<std::string> special_day_lines;
  std::shared_ptr<const ListedHolidays> listed_holidays;  // the imported official list
  bool system_holidays = true;
  ScheduleList schedules;
  TodayFields today;
  const Clock* clock = &SystemLocalClock();   // outlives the preview
  ScreenSize screen;
  std::filesystem::path program_folder;
  std::uint32_t random_seed = 1;  // the random forms stay still while the user edits
  // The monitor the picture is made for: its size and scale, the page's
  // positions mapped onto it as a build does; none: `screen` at scale 1, the
  // positions as they stand.
  std::optional<Monitor> monitor;
};

// The scene of the page shown in the window, for a screen of the given size.
PreviewScene PreviewSceneOf(RunCycle& cycle, ScreenSize screen);

struct PreviewPicture {
  QImage image;           // the wallpaper scaled to fit, 32 bits per pixel
  QSize wallpaper_size;   // the size a build would write
  QRect calendar_area;    // where the calendars land, in wallpaper pixels
  QRect schedule_area;    // where the schedule list lands (empty when none)
  PageLayout layout;      // the positions the picture was drawn with (on its monitor)
  std::vector<std::string> messages;  // what the drawing would have told the user

  bool IsNull() const { return image.isNull(); }
  // Picture pixels per wallpaper pixel, across and down.
  double ScaleX() const;
  double ScaleY() const;
};

// A composed wallpaper as the preview shows it: the colours the BMP writer
// keeps, scaled smoothly to fit inside `fit` with its proportions.
QImage ScaleForPreview(const WallpaperCanvas& wallpaper, QSize fit);

// Draws the scene on a copy of the decoded background and scales it to fit.
// Raises when the drawing fails (an unreadable external schedule file).
PreviewPicture DrawPreview(const PreviewScene& scene, const WallpaperCanvas& background, QSize fit);

// The scene at full size, one picture pixel per wallpaper pixel, in the
// colours the written file keeps. Raises as DrawPreview does.
QImage DrawFullSizePreview(const PreviewScene& scene, const WallpaperCanvas& background);

// Where a block dragged on the preview may go: `wanted` (its new position)
// moved just so far back that at least `grab` of the block (or the whole
// block, when it is smaller) stays on a wallpaper of size `wallpaper`, so
// that it can still be picked up. `area` is where the block lands with
// the position `drawn`; all in wallpaper pixels.
QPoint KeepGrabbable(const QRect& area, QPoint drawn, QPoint wanted, QSize wallpaper, QSize grab);

}  // namespace murva
