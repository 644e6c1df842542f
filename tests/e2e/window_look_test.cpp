// The control panel of the real program on virtual screens of common sizes
// and on a screen scaled 2x: its caption shows the program's name once, it
// carries the program's icon, and its picture (with the live preview) is
// kept as an artefact to look at. At 2x the wallpaper is still built in the
// screen's real pixels.
#include <gtest/gtest.h>
#include <signal.h>

#include <QImage>
#include <chrono>
#include <optional>
#include <thread>

#include "program_runner.h"
#include "settings/cp932.h"
#include "shared_display.h"
#include "support/temp_folder.h"
// Xlib after Qt: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace murva {
namespace {

using testing::TempFolder;

constexpr const char* kDate = "2026-05-03 08:00:00";

// One of the program's top-level windows as the X server sees it.
struct ShownWindow {
  std::string title;           // _NET_WM_NAME
  unsigned long icon_words = 0;  // length of _NET_WM_ICON
};

std::string Utf8Property(Display* display, Window window, const char* name) {
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  std::string value;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False,
                         XInternAtom(display, "UTF8_STRING", False), &type, &format, &count,
                         &remaining, &data) == Success &&
      data) {
    value.assign(reinterpret_cast<char*>(data), count);
  }
  if (data) XFree(data);
  return value;
}

unsigned long PropertyLength(Display* display, Window window, const char* name) {
  Atom type;
  int format;
  unsigned long count = 0, remaining;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False,
                     AnyPropertyType, &type, &format, &count, &remaining, &data);
  if (data) XFree(data);
  return count;
}

// The shown top-level window whose caption begins with the program's name.
std::optional<ShownWindow> FindProgramWindow(Display* display) {
  Window root = DefaultRootWindow(display), parent, *children = nullptr;
  unsigned int count = 0;
  std::optional<ShownWindow> found;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes) ||
        attributes.map_state != IsViewable) {
      continue;
    }
    const std::string title = Utf8Property(display, children[i], "_NET_WM_NAME");
    if (title.rfind("MURVA32", 0) == 0) {
      found = ShownWindow{title, PropertyLength(display, children[i], "_NET_WM_ICON")};
    }
  }
  if (children) XFree(children);
  return found;
}

QImage ScreenPicture(Display* display) {
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int height = DisplayHeight(display, screen);
  XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, width, height, AllPlanes,
                            ZPixmap);
  if (!image) return {};
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | XGetPixel(image, x, y);
  }
  XDestroyImage(image);
  return picture;
}

struct ScreenCase {
  const char* name;
  const char* geometry;
  const char* scale_factor;
  int width, height;  // real pixels
};

class WindowLookTest : public ::testing::TestWithParam<ScreenCase> {};

// Writes a program folder whose page 1 shows calendars, titles and schedule
// lines on a background smaller than the screen.
std::filesystem::path PrepareFolder(const TempFolder& folder, testing::ProgramRunner& runner,
                                    int width, int height) {
  QImage picture(800, 600, QImage::Format_RGB32);
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) picture.setPixel(x, y, qRgb(20 + x / 8, 60 + y / 8, 140));
  }
  const auto background = folder / "pictures" / "back.bmp";
  std::filesystem::create_directories(background.parent_path());
  picture.save(QString::fromStdString(background.string()), "BMP");
  testing::WriteBytes(folder / "MURVA32.SCH",
                      *EncodeCp932("26/05/05 00 1 こどもの日の集まり%Yellow%\r\n"
                                   "@@/@@/W5 00 4 燃えるゴミ\r\n26/05/20 00 1 歯医者\r\n"));
  runner.WriteSettings(
      {"EditPathW1=" + background.string(), "CalendTile=1", "CalendHide=0", "CalendStyl=1",
       "CalendPerd=2", "CalSchedul=4", "CalenTitle=1", "TitleText1=000$YYYY年$MM月$DD日 $WW",
       "TitlePosiX=" + std::to_string(width / 20), "TitlePosiY=" + std::to_string(height / 20),
       "TiFntSize1=28", "CalendWX11=" + std::to_string(width * 6 / 10),
       "CalendWY11=" + std::to_string(height / 10), "SchdulWX11=" + std::to_string(width / 20),
       "SchdulWY11=" + std::to_string(height * 6 / 10)});
  return background;
}

