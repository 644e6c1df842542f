#include "platform/plasma_installer.h"

#include <cstdio>

#include "platform/gsettings_installer.h"
#include "platform/session_bus.h"

namespace murva {

std::string JsonStringLiteral(const std::string& text) {
  std::string literal = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '"': literal += "\\\""; break;
      case '\\': literal += "\\\\"; break;
      case '\n': literal += "\\n"; break;
      case '\r': literal += "\\r"; break;
      case '\t': literal += "\\t"; break;
      case '\b': literal += "\\b"; break;
      case '\f': literal += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          literal += escaped;
        } else if (c == 0xE2 && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(text[i + 2]) == 0xA8 ||
                    static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
          // U+2028 and U+2029 end a line inside an older script engine's
          // string literal.
          literal += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
          i += 2;
        } else {
          literal += static_cast<char>(c);
        }
    }
  }
  return literal + "\"";
}

std::string PlasmaWallpaperScript(const std::string& file_uri) {
  return "var image = " + JsonStringLiteral(file_uri) + ";\n"
         "var all = desktops();\n"
         "for (var i = 0; i < all.length; ++i) {\n"
         "  var desktop = all[i];\n"
         "  desktop.wallpaperPlugin = \"org.kde.image\";\n"
         "  desktop.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
         "  desktop.writeConfig(\"Image\", image);\n"
         "}\n";
}

std::string PlasmaScreensScript(const std::vector<PlasmaScreenPicture>& pictures) {
  std::string list;
  for (const PlasmaScreenPicture& picture : pictures) {
    if (!list.empty()) list += ",\n";
    list += "  {connector: " + JsonStringLiteral(picture.connector) +
            ", x: " + std::to_string(picture.x) + ", y: " + std::to_string(picture.y) +
            ", image: " + JsonStringLiteral(picture.file_uri) + "}";
  }
  return "var pictures = [\n" + list + "\n];\n"
         "var connectors = typeof screenForConnector === \"function\";\n"
         "// The picture of a screen: by its connector where plasmashell knows it,\n"
         "// otherwise by the screen's place in the desktop.\n"
         "function pictureFor(screen) {\n"
         "  if (screen < 0) return null;\n"
         "  var i;\n"
         "  for (i = 0; i < pictures.length; ++i) {\n"
         "    if (connectors && screenForConnector(pictures[i].connector) === screen) return pictures[i];\n"
         "  }\n"
         "  var area = screenGeometry(screen);\n"
         "  for (i = 0; i < pictures.length; ++i) {\n"
         "    var known = connectors && screenForConnector(pictures[i].connector) >= 0;\n"
         "    if (!known && Math.round(area.x) === pictures[i].x &&\n"
         "        Math.round(area.y) === pictures[i].y) return pictures[i];\n"
         "  }\n"
         "  return null;\n"
         "}\n"
         "var shown = {};\n"
         "var all = desktops();\n"
         "for (var d = 0; d < all.length; ++d) {\n"
         "  var desktop = all[d];\n"
         "  var picture = pictureFor(desktop.screen);\n"
         "  if (picture === null) continue;\n"
         "  desktop.wallpaperPlugin = \"org.kde.image\";\n"
         "  desktop.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
         "  desktop.writeConfig(\"Image\", picture.image);\n"
         "  desktop.writeConfig(\"FillMode\", 2);\n"
         "  shown[picture.connector] = true;\n"
         "}\n"
         "var missing = [];\n"
         "for (var p = 0; p < pictures.length; ++p) {\n"
         "  if (!shown[pictures[p].connector]) missing.push(pictures[p].connector);\n"
         "}\n"
         "if (missing.length > 0) throw new Error(\"no screen shows \" + missing.join(\", \"));\n";
}

bool PlasmaInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  return !copy.empty() && Evaluate(PlasmaWallpaperScript(FileUri(copy)), error);
}

bool PlasmaInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                      std::string& error) {
  if (wallpapers.empty()) {
    error = "no monitor to give a wallpaper";
    return false;
  }
  const std::vector<std::filesystem::path> copies =
      MakeWallpaperCopies(wallpapers, copy_folder_, error);
  if (copies.empty()) return false;
  // A single picture for a monitor nobody named goes to every desktop.
  if (wallpapers.size() == 1 && wallpapers.front().monitor.name.empty()) {
    return Evaluate(PlasmaWallpaperScript(FileUri(copies.front())), error);
  }
  std::vector<PlasmaScreenPicture> pictures;
  for (std::size_t i = 0; i < wallpapers.size(); ++i) {
    const Monitor& monitor = wallpapers[i].monitor;
    pictures.push_back({monitor.name, monitor.desktop.x, monitor.desktop.y, FileUri(copies[i])});
  }
  return Evaluate(PlasmaScreensScript(pictures), error);
}

bool PlasmaInstaller::Evaluate(const std::string& script, std::string& error) {
  std::string bus_error;
  if (!CallSessionBusMethod("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                            "evaluateScript", script, bus_error)) {
    error = "plasmashell did not take the wallpaper (" + bus_error + ")";
    return false;
  }
  return true;
}

}  // namespace murva
