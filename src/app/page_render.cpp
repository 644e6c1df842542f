#include "app/page_render.h"

#include <algorithm>
#include <memory>

#include "app/background_file.h"
#include "app/imported_holidays.h"
#include "app/monitor_build.h"
#include "app/page_choice.h"
#include "app/wallpaper_build.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"
#include "calendar/julius.h"
#include "calendar/random_source.h"
#include "render/set_today_fields.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_list.h"
#include "settings/setting_keys.h"

namespace murva {
namespace {

// Keeps what the loading and the drawing would have shown; places no
// window and closes nothing.
class CollectingHost final : public SettingsHost, public BuildHost {
 public:
  explicit CollectingHost(std::vector<std::string>& messages) : messages_(messages) {}
  void ShowMessage(const std::string& text) override { messages_.push_back(text); }
  void ShowMessage(const std::string& text, MessageIcon) override { messages_.push_back(text); }
  void PlaceMainWindow(int, int) override {}
  void ShowModeIndicator() override {}
  void Repaint() override {}
  void CloseButtonAction() override {}

 private:
  std::vector<std::string>& messages_;
};

std::int32_t JuliusOf(const LocalDateTime& moment) {
  return DateToJulius(moment.year, moment.month, moment.day);
}

}  // namespace

int PageOfDay(const SettingsStore& store, const WorkingCopy& copy, const LocalDateTime& day) {
  switch (copy.page_choice_mode) {
    case kModeWeek: {
      StoredPaths paths;
      for (int n = 1; n <= kPageCount; ++n) {
        paths[n - 1] = store.ReadRecord(copy, KeyName(keys::kEditPathW, n));
      }
      return ChooseWeekdayPage(JuliusToWeekday(JuliusOf(day)), copy.weekday_pages, paths);
    }
    case kModeRandom:
    case kModeNewRandom: {
      const int last = store.ReadRecordInt(copy, KeyName(keys::kCalWalUsed), 1);
      return last >= 1 && last <= kPageCount ? last : 1;
    }
    default:
      return 1;
  }
}

PageRender RenderPage(const PageRenderRequest& request) {
  PageRender render;
  CollectingHost host(render.messages);

  // The engine and today's fields stand on the requested day, as at the
  // start of an automatic run on that day.
  const FixedClock clock(request.moment);
  const std::unique_ptr<TCalendarEx> engine = MakeCalendarEx1(clock);
  const TodayFields today = SetTodayFields(*engine);

  // The settings as an automatic run loads them, then the page's own.
  const SettingsStore store(request.program_folder / "MURVA32.INI");
  WorkingCopy copy;
  if (store.FileExists()) {
    store.LoadSetChoice(copy);
    store.LoadGeneralSettings(copy, today.TodayText(), host);
  } else if (const std::string problem = store.ReadProblemMessage(); !problem.empty()) {
    render.messages.push_back(problem);
  }
  // The title position ranges over the screen it was placed on (the
  // picture's, when that is not known); the layout bars start afresh.
  const ScreenReference title_screen = copy.title_screen;
  if (title_screen.Known()) {
    SettingsStore::InitControlState(copy, title_screen.width, title_screen.height);
  } else {
    SettingsStore::InitControlState(copy, kMaxScreenCoordinate, kMaxScreenCoordinate);
  }
  copy.wallpaper_page =
      request.page >= 1 && request.page <= kPageCount ? request.page : PageOfDay(store, copy, request.moment);
  store.LoadPageSettings(copy);
  // The page's own screen gives the size when none is asked for; positions
  // placed before screens were recorded stand on the picture's size.
  ScreenSize size = request.size;
  if (size.width <= 0 || size.height <= 0) {
    size = copy.layout.screen.Known() ? ScreenSize{copy.layout.screen.width, copy.layout.screen.height}
                                      : kDefaultRenderSize;
  }
  Monitor monitor;
  monitor.desktop = {0, 0, size.width, size.height};
  monitor.pixel_width = size.width;
  monitor.pixel_height = size.height;
  monitor.primary = true;
  const ScreenReference picture = ReferenceOf(monitor);
  if (!copy.layout.screen.Known()) copy.layout.screen = picture;
  if (!copy.title_screen.Known()) {
    copy.title_screen = picture;
    copy.title_x = std::min(copy.title_x, picture.width);
    copy.title_y = std::min(copy.title_y, picture.height);
  }
  store.LoadDayGrids(copy);
  LoadHolidayLines(*engine, copy.holiday_grid, copy.holiday_method, today.year, today.month);
  ApplyImportedHolidays(*engine, request.program_folder);
  LoadSpecialDayLines(*engine, copy.special_grid, today.year, today.month);
  ScheduleList schedules;
  LoadScheduleFile(request.program_folder / "MURVA32.SCH", schedules);

  render.page = copy.wallpaper_page;
  render.background = copy.ActivePage().path;
  std::error_code error;
  if (render.background.empty() || !std::filesystem::is_regular_file(render.background, error)) {
    throw MissingBackgroundError(MissingWallpaperText(render.background.string(), render.page),
                                 render.page);
  }

  // The random forms draw the same picture for the same day.
  SeededRandom random(static_cast<std::uint32_t>(JuliusOf(request.moment)));
  const BuildInputs inputs{copy,  store,  *engine, schedules, today,
                           clock, random, nullptr, size,      request.program_folder};
  render.canvas = ComposeForMonitor(inputs, monitor, render.background, host);
  return render;
}

}  // namespace murva