// Runs the program with QT_SCALE_FACTOR set for it alone.
pid_t LaunchScaled(testing::ProgramRunner& runner, const char* scale_factor,
                   const std::vector<std::string>& arguments) {
  setenv("QT_SCALE_FACTOR", scale_factor, 1);
  const pid_t pid = runner.Launch(arguments);
  unsetenv("QT_SCALE_FACTOR");
  return pid;
}

TEST_P(WindowLookTest, CaptionOnceIconAndAPictureOfThePanelWithItsPreview) {
  const ScreenCase screen = GetParam();
  testing::XvfbServer server(screen.geometry);
  ASSERT_TRUE(server.Running());
  TempFolder folder;
  testing::ProgramRunner runner(folder.Path(), server.Display(), kDate);
  PrepareFolder(folder, runner, screen.width, screen.height);
  const pid_t pid = LaunchScaled(runner, screen.scale_factor, {});

  Display* display = XOpenDisplay(server.Display().c_str());
  ASSERT_NE(display, nullptr);
  std::optional<ShownWindow> window;
  QImage last, picture;
  // The picture is kept once the window has come up and stopped changing
  // (the preview is drawn shortly after the window appears).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  int still = 0;
  while (std::chrono::steady_clock::now() < deadline && still < 3) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (!window) window = FindProgramWindow(display);
    if (!window) continue;
    picture = ScreenPicture(display);
    still = picture == last ? still + 1 : 0;
    last = picture;
  }
  XCloseDisplay(display);
  kill(-pid, SIGTERM);
  runner.Wait(pid, std::chrono::seconds(20));

  ASSERT_TRUE(window.has_value()) << "the control panel did not come up";
  EXPECT_EQ(window->title, "MURVA32  mode BASIC");
  EXPECT_GT(window->icon_words, 2u);  // width, height and the pixels
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(screen.width, screen.height));
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  picture.save(QString::fromStdString(std::string(MURVA_TEST_ARTEFACT_DIR) + "/window-preview-" +
                                      screen.name + ".png"));
  // The panel never writes the wallpaper by itself.
  EXPECT_FALSE(std::filesystem::exists(folder / "pictures" / "MURVA00.BMP"));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowLookTest,
    ::testing::Values(ScreenCase{"1024x768", "1024x768x24", "1", 1024, 768},
                      ScreenCase{"1920x1080", "1920x1080x24", "1", 1920, 1080},
                      ScreenCase{"2x", "3840x2160x24", "2", 3840, 2160}),
    [](const ::testing::TestParamInfo<ScreenCase>& info) {
      std::string name = info.param.name;
      for (char& c : name) if (c == 'x') c = '_';
      return "screen_" + name;
    });

TEST(HighDpiBuild, ScaledScreenStillGetsAWallpaperOfItsRealPixels) {
  testing::XvfbServer& server = testing::SharedDisplay();  // 1024x768
  ASSERT_TRUE(server.Running());
  TempFolder folder;
  testing::ProgramRunner runner(folder.Path(), server.Display(), kDate);
  const auto background = PrepareFolder(folder, runner, 1024, 768);
  const testing::RunResult run = runner.Wait(LaunchScaled(runner, "2", {"-E"}));
  ASSERT_FALSE(run.timed_out) << run.errors;
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  const QImage written(
      QString::fromStdString((background.parent_path() / "MURVA00.BMP").string()));
  EXPECT_EQ(written.size(), QSize(1024, 768));
}

}  // namespace
}  // namespace murva
