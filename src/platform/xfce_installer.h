// XFCE keeps one wallpaper per monitor and workspace in xfconf, channel
// xfce4-desktop, under /backdrop/screen0/monitor<name>/workspace<n>/last-image
// (with its image-style beside it). Every such property is set; on a fresh
// installation, where xfdesktop has not written any yet, they are created
// for every monitor and workspace. Each monitor's picture goes to that
// monitor's properties (its RandR name), every workspace, in the image
// style "Centered": xfdesktop composes a centred picture at scale 1.0 with
// no interpolation, so a picture of the monitor's size is shown pixel for
// pixel; other monitors keep theirs.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

struct XfceScreenLayout {
  std::vector<std::string> monitors;  // RandR output names
  int workspaces = 1;
};

// The layout of the session: the monitors from RandR, the workspaces from
// the window manager (or xfwm4's setting, or one).
XfceScreenLayout DiscoverXfceScreenLayout(const std::string& display_name);

class XfceInstaller final : public WallpaperInstaller {
 public:
  using LayoutSource = std::function<XfceScreenLayout()>;
  XfceInstaller(std::filesystem::path copy_folder, LayoutSource layout)
      : copy_folder_(std::move(copy_folder)), layout_(std::move(layout)) {}
  std::string Name() const override { return "XFCE"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;

 private:
  // The properties of the channel.
  bool ReadChannel(std::set<std::string>& existing, std::string& error);
  // The last-image properties to set: those that exist under the prefix,
  // and one for every workspace of the layout on each of the monitors.
  static std::vector<std::string> Targets(const std::set<std::string>& existing,
                                          const XfceScreenLayout& layout,
                                          const std::vector<std::string>& monitors,
                                          const std::string& prefix);
  // Sets each property to the file and its image style: "Centered" when
  // unscaled, otherwise created as "Zoomed" or mended from "None".
  bool SetImages(const std::vector<std::string>& targets, const std::set<std::string>& existing,
                 const std::filesystem::path& file, bool unscaled, std::string& error);

  std::filesystem::path copy_folder_;
  LayoutSource layout_;
};

}  // namespace murva
