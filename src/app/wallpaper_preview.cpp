#include "app/wallpaper_preview.h"

#include <algorithm>
#include <memory>

#include "app/calendar_collection.h"
#include "app/monitor_build.h"
#include "app/run_cycle.h"
#include "app/wallpaper_build.h"
#include "calendar/calendar_ex1.h"
#include "calendar/julius.h"
#include "calendar/random_source.h"
#include "render/calendar_drawing.h"
#include "render/extent_canvas.h"
#include "render/footprint_canvas.h"
#include "render/titles.h"
#include "schedule/schedule_drawing.h"
#include "settings/settings_store.h"

namespace murva {
namespace {

// A build host that shows nothing: the preview keeps the drawing's messages
// instead of opening message boxes while the user edits.
class QuietHost final : public SilentBuildHost {
 public:
  explicit QuietHost(std::vector<std::string>& messages) : messages_(messages) {}
  void ShowMessage(const std::string& text, MessageIcon) override { messages_.push_back(text); }

 private:
  std::vector<std::string>& messages_;
};

// An engine of its own with the window engine's day lists.
std::unique_ptr<TCalendarEx> EngineOf(const PreviewScene& scene) {
  std::unique_ptr<TCalendarEx> engine = MakeCalendarEx1(*scene.clock);
  engine->SetHolidayList(scene.holiday_lines);
  engine->SetSpecialDayList(scene.special_day_lines);
  engine->SetListedHolidays(scene.listed_holidays);
  engine->SetUsesSystemHolidays(scene.system_holidays);
  return engine;
}

// The colours the written file keeps: a canvas with a palette is written
// with its drawn texts reduced to that palette.
QImage WrittenPixels(const WallpaperCanvas& canvas) {
  if (canvas.palette.isEmpty()) return canvas.image;
  return canvas.image
      .convertToFormat(QImage::Format_Indexed8, canvas.palette, Qt::ThresholdDither | Qt::ColorOnly)
      .convertToFormat(QImage::Format_RGB32);
}

// Where the calendars and the schedule list land: the same drawing code on a
// canvas that only measures, with the same engine state and random numbers.
void FindAreas(const PreviewScene& scene, QSize size, PreviewPicture& picture) {
  ExtentCanvas extent(size.width(), size.height());
  const std::unique_ptr<TCalendarEx> engine = EngineOf(scene);
  const LocalDateTime now = scene.clock->Now();
  engine->SetJuliusDay(DateToJulius(now.year, static_cast<std::uint8_t>(now.month),
                                    static_cast<std::uint8_t>(now.day)));
  SeededRandom random(scene.random_seed);
  // The titles only for the boxes the schedule list keeps clear of.
  FootprintCanvas drawn(extent);
  if (scene.copy.titles_on) DrawTitles(drawn, scene.copy, scene.today, *scene.clock);
  extent.Clear();
  DrawCalendars(drawn, *engine, scene.copy, scene.today, random, [](const std::string&) {});
  picture.calendar_area = extent.Extent();
  if (scene.copy.schedule_range > 0) {
    extent.Clear();
    ScheduleList entries = scene.schedules;
    DrawSchedule(extent, entries, scene.copy, scene.today, *scene.clock, scene.program_folder,
                 CalendarsForBuild(scene.copy, scene.program_folder, scene.today).lines,
                 drawn.Boxes());
    picture.schedule_area = extent.Extent();
  }
}

}  // namespace

PreviewScene PreviewSceneOf(RunCycle& cycle, ScreenSize screen) {
  PreviewScene scene;
  scene.copy = cycle.Copy();
  scene.holiday_lines = cycle.Engine().HolidayList();
  scene.special_day_lines = cycle.Engine().SpecialDayList();
  scene.listed_holidays = cycle.Engine().ListedHolidayList();
  scene.system_holidays = cycle.Engine().UsesSystemHolidays();
  scene.schedules = cycle.Schedules();
  scene.today = cycle.State().today;
  scene.clock = &cycle.Engine().ClockSource();
  scene.screen = screen;
  scene.program_folder = cycle.State().program_folder;
  return scene;
}

double PreviewPicture::ScaleX() const {
  return wallpaper_size.width() > 0 ? double(image.width()) / wallpaper_size.width() : 0.0;
}

double PreviewPicture::ScaleY() const {
  return wallpaper_size.height() > 0 ? double(image.height()) / wallpaper_size.height() : 0.0;
}

QImage ScaleForPreview(const WallpaperCanvas& wallpaper, QSize fit) {
  if (wallpaper.IsEmpty() || fit.isEmpty()) return {};
  return WrittenPixels(wallpaper)
      .scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

namespace {

// The scene as a build makes it for its monitor: the page's positions
// mapped onto the monitor, text at its scale when asked for, at its size.
PreviewScene OnItsMonitor(const PreviewScene& shown) {
  if (!shown.monitor) return shown;
  PreviewScene scene = shown;
  const SettingsStore no_store{std::filesystem::path()};
  const std::unique_ptr<TCalendarEx> engine = EngineOf(scene);
  ScheduleList entries = scene.schedules;
  SeededRandom random(scene.random_seed);
  scene.screen = {shown.monitor->pixel_width, shown.monitor->pixel_height};
  const BuildInputs inputs{shown.copy,   no_store, *engine, entries,      scene.today,
                           *scene.clock, random,   nullptr, scene.screen, scene.program_folder};
  scene.copy = CopyForMonitor(shown.copy, *shown.monitor, inputs);
  scene.monitor.reset();
  return scene;
}

// The scene drawn on a copy of the background.
WallpaperCanvas DrawScene(const PreviewScene& scene, const WallpaperCanvas& background,
                          std::vector<std::string>& messages) {
  // Nothing here is ever written: the store has no file behind it and there
  // is no installer.
  const SettingsStore no_store{std::filesystem::path()};
  const std::unique_ptr<TCalendarEx> engine = EngineOf(scene);
  ScheduleList entries = scene.schedules;
  SeededRandom random(scene.random_seed);
  QuietHost host(messages);
  const BuildInputs inputs{scene.copy, no_store, *engine,  entries,      scene.today,
                           *scene.clock, random, nullptr, scene.screen, scene.program_folder};
  WallpaperCanvas canvas = background;  // shares the pixels until the drawing starts
  DrawWallpaper(canvas, inputs, host);
  return canvas;
}

}  // namespace

PreviewPicture DrawPreview(const PreviewScene& shown, const WallpaperCanvas& background, QSize fit) {
  const PreviewScene scene = OnItsMonitor(shown);
  PreviewPicture picture;
  picture.layout = scene.copy.layout;
  const WallpaperCanvas canvas = DrawScene(scene, background, picture.messages);
  picture.wallpaper_size = canvas.image.size();
  picture.image = ScaleForPreview(canvas, fit);
  FindAreas(scene, picture.wallpaper_size, picture);
  return picture;
}

QImage DrawFullSizePreview(const PreviewScene& shown, const WallpaperCanvas& background) {
  const PreviewScene scene = OnItsMonitor(shown);
  std::vector<std::string> messages;
  const WallpaperCanvas canvas = DrawScene(scene, background, messages);
  if (canvas.IsEmpty()) return {};
  return WrittenPixels(canvas).convertToFormat(QImage::Format_RGB32);
}

namespace {

// One axis of KeepGrabbable: the block [start, start + length) drawn at
// `drawn` goes to `wanted` on an axis of `extent` pixels.
int KeepOnAxis(int start, int length, int drawn, int wanted, int extent, int grab) {
  if (length <= 0 || extent <= 0) return wanted;
  const int keep = std::min({grab, length, extent});
  // The block's near edge may come no closer to the far end than `keep`,
  // and its far edge no closer to the near end.
  const int highest = drawn + extent - keep - start;
  const int lowest = drawn + keep - (start + length);
  return std::clamp(wanted, std::min(lowest, highest), highest);
}

}  // namespace

QPoint KeepGrabbable(const QRect& area, QPoint drawn, QPoint wanted, QSize wallpaper, QSize grab) {
  if (area.isEmpty()) return wanted;
  return {KeepOnAxis(area.left(), area.width(), drawn.x(), wanted.x(), wallpaper.width(),
                     grab.width()),
          KeepOnAxis(area.top(), area.height(), drawn.y(), wanted.y(), wallpaper.height(),
                     grab.height())};
}

}  // namespace murva
