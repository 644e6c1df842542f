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

bool PlasmaInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;
  std::string bus_error;
  if (!CallSessionBusMethod("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                            "evaluateScript", PlasmaWallpaperScript(FileUri(copy)), bus_error)) {
    error = "plasmashell did not take the wallpaper (" + bus_error + ")";
    return false;
  }
  return true;
}

}  // namespace murva
