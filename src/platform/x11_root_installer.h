// The bare X11 fallback: the picture becomes the root window's background
// pixmap, announced through _XROOTPMAP_ID and ESETROOT_PMAP_ID so that
// compositors and transparent terminals see it. The pixmap is kept after the
// program ends; the choice does not survive the X session.
#pragma once

#include "platform/wallpaper_installer.h"

namespace murva {

class X11RootInstaller final : public WallpaperInstaller {
 public:
  // display_name empty: $DISPLAY.
  explicit X11RootInstaller(std::string display_name = {}) : display_name_(std::move(display_name)) {}
  std::string Name() const override { return "X11 root window"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool Persists() const override { return false; }

 private:
  std::string display_name_;
};

}  // namespace murva
