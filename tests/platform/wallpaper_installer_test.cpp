#include <gtest/gtest.h>

#include <QImage>
#include <map>

#include "platform/gnome_installer.h"
#include "platform/wallpaper_installer.h"
#include "platform/x11_root_installer.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"

// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_root_readback.h"

namespace murva {
namespace {

using testing::TempFolder;

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
}

TEST(DesktopDetection, ReadsTheSessionVariablesInOrder) {
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}})),
            DesktopKind::kGnome);
  EXPECT_EQ(DetectDesktop(Environment({{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}})),
            DesktopKind::kGnome);
  EXPECT_EQ(DetectDesktop(Environment({{"DESKTOP_SESSION", "gnome-xorg"}, {"DISPLAY", ":0"}})),
            DesktopKind::kGnome);
  EXPECT_EQ(DetectDesktop(Environment({{"DISPLAY", ":0"}})), DesktopKind::kX11Root);
  EXPECT_EQ(DetectDesktop(Environment({})), DesktopKind::kUnknown);
}

TEST(DesktopDetection, UnservedDesktopSaysWhy) {
  auto installer = MakeWallpaperInstaller(Environment({{"WAYLAND_DISPLAY", "wayland-0"}}));
  std::string error;
  EXPECT_FALSE(installer->Install("/tmp/x.bmp", error));
  EXPECT_NE(error.find("Wayland"), std::string::npos);
}

QImage Stripes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, x < width / 2 ? qRgb(200, 30, 40) : qRgb(10, 120, 250));
    }
  }
  return image;
}

TEST(WallpaperCopy, NewNameEachTimeAndOldCopiesRemoved) {
  TempFolder folder;
  const auto bmp = folder / "MURVA00.BMP";
  ASSERT_TRUE(Stripes(64, 48).save(QString::fromStdString(bmp.string()), "BMP"));
  std::string error;
  const auto first = MakeWallpaperCopy(bmp, folder / "copies", error);
  ASSERT_FALSE(first.empty()) << error;
  const auto second = MakeWallpaperCopy(bmp, folder / "copies", error);
  ASSERT_FALSE(second.empty()) << error;
  EXPECT_NE(first, second);
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_EQ(second.extension(), ".png");
  QImage copy(QString::fromStdString(second.string()));
  EXPECT_EQ(copy.size(), QSize(64, 48));
  EXPECT_EQ(copy.pixel(0, 0), qRgb(200, 30, 40));
}

TEST(WallpaperCopy, UnreadablePictureIsReported) {
  TempFolder folder;
  testing::WriteBytes(folder / "broken.bmp", "BM not really");
  std::string error;
  EXPECT_TRUE(MakeWallpaperCopy(folder / "broken.bmp", folder / "copies", error).empty());
  EXPECT_FALSE(error.empty());
}

// Root pixmap properties and the pixels left and right of the middle.
testing::RootSample ReadRoot(const std::string& display) {
  return testing::SampleRoot(display, {{100, 300}, {900, 300}, {0, 0}, {0, 0}});
}

TEST(X11RootInstaller, SetsTheRootPixmapAndKeepsItAfterTheConnection) {
  testing::XvfbServer server;
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  TempFolder folder;
  const auto bmp = folder / "MURVA00.BMP";
  ASSERT_TRUE(Stripes(1024, 768).save(QString::fromStdString(bmp.string()), "BMP"));

  X11RootInstaller installer(server.Display());
  std::string error;
  ASSERT_TRUE(installer.Install(bmp, error)) << error;
  EXPECT_FALSE(installer.Persists());

  const testing::RootSample first = ReadRoot(server.Display());
  EXPECT_NE(first.root_pmap, 0u);
  EXPECT_EQ(first.root_pmap, first.esetroot_pmap);
  EXPECT_EQ(first.pixel[0], 0xC81E28UL);   // 200, 30, 40
  EXPECT_EQ(first.pixel[1], 0x0A78FAUL);  // 10, 120, 250

  // A second installation replaces the pixmap and frees the first one.
  ASSERT_TRUE(Stripes(1024, 768).mirrored(true, false).save(QString::fromStdString(bmp.string()), "BMP"));
  ASSERT_TRUE(installer.Install(bmp, error)) << error;
  const testing::RootSample second = ReadRoot(server.Display());
  EXPECT_NE(second.root_pmap, first.root_pmap);
  EXPECT_EQ(second.pixel[0], 0x0A78FAUL);  // mirrored: blue on the left
}

