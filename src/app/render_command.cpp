// --render: the wallpaper of a page on a day at a size, written to a PNG or
// BMP file of the user's choice, for other wallpaper setters and scripts.
// It needs no display and changes nothing of the program's own.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "app/page_render.h"
#include "app/program_plugins.h"
#include "app/script_commands.h"
#include "imaging/picture_loader.h"
#include "platform/program_folder.h"
#include "settings/atomic_file.h"

namespace murva {
namespace {

// A message of the program's (its lines end in CR, as in a message box)
// as lines on standard error.
void PrintMessage(const std::string& text) {
  std::string lines = text;
  for (char& c : lines) {
    if (c == '\r') c = '\n';
  }
  std::cerr << "murva32: " << lines << '\n';
}

bool IsPngFile(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return extension == ".png";
}

// Writes the picture as the file's extension says, replacing an old file
// whole; false when it cannot be written.
bool WritePicture(const QImage& picture, const std::filesystem::path& file) {
  if (!IsPngFile(file)) return WriteBmpFile(picture, file);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) return false;
  return ReplaceFileAtomically(file, std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace

int RunRenderCommand(const CommandLine& command) {
  // Qt's offscreen platform, chosen before anything of Qt starts: no display
  // is needed, and one that is there is not used.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "murva32";
  static char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);

  const std::filesystem::path executable_folder = ExecutableFolder();
  InitializeProgramPictureFormats(executable_folder);
  for (const PluginNotice& notice : TakePluginNotices()) PrintMessage(notice.text);
  SetPluginNoticeHandler([](const PluginNotice& notice) { PrintMessage(notice.text); });

  PageRenderRequest request;
  request.program_folder = ResolveProgramFolder(executable_folder, ProcessEnvironment());
  request.page = command.page.value_or(0);
  if (command.date) {
    request.moment = LocalDateTime{command.date->year, command.date->month, command.date->day};
  } else {
    request.moment = SystemLocalClock().Now();
  }
  if (command.size) request.size = ScreenSize{command.size->width, command.size->height};

  try {
    const PageRender render = RenderPage(request);
    for (const std::string& message : render.messages) PrintMessage(message);
    const QImage picture = render.Picture();
    if (!WritePicture(picture, command.render_file)) {
      std::cerr << "murva32: --render could not write " << command.render_file.string() << ": "
                << std::strerror(errno) << '\n';
      return kExitRunFailed;
    }
    return 0;
  } catch (const MissingBackgroundError& error) {
    std::cerr << "murva32: --render: page " << error.Page() << " has no background picture";
    std::error_code missing;
    if (!std::filesystem::exists(request.program_folder / "MURVA32.INI", missing)) {
      std::cerr << " (there are no settings in " << request.program_folder.string() << ")";
    }
    std::cerr << '\n';
    PrintMessage(error.what());
  } catch (const std::exception& error) {
    std::cerr << "murva32: --render: the wallpaper could not be made\n";
    PrintMessage(error.what());
  }
  return kExitRunFailed;
}

}  // namespace murva
