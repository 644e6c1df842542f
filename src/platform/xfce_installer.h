// XFCE keeps one wallpaper per monitor and workspace in xfconf, channel
// xfce4-desktop, under /backdrop/screen0/monitor<name>/workspace<n>/last-image
// (with its image-style beside it). Every such property is set; on a fresh
// installation, where xfdesktop has not written any yet, they are created
// for every monitor and workspace.
#pragma once

#include <functional>
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

 private:
  std::filesystem::path copy_folder_;
  LayoutSource layout_;
};

}  // namespace murva
