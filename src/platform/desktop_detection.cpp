#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/gnome_installer.h"
#include "platform/x11_root_installer.h"

namespace murva {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool NamesGnome(const std::string& name) {
  return name.find("gnome") != std::string::npos || name.find("unity") != std::string::npos ||
         name.find("budgie") != std::string::npos || name == "ubuntu";
}

// A desktop this build does not serve yet: the wallpaper is still written,
// and the user is told why it was not installed.
class UnservedInstaller final : public WallpaperInstaller {
 public:
  explicit UnservedInstaller(std::string reason) : reason_(std::move(reason)) {}
  std::string Name() const override { return "none"; }
  bool Install(const std::filesystem::path&, std::string& error) override {
    error = reason_;
    return false;
  }

 private:
  std::string reason_;
};

}  // namespace

DesktopKind DetectDesktop(const EnvironmentLookup& environment) {
  // XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME").
  std::stringstream current(Lower(environment("XDG_CURRENT_DESKTOP")));
  for (std::string part; std::getline(current, part, ':');) {
    if (NamesGnome(part)) return DesktopKind::kGnome;
  }
  for (const char* variable : {"XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "GDMSESSION"}) {
    if (NamesGnome(Lower(environment(variable)))) return DesktopKind::kGnome;
  }
  if (!environment("DISPLAY").empty()) return DesktopKind::kX11Root;
  return DesktopKind::kUnknown;
}

std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment) {
  switch (DetectDesktop(environment)) {
    case DesktopKind::kGnome:
      return std::make_unique<GnomeInstaller>(WallpaperCopyFolder(environment));
    case DesktopKind::kX11Root:
      return std::make_unique<X11RootInstaller>(environment("DISPLAY"));
    case DesktopKind::kUnknown:
      break;
  }
  std::string desktop = environment("XDG_CURRENT_DESKTOP");
  if (desktop.empty()) desktop = environment("WAYLAND_DISPLAY").empty() ? "no display" : "Wayland";
  return std::make_unique<UnservedInstaller>("the desktop (" + desktop +
                                             ") cannot be given a wallpaper");
}

}  // namespace murva
