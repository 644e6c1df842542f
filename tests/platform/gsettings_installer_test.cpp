// GNOME, Cinnamon and MATE through their real GSettings schemas, stored by
// dconf under a private session bus; a second session reads the values back
// as the next log-on would.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/gsettings_installer.h"
#include "private_session_bus.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using testing::PrivateSessionBus;
using testing::RunInNewSession;
using testing::TempFolder;

std::string Stored(const std::string& schema, const std::string& key) {
  return RunInNewSession({"gsettings", "get", schema, key});
}

// The single-quoted GVariant text without its quotes.
std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

class GSettingsInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus_.Running()) << "dbus-daemon did not start"; }

  std::filesystem::path Picture(int width = 320, int height = 200) {
    return testing::WriteStripes(home_ / "pictures" / "MURVA00.BMP", width, height);
  }
  std::filesystem::path Copies() const { return home_ / "data" / "murva32"; }

  TempFolder home_;
  PrivateSessionBus bus_{home_.Path()};
};

TEST_F(GSettingsInstallerTest, GnomeStoresBothKeysForTheNextLogOn) {
  RunCommand("gsettings", {"set", "org.gnome.desktop.background", "picture-options", "none"});
  GSettingsInstaller installer(GnomeBackground(), Copies());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_TRUE(installer.Persists());

  const std::string uri = Unquoted(Stored("org.gnome.desktop.background", "picture-uri"));
  ASSERT_EQ(uri.rfind("file://" + Copies().string() + "/wallpaper-", 0), 0u) << uri;
  EXPECT_EQ(Unquoted(Stored("org.gnome.desktop.background", "picture-uri-dark")), uri);
  // "none" shows no picture; it became "zoom".
  EXPECT_EQ(Stored("org.gnome.desktop.background", "picture-options"), "'zoom'");
  // The file the URI names is a readable PNG of the picture.
  EXPECT_EQ(QImage(QString::fromStdString(uri.substr(7))).size(), QSize(320, 200));
}

TEST_F(GSettingsInstallerTest, GnomeKeepsAPictureOptionTheUserChose) {
  RunCommand("gsettings", {"set", "org.gnome.desktop.background", "picture-options", "centered"});
  GSettingsInstaller installer(GnomeBackground(), Copies());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_EQ(Stored("org.gnome.desktop.background", "picture-options"), "'centered'");
}

TEST_F(GSettingsInstallerTest, PathWithBlanksAndJapaneseIsPercentEncoded) {
  GSettingsInstaller installer(GnomeBackground(), home_ / "my data" / "壁紙");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(16, 16), error)) << error;
  const std::string uri = Stored("org.gnome.desktop.background", "picture-uri");
  EXPECT_NE(uri.find("/my%20data/%E5%A3%81%E7%B4%99/wallpaper-"), std::string::npos) << uri;
}

TEST_F(GSettingsInstallerTest, EveryInstallationIsANewFileAndTheOldOneGoes) {
  GSettingsInstaller installer(GnomeBackground(), Copies());
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string first = Unquoted(Stored("org.gnome.desktop.background", "picture-uri"));
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string second = Unquoted(Stored("org.gnome.desktop.background", "picture-uri"));
  EXPECT_NE(first, second);
  EXPECT_FALSE(std::filesystem::exists(first.substr(7)));
  EXPECT_TRUE(std::filesystem::exists(second.substr(7)));
}

TEST_F(GSettingsInstallerTest, CinnamonStoresItsOwnUri) {
  RunCommand("gsettings", {"set", "org.cinnamon.desktop.background", "picture-options", "none"});
  GSettingsInstaller installer(CinnamonBackground(), Copies());
  EXPECT_EQ(installer.Name(), "Cinnamon");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string uri = Unquoted(Stored("org.cinnamon.desktop.background", "picture-uri"));
  EXPECT_EQ(uri.rfind("file://" + Copies().string() + "/wallpaper-", 0), 0u) << uri;
  EXPECT_EQ(Stored("org.cinnamon.desktop.background", "picture-options"), "'zoom'");
  // GNOME's own key is not touched.
  EXPECT_EQ(Stored("org.gnome.desktop.background", "picture-uri").find(Copies().string()),
            std::string::npos);
}

TEST_F(GSettingsInstallerTest, MateStoresAPlainPath) {
  GSettingsInstaller installer(MateBackground(), home_ / "my data");
  EXPECT_EQ(installer.Name(), "MATE");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  const std::string path = Unquoted(Stored("org.mate.background", "picture-filename"));
  EXPECT_EQ(path.rfind((home_ / "my data").string() + "/wallpaper-", 0), 0u) << path;
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(320, 200));
}

TEST_F(GSettingsInstallerTest, SeveralMonitorsGetOneJoinedPictureSpannedOneMonitorItsOwnCentred) {
  struct Case {
    const GSettingsBackground& background;
    std::string key;
  };
  const Case cases[] = {{GnomeBackground(), "picture-uri"},
                        {CinnamonBackground(), "picture-uri"},
                        {MateBackground(), "picture-filename"}};
  const std::vector<MonitorWallpaper> monitors = testing::TwoMonitors();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.background.desktop);
    GSettingsInstaller installer(c.background, Copies());
    std::string error;
    ASSERT_TRUE(installer.InstallMonitors(monitors, error)) << error;
    const std::string joined = testing::CopyLabelled(Copies(), "desktop").string();
    const std::string stored = Unquoted(Stored(c.background.schema, c.key));
    EXPECT_EQ(stored, c.background.wants_uri ? FileUri(joined) : joined);
    const QImage picture(QString::fromStdString(joined));
    EXPECT_EQ(picture.size(), QSize(3200, 1080));
    EXPECT_TRUE(testing::ShowsAt(picture, monitors[0], {0, 0}));
    EXPECT_TRUE(testing::ShowsAt(picture, monitors[1], {1920, 0}));
    EXPECT_EQ(Stored(c.background.schema, "picture-options"), "'spanned'");

    ASSERT_TRUE(installer.InstallMonitors({monitors[1]}, error)) << error;
    const std::string own = testing::CopyLabelled(Copies(), "HDMI-A-1").string();
    EXPECT_EQ(Unquoted(Stored(c.background.schema, c.key)),
              c.background.wants_uri ? FileUri(own) : own);
    EXPECT_EQ(QImage(QString::fromStdString(own)).size(), QSize(1280, 1024));
    EXPECT_EQ(Stored(c.background.schema, "picture-options"), "'centered'");
  }
}

TEST_F(GSettingsInstallerTest, MissingSchemaIsReported) {
  GSettingsBackground missing = GnomeBackground();
  missing.schema = "org.example.no.such.background";
  GSettingsInstaller installer(missing, Copies());
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("org.example.no.such.background"), std::string::npos) << error;
}

}  // namespace
}  // namespace murva
