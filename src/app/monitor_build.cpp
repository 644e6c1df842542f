#include "app/monitor_build.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <stdexcept>

#include "app/background_file.h"
#include "app/monitor_pages.h"
#include "app/position_mapping.h"
#include "calendar/julius.h"
#include "calendar/random_source.h"
#include "render/calendar_drawing.h"
#include "render/extent_canvas.h"
#include "render/titles.h"
#include "schedule/schedule_drawing.h"
#include "settings/setting_keys.h"

namespace murva {
namespace {

// A connector name as a part of a file name.
std::string FilePart(const Monitor& monitor) {
  std::string part;
  for (const char c : monitor.name) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    part += plain ? c : '_';
  }
  if (part.empty()) {
    part = "at" + std::to_string(monitor.desktop.x) + "_" + std::to_string(monitor.desktop.y);
  }
  return part;
}

std::optional<ItemSpan> SpanAlong(const QRect& box, int position, bool across) {
  if (box.isEmpty()) return std::nullopt;
  return across ? ItemSpan{box.left() - position, box.width()}
                : ItemSpan{box.top() - position, box.height()};
}

// Where the page's items land on the monitor before their positions are
// mapped: the drawing code on a canvas that only measures.
ItemBoxes MeasureItems(const WorkingCopy& copy, const BuildInputs& inputs, int width, int height) {
  ItemBoxes boxes;
  ExtentCanvas extent(width, height);
  const LocalDateTime now = inputs.clock.Now();
  inputs.engine.SetJuliusDay(DateToJulius(now.year, static_cast<std::uint8_t>(now.month),
                                          static_cast<std::uint8_t>(now.day)));
  // Numbers of its own, so that measuring leaves the build's random forms as
  // they would be without it.
  SeededRandom random(1);
  DrawCalendars(extent, inputs.engine, copy, inputs.today, random, [](const std::string&) {});
  boxes.calendar_x = SpanAlong(extent.Extent(), copy.layout.calendar_x, true);
  boxes.calendar_y = SpanAlong(extent.Extent(), copy.layout.calendar_y, false);
  if (copy.schedule_range > 0) {
    extent.Clear();
    ScheduleList entries = inputs.schedules;
    try {
      DrawSchedule(extent, entries, copy, inputs.today, inputs.clock, inputs.program_folder);
      boxes.schedule_x = SpanAlong(extent.Extent(), copy.layout.schedule_x, true);
      boxes.schedule_y = SpanAlong(extent.Extent(), copy.layout.schedule_y, false);
    } catch (const std::exception&) {
      // The build itself says what is wrong with the schedules.
    }
  }
  if (copy.titles_on) {
    extent.Clear();
    DrawTitles(extent, copy, inputs.today, inputs.clock);
    boxes.title_x = SpanAlong(extent.Extent(), copy.title_x, true);
    boxes.title_y = SpanAlong(extent.Extent(), copy.title_y, false);
  }
  return boxes;
}

bool MapsOnto(const ScreenReference& from, const ScreenReference& to, bool scale_text) {
  if (!from.Known()) return false;
  return from.width != to.width || from.height != to.height ||
         DistanceFactor(from, to, scale_text) != 1.0;
}

// The stored copy of another page than the one shown.
WorkingCopy PageCopy(const BuildInputs& inputs, int page) {
  if (page == inputs.copy.wallpaper_page) return inputs.copy;
  WorkingCopy copy = inputs.copy;
  copy.wallpaper_page = page;
  inputs.store.LoadPageSettings(copy);
  return copy;
}

BuildInputs InputsWith(const BuildInputs& inputs, const WorkingCopy& copy, ScreenSize screen) {
  return BuildInputs{copy,          inputs.store,  inputs.engine,    inputs.schedules,
                     inputs.today,  inputs.clock,  inputs.random,    inputs.installer,
                     screen,        inputs.program_folder};
}

}  // namespace

std::filesystem::path MonitorOutputPath(const std::filesystem::path& primary_output,
                                        const Monitor& monitor) {
  if (monitor.primary) return primary_output;
  return primary_output.parent_path() / ("MURVA00-" + FilePart(monitor) + ".BMP");
}

ScreenReference ReferenceOf(const Monitor& monitor) {
  return ScreenReference{monitor.pixel_width, monitor.pixel_height,
                         static_cast<int>(std::lround(monitor.scale * 100))};
}

