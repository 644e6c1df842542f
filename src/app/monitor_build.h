// The wallpaper of every monitor: each monitor gets a picture of its own
// physical pixel size, of the day's page or of a page of its own, with the
// page's positions mapped onto it and, when text follows the scale, its
// fonts and pitch scaled. The primary monitor's picture is MURVA00.BMP as
// ever; the others' lie beside it as MURVA00-<connector>.BMP.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/wallpaper_build.h"
#include "platform/monitor_layout.h"
#include "platform/wallpaper_installer.h"

namespace murva {

// What a build of all monitors did.
struct MonitorBuildOutcome {
  std::vector<MonitorWallpaper> wallpapers;  // written, in the layout's order
  int primary_page = 0;                      // the page the primary monitor shows
  bool missing_background = false;          // a page's background was missing
  bool installed = false;                    // the desktop took them
  std::string install_error;                 // why it did not
  bool Written() const { return !wallpapers.empty() && !missing_background; }
};

// The file of a monitor's picture beside the primary's output file.
std::filesystem::path MonitorOutputPath(const std::filesystem::path& primary_output,
                                        const Monitor& monitor);

// The working copy a monitor's picture is drawn from: the page's copy with
// its positions (and the title's) mapped onto the monitor and, when text
// follows the scale, fonts and pitch scaled. Items are measured with the real
// fonts so that they stay wholly on the monitor.
WorkingCopy CopyForMonitor(const WorkingCopy& page_copy, const Monitor& monitor,
                           const BuildInputs& inputs);

// The monitor as the screen a position refers to.
ScreenReference ReferenceOf(const Monitor& monitor);

// The picture of one monitor, composed (loaded, fitted, drawn) but not
// written. `inputs.copy` is the copy of the monitor's page as stored.
WallpaperCanvas ComposeForMonitor(const BuildInputs& inputs, const Monitor& monitor,
                                  const std::filesystem::path& background, BuildHost& host);

// Builds, writes and installs the wallpapers of all monitors. `inputs.copy`
// holds the day's page (the page shown); monitors with a page of their own
// get it from the store. A missing background is said through the host (as
// a single build does) and nothing is written for that page's monitors.
// Raises when a picture cannot be written.
MonitorBuildOutcome BuildMonitorWallpapers(const BuildInputs& inputs,
                                           const MonitorLayout& monitors, BuildHost& host);

}  // namespace murva
