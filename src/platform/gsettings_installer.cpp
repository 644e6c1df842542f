#include "platform/gsettings_installer.h"

#include <QString>
#include <QUrl>

#include "platform/run_command.h"

namespace murva {

const GSettingsBackground& GnomeBackground() {
  static const GSettingsBackground background{
      "GNOME", "org.gnome.desktop.background", "picture-uri", {"picture-uri-dark"}, true};
  return background;
}

const GSettingsBackground& CinnamonBackground() {
  static const GSettingsBackground background{
      "Cinnamon", "org.cinnamon.desktop.background", "picture-uri", {}, true};
  return background;
}

const GSettingsBackground& MateBackground() {
  static const GSettingsBackground background{
      "MATE", "org.mate.background", "picture-filename", {}, false};
  return background;
}

std::string FileUri(const std::filesystem::path& file) {
  return QUrl::fromLocalFile(QString::fromStdString(file.string()))
      .toString(QUrl::FullyEncoded)
      .toStdString();
}

bool GSettingsInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  return !copy.empty() && Show(copy, {}, error);
}

bool GSettingsInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                         std::string& error) {
  const SharedPictureCopy copy = MakeSharedPictureCopy(wallpapers, copy_folder_, error);
  return !copy.file.empty() && Show(copy.file, copy.spanned ? "spanned" : "centered", error);
}

bool GSettingsInstaller::Show(const std::filesystem::path& copy, const std::string& option,
                              std::string& error) {
  const std::string value = background_.wants_uri ? FileUri(copy) : copy.string();
  const std::string& schema = background_.schema;

  std::string messages;
  if (RunCommand("gsettings", {"set", schema, background_.picture_key, value}, nullptr,
                 &messages) != 0) {
    error = "gsettings could not set " + schema + " " + background_.picture_key;
    if (!TrimmedOutput(messages).empty()) error += ": " + TrimmedOutput(messages);
    return false;
  }
  if (!background_.optional_keys.empty()) {
    std::string keys;
    if (RunCommand("gsettings", {"list-keys", schema}, &keys) == 0) {
      for (const std::string& key : background_.optional_keys) {
        if (("\n" + keys).find("\n" + key + "\n") != std::string::npos) {
          RunCommand("gsettings", {"set", schema, key, value});
        }
      }
    }
  }
  if (!option.empty()) {
    if (RunCommand("gsettings", {"set", schema, "picture-options", option}, nullptr, &messages) !=
        0) {
      error = "gsettings could not set " + schema + " picture-options to " + option;
      if (!TrimmedOutput(messages).empty()) error += ": " + TrimmedOutput(messages);
      return false;
    }
    return true;
  }
  // With the picture option "none" the desktop shows no picture at all.
  std::string options;
  if (RunCommand("gsettings", {"get", schema, "picture-options"}, &options) == 0 &&
      TrimmedOutput(options) == "'none'") {
    RunCommand("gsettings", {"set", schema, "picture-options", "zoom"});
  }
  return true;
}

}  // namespace murva
