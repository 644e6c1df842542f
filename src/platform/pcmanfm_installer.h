// LXQt and LXDE draw the desktop with their file managers, pcmanfm-qt and
// pcmanfm, which take a new wallpaper on the command line (handing it to the
// running desktop) and keep it in their own settings.
#pragma once

#include "platform/wallpaper_installer.h"

namespace murva {

enum class PcmanfmFlavour {
  kQt,   // LXQt: pcmanfm-qt --set-wallpaper FILE --wallpaper-mode zoom
  kGtk,  // LXDE: pcmanfm --set-wallpaper=FILE --wallpaper-mode=crop
};

class PcmanfmInstaller final : public WallpaperInstaller {
 public:
  PcmanfmInstaller(PcmanfmFlavour flavour, std::filesystem::path copy_folder)
      : flavour_(flavour), copy_folder_(std::move(copy_folder)) {}
  std::string Name() const override { return flavour_ == PcmanfmFlavour::kQt ? "LXQt" : "LXDE"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;

 private:
  PcmanfmFlavour flavour_;
  std::filesystem::path copy_folder_;
};

}  // namespace murva
