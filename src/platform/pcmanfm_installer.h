// LXQt and LXDE draw the desktop with their file managers, pcmanfm-qt and
// pcmanfm, which take a new wallpaper on the command line (handing it to the
// running desktop) and keep it in their own settings.
//
// pcmanfm-qt shows one picture for all monitors: several monitors get their
// pictures joined, shown in the mode "stretch", which with its default of
// one wallpaper for all screens lays the picture over the union of the
// monitors and leaves it unscaled when it has exactly that size (its
// "spanned"); a single monitor's picture is shown "center", drawn pixel for
// pixel.
//
// pcmanfm keeps a wallpaper per monitor in desktop-items-<N>.conf of its
// profile (N: the monitor's number as GDK counts them, the X server's
// monitor order), read when it makes its desktop windows; its command line
// reaches only monitor 0. So a single monitor's picture is handed over on
// the command line, and several are written into their monitors' files and
// the running desktop is made to read them again by turning it off and on.
// The mode is "center", which pcmanfm draws at the picture's own size.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

enum class PcmanfmFlavour {
  kQt,   // LXQt: pcmanfm-qt --set-wallpaper FILE --wallpaper-mode zoom
  kGtk,  // LXDE: pcmanfm --set-wallpaper=FILE --wallpaper-mode=crop
};

// Where LXDE's pcmanfm keeps its desktops' settings, and how it numbers
// the monitors.
struct PcmanfmSession {
  std::filesystem::path config_home;  // $XDG_CONFIG_HOME (~/.config)
  // The profile when no running desktop names its own ("LXDE").
  std::string profile = "default";
  // The monitors' names in the order pcmanfm numbers them.
  std::function<std::vector<std::string>()> monitor_order;
};

class PcmanfmInstaller final : public WallpaperInstaller {
 public:
  PcmanfmInstaller(PcmanfmFlavour flavour, std::filesystem::path copy_folder,
                   PcmanfmSession session = {})
      : flavour_(flavour), copy_folder_(std::move(copy_folder)), session_(std::move(session)) {}
  std::string Name() const override { return flavour_ == PcmanfmFlavour::kQt ? "LXQt" : "LXDE"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;

 private:
  // Hands the file to the running desktop in the mode.
  bool SetWallpaper(const std::filesystem::path& file, const std::string& mode,
                    std::string& error);
  bool InstallLxdeMonitors(const std::vector<OutputCopy>& pictures, std::string& error);

  PcmanfmFlavour flavour_;
  std::filesystem::path copy_folder_;
  PcmanfmSession session_;
};

}  // namespace murva