WorkingCopy CopyForMonitor(const WorkingCopy& page_copy, const Monitor& monitor,
                           const BuildInputs& inputs) {
  WorkingCopy copy = page_copy;
  const ScreenReference target = ReferenceOf(monitor);
  if (copy.fit_text_to_scale) ScaleTextAndPitch(copy, monitor.scale);
  const bool layout_moves = MapsOnto(copy.layout.screen, target, copy.fit_text_to_scale);
  const bool title_moves =
      copy.titles_on && MapsOnto(copy.title_screen, target, copy.fit_text_to_scale);
  if (!layout_moves && !title_moves) return copy;
  const ItemBoxes boxes = MeasureItems(copy, inputs, target.width, target.height);
  if (layout_moves) copy.layout = MapLayout(copy.layout, target, copy.fit_text_to_scale, boxes);
  if (title_moves) MapTitlePosition(copy, target, boxes);
  return copy;
}

WallpaperCanvas ComposeForMonitor(const BuildInputs& inputs, const Monitor& monitor,
                                  const std::filesystem::path& background, BuildHost& host) {
  const WorkingCopy copy = CopyForMonitor(inputs.copy, monitor, inputs);
  return ComposeWallpaper(InputsWith(inputs, copy, {monitor.pixel_width, monitor.pixel_height}),
                          background, host);
}

MonitorBuildOutcome BuildMonitorWallpapers(const BuildInputs& inputs,
                                           const MonitorLayout& found, BuildHost& host) {
  MonitorBuildOutcome outcome;
  host.Repaint();
  MonitorLayout monitors = MonitorsOrScreen(found, inputs.screen.width, inputs.screen.height);
  if (std::none_of(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; })) {
    monitors.front().primary = true;
  }
  const std::vector<int> pages =
      PagesOfMonitors(monitors, inputs.copy.monitor_pages, inputs.copy.wallpaper_page);

  // Each page's background is read once, for all the monitors that show it.
  std::map<int, WorkingCopy> page_copies;
  std::map<int, WallpaperCanvas> backgrounds;
  std::filesystem::path primary_output;
  std::vector<WallpaperCanvas> canvases(monitors.size());
  std::vector<bool> built(monitors.size(), false);
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const int page = pages[i];
    if (!page_copies.count(page)) page_copies.emplace(page, PageCopy(inputs, page));
    const WorkingCopy& page_copy = page_copies.at(page);
    const std::filesystem::path background = page_copy.ActivePage().path;
    std::error_code error;
    if (background.empty() || !std::filesystem::is_regular_file(background, error)) {
      if (!outcome.missing_background || page == inputs.copy.wallpaper_page) {
        host.ShowMessage(MissingWallpaperText(background.string(), page), MessageIcon::kWarning);
      }
      outcome.missing_background = true;
      continue;
    }
    if (!backgrounds.count(page)) {
      backgrounds.emplace(page, LoadBackgroundFile(background, page_copy.color_256));
    }
    const WorkingCopy copy = CopyForMonitor(page_copy, monitors[i], inputs);
    canvases[i] = backgrounds.at(page);
    DrawWallpaper(canvases[i],
                  InputsWith(inputs, copy, {monitors[i].pixel_width, monitors[i].pixel_height}),
                  host);
    built[i] = true;
    if (monitors[i].primary) {
      primary_output = OutputPathFor(page_copy, background, inputs.program_folder);
      outcome.primary_page = page;
    }
  }
  if (outcome.missing_background && outcome.primary_page == 0) {
    // The day's page cannot be built: as a single build, the close button's
    // action follows the message and nothing is written.
    host.CloseButtonAction();
    return outcome;
  }
  backgrounds.clear();

  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (!built[i]) continue;
    const std::filesystem::path file = MonitorOutputPath(primary_output, monitors[i]);
    const QImage picture = OutputPicture(canvases[i]);
    canvases[i].Clear();
    if (!WriteBmpFile(picture, file)) throw OutputWriteError(file);
    outcome.wallpapers.push_back({monitors[i], file, picture});
  }
  inputs.store.WriteRecord(inputs.copy, KeyName(keys::kCalWalUsed),
                           std::to_string(outcome.primary_page));

  if (!inputs.copy.make_only && inputs.installer) {
    outcome.installed = inputs.installer->InstallMonitors(outcome.wallpapers, outcome.install_error);
    if (!outcome.installed) {
      std::cerr << "murva32: the wallpaper was written to " << primary_output.string()
                << " but could not be installed (" << inputs.installer->Name()
                << "): " << outcome.install_error << '\n';
    }
  }
  return outcome;
}

}  // namespace murva
