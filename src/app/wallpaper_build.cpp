#include "app/wallpaper_build.h"

#include <cstring>
#include <iostream>
#include <stdexcept>

#include "app/background_file.h"
#include "app/calendar_collection.h"
#include "app/messages.h"
#include "calendar/julius.h"
#include "calendar/split_text.h"
#include "imaging/picture_loader.h"
#include "platform/process_launcher.h"
#include "render/calendar_drawing.h"
#include "render/footprint_canvas.h"
#include "render/qt_canvas.h"
#include "render/titles.h"
#include "schedule/malformed_entry.h"
#include "schedule/schedule_drawing.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_options.h"
#include "settings/setting_keys.h"

namespace murva {
namespace {


class SpecialProgramError : public std::runtime_error {
 public:
  explicit SpecialProgramError(int code)
      : std::runtime_error(std::string(text::kSpecialProgramError) + std::to_string(code)) {}
};

// Whole-number value of a field, or nullopt.
std::optional<int> FieldNumber(const std::string& field) {
  if (field.empty()) return std::nullopt;
  size_t position = 0;
  try {
    const int value = std::stoi(field, &position);
    if (position != field.size()) return std::nullopt;
    return value;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The schedule list; a line that stops the expansion is named with its file
// and its line number there, so that it can be found and corrected.
void DrawScheduleNamingBadLines(Canvas& canvas, const BuildInputs& inputs,
                                const std::vector<DatedLine>& calendar_lines,
                                std::vector<TextBox> others) {
  try {
    DrawSchedule(canvas, inputs.schedules, inputs.copy, inputs.today, inputs.clock,
                 inputs.program_folder, calendar_lines, others);
  } catch (const std::exception& error) {
    const ScheduleOptions options = ScheduleOptionsOf(inputs.copy);
    const std::optional<MalformedEntry> entry =
        FindMalformedEntry(inputs.schedules, options, inputs.today, inputs.clock, error.what());
    if (!entry) throw;
    throw std::runtime_error(MalformedEntryMessage(
        error.what(), *entry, ScheduleFilePath(inputs.program_folder), options.external_path));
  }
}

}  // namespace

void BuildHost::Remark(const std::string& text) { std::cerr << "murva32: " << text << '\n'; }

WallpaperCanvas LoadWallpaperBackground(const std::filesystem::path& path, int color_256) {
  switch (color_256) {
    case 1: {
      // Only BMP files; drawn in 24 bits so text colours stay exact.
      WallpaperCanvas canvas;
      canvas.image = LoadBmpOnly(path).convertToFormat(QImage::Format_RGB32);
      return canvas;
    }
    case 2: {
      WallpaperCanvas canvas = CanvasOf(LoadPicture(path));
      ConvertToHalftone(canvas);
      return canvas;
    }
    default:
      return CanvasOf(LoadPicture(path));
  }
}

std::filesystem::path OutputPathFor(const WorkingCopy& copy,
                                    const std::filesystem::path& background,
                                    const std::filesystem::path& program_folder) {
  if (copy.output_folder == 0) return background.parent_path() / kOutputFileName;
  return program_folder / kOutputFileName;
}

std::optional<std::filesystem::path> BuildWallpaper(const BuildInputs& inputs, BuildHost& host) {
  host.Repaint();

  // Steps 2-3: the background of the shown page must exist.
  const std::filesystem::path background = inputs.copy.ActivePage().path;
  std::error_code error;
  if (background.empty() || !std::filesystem::is_regular_file(background, error)) {
    host.ShowMessage(MissingWallpaperText(background.string(), inputs.copy.wallpaper_page),
                     MessageIcon::kWarning);
    host.CloseButtonAction();
    return std::nullopt;
  }
  // The canvas lives only in this call, so it is released also when a step
  // raises.
  const WallpaperCanvas canvas = ComposeWallpaper(inputs, background, host);
  return WriteAndInstallWallpaper(inputs, background, canvas);
}

WallpaperCanvas ComposeWallpaper(const BuildInputs& inputs,
                                 const std::filesystem::path& background, BuildHost& host) {
  // Step 4: the background.
  WallpaperCanvas canvas = LoadBackgroundFile(background, inputs.copy.color_256);
  DrawWallpaper(canvas, inputs, host);
  return canvas;
}

void DrawWallpaper(WallpaperCanvas& canvas, const BuildInputs& inputs, BuildHost& host) {
  const WorkingCopy& copy = inputs.copy;
  // Step 5: the picture takes the screen's exact size, tiled or centred, so
  // that the desktop shows it 1:1 and never crops the calendar away.
  FitBackground(canvas, inputs.screen, copy.tile, copy.color_256 == 2);

  {
    // The painter ends before the caller takes the canvas.
    QtCanvas picture(canvas.image);
    // The titles and calendars leave their boxes, which the schedule list
    // keeps clear of.
    FootprintCanvas drawing(picture);
    // Step 7: titles.
    if (copy.titles_on) DrawTitles(drawing, copy, inputs.today, inputs.clock);
    // The calendar sources: lines for the schedule list, days for the
    // month calendars; a source that cannot be read is named and left out.
    const CalendarContribution calendars =
        CalendarsForBuild(copy, inputs.program_folder, inputs.today);
    for (const std::string& problem : calendars.problems) host.Remark(problem);
    inputs.engine.SetCalendarDays(calendars.holidays, calendars.special_days);
    // Steps 8-10: the engine stands on the current date, then the calendars
    // are drawn (dates in the short "yy/mm/dd" form from here on).
    const LocalDateTime now = inputs.clock.Now();
    inputs.engine.SetJuliusDay(
        DateToJulius(now.year, static_cast<std::uint8_t>(now.month), static_cast<std::uint8_t>(now.day)));
    DrawCalendars(drawing, inputs.engine, copy, inputs.today, inputs.random,
                  [&host](const std::string& message) {
                    host.ShowMessage(message, MessageIcon::kWarning);
                  });
    // Step 11: the schedule list.
    if (copy.schedule_range > 0) {
      DrawScheduleNamingBadLines(drawing, inputs, calendars.lines, drawing.Boxes());
    }
  }
}

std::filesystem::path WriteAndInstallWallpaper(const BuildInputs& inputs,
                                               const std::filesystem::path& background,
                                               const WallpaperCanvas& canvas) {
  const WorkingCopy& copy = inputs.copy;
  // Steps 12-13: the output file.
  const std::filesystem::path output = OutputPathFor(copy, background, inputs.program_folder);
  // The picture is written and installed from memory; the file is read
  // again only by desktops that are handed a copy of it.
  const QImage picture = OutputPicture(canvas);
  if (!WriteBmpFile(picture, output)) throw OutputWriteError(output);

  // Step 14: the page used, shown at the next start.
  inputs.store.WriteRecord(copy, KeyName(keys::kCalWalUsed), std::to_string(copy.wallpaper_page));

  // Step 15: install. The result does not stop anything, but a user should be
  // able to find out why the desktop did not change.
  if (!copy.make_only && inputs.installer) {
    std::string install_error;
    if (!inputs.installer->InstallPicture(output, picture, install_error)) {
      std::cerr << "murva32: the wallpaper was written to " << output.string()
                << " but could not be installed (" << inputs.installer->Name()
                << "): " << install_error << '\n';
    }
  }
  return output;
}

bool IsSpecialDayToday(const TCalendarEx& engine, const TodayFields& today) {
  for (const std::string& line : engine.SpecialDayList()) {
    std::vector<std::string> fields;
    SplitText(line, fields, ',');
    if (fields.size() < 4) continue;
    if (FieldNumber(fields[2]) == today.month && FieldNumber(fields[3]) == today.day) return true;
  }
  return false;
}

void LaunchSpecialProgram(const WorkingCopy& copy, const TCalendarEx& engine,
                          const TodayFields& today, bool built_today, bool test_run,
                          ProcessLauncher& launcher) {
  if (!copy.use_special_program) return;
  if (!IsSpecialDayToday(engine, today)) return;
  if (built_today && !test_run) return;
  if (copy.special_program.empty()) return;
  // The program starts in its own folder.
  const std::vector<std::string> words = SplitCommandLine(copy.special_program);
  std::filesystem::path folder;
  if (!words.empty()) folder = std::filesystem::path(words.front()).parent_path();
  const int code = launcher.Start(copy.special_program, folder);
  if (code != 0) throw SpecialProgramError(code);
}

}  // namespace murva
