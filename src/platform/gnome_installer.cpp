#include "platform/gnome_installer.h"

#include <QString>
#include <QUrl>

namespace murva {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

bool GnomeInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;
  const std::string uri =
      QUrl::fromLocalFile(QString::fromStdString(copy.string())).toString(QUrl::FullyEncoded).toStdString();

  std::string messages;
  if (RunCommand("gsettings", {"set", kSchema, "picture-uri", uri}, nullptr, &messages) != 0) {
    error = "gsettings could not set " + std::string(kSchema) + " picture-uri" +
            (messages.empty() ? std::string() : ": " + Trimmed(messages));
    return false;
  }
  // GNOME 42 and later show picture-uri-dark in the dark style; older
  // schemas do not have the key.
  std::string keys;
  if (RunCommand("gsettings", {"list-keys", kSchema}, &keys) == 0 &&
      keys.find("picture-uri-dark") != std::string::npos) {
    RunCommand("gsettings", {"set", kSchema, "picture-uri-dark", uri});
  }
  std::string options;
  if (RunCommand("gsettings", {"get", kSchema, "picture-options"}, &options) == 0 &&
      Trimmed(options) == "'none'") {
    RunCommand("gsettings", {"set", kSchema, "picture-options", "zoom"});
  }
  return true;
}

}  // namespace murva
