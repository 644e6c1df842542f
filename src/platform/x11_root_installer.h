// The bare X11 fallback: the picture becomes the root window's background
// pixmap, announced through _XROOTPMAP_ID and ESETROOT_PMAP_ID so that
// compositors and transparent terminals see it. The pixmap is kept after the
// program ends; the choice does not survive the X session. With several
// monitors, the one pixmap holds each monitor's picture at its RandR
// rectangle, pixel for pixel.
#pragma once

#include <QPoint>
#include <vector>

#include "platform/wallpaper_installer.h"
#include "platform/x11_image_upload.h"

namespace murva {

class X11RootInstaller final : public WallpaperInstaller {
 public:
  // display_name empty: $DISPLAY. The pixels go through shared memory where
  // the server allows it, unless the transfer says otherwise.
  explicit X11RootInstaller(std::string display_name = {},
                            X11Transfer transfer = X11Transfer::kAutomatic)
      : display_name_(std::move(display_name)), transfer_(transfer) {}
  std::string Name() const override { return "X11 root window"; }
  // Reads the file and puts it up as InstallPicture does.
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  // The picture is centred on a black screen-sized pixmap (cut when it is
  // larger); only its own pixels are sent to the server.
  bool InstallPicture(const std::filesystem::path& picture, const QImage& pixels,
                      std::string& error) override;
  // Each picture at its monitor's place in the root window (black where no
  // monitor is, cut at the screen's edge).
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;
  bool Persists() const override { return false; }

 private:
  // A picture and where it goes: centred on the screen, or at its place.
  struct Piece {
    const QImage* pixels;
    QPoint place;
    bool centred;
  };
  bool PutUp(const std::vector<Piece>& pieces, std::string& error);

  std::string display_name_;
  X11Transfer transfer_;
};

}  // namespace murva