TEST(X11RootInstaller, NoDisplayIsReported) {
  X11RootInstaller installer(":999");
  std::string error;
  TempFolder folder;
  const auto bmp = folder / "MURVA00.BMP";
  ASSERT_TRUE(Stripes(8, 8).save(QString::fromStdString(bmp.string()), "BMP"));
  EXPECT_FALSE(installer.Install(bmp, error));
  EXPECT_NE(error.find("display"), std::string::npos);
}

// A private session bus for the GSettings tests, with dconf keeping the
// values under a temporary home.
class SessionBus {
 public:
  explicit SessionBus(const std::filesystem::path& home) {
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
    std::filesystem::create_directories(home / "run");
    std::string output;
    if (RunCommand("dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"},
                   &output) != 0) {
      return;
    }
    const auto newline = output.find('\n');
    address_ = output.substr(0, newline);
    pid_ = std::stoi(output.substr(newline + 1));
    setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    setenv("GSETTINGS_BACKEND", "dconf", 1);
  }
  ~SessionBus() {
    if (pid_ > 0) kill(pid_, SIGTERM);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  bool Running() const { return !address_.empty(); }

 private:
  std::string address_;
  int pid_ = -1;
};

// What the next log-on would see: a new session reading the stored value.
std::string ReadInNewSession(const std::string& key) {
  std::string output;
  RunCommand("dbus-run-session",
             {"--", "gsettings", "get", "org.gnome.desktop.background", key}, &output);
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

TEST(GnomeInstaller, StoresBothKeysInDconfForTheNextLogOn) {
  TempFolder home;
  SessionBus bus(home.Path());
  ASSERT_TRUE(bus.Running()) << "dbus-daemon did not start";
  RunCommand("gsettings", {"set", "org.gnome.desktop.background", "picture-options", "none"});

  const auto bmp = home / "pictures" / "MURVA00.BMP";
  std::filesystem::create_directories(bmp.parent_path());
  ASSERT_TRUE(Stripes(320, 200).save(QString::fromStdString(bmp.string()), "BMP"));
  GnomeInstaller installer(home / "data" / "murva32");
  std::string error;
  ASSERT_TRUE(installer.Install(bmp, error)) << error;

  const std::string uri = ReadInNewSession("picture-uri");
  ASSERT_EQ(uri.rfind("'file://" + (home / "data" / "murva32").string() + "/wallpaper-", 0), 0u)
      << uri;
  EXPECT_EQ(ReadInNewSession("picture-uri-dark"), uri);
  EXPECT_EQ(ReadInNewSession("picture-options"), "'zoom'");
  // The file the URI names is a readable PNG of the picture.
  const std::string path = uri.substr(8, uri.size() - 9);
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(320, 200));
}

TEST(GnomeInstaller, PathWithBlanksIsPercentEncoded) {
  TempFolder home;
  SessionBus bus(home.Path());
  ASSERT_TRUE(bus.Running());
  const auto bmp = home / "pictures" / "MURVA00.BMP";
  std::filesystem::create_directories(bmp.parent_path());
  ASSERT_TRUE(Stripes(16, 16).save(QString::fromStdString(bmp.string()), "BMP"));
  GnomeInstaller installer(home / "my data" / "壁紙");
  std::string error;
  ASSERT_TRUE(installer.Install(bmp, error)) << error;
  const std::string uri = ReadInNewSession("picture-uri");
  EXPECT_NE(uri.find("/my%20data/%E5%A3%81%E7%B4%99/wallpaper-"), std::string::npos) << uri;
}

}  // namespace
}  // namespace murva
