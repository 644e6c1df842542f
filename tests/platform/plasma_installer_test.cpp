// KDE Plasma against a fake plasmashell on a private session bus: the script
// it is sent is recorded and checked.
#include <gtest/gtest.h>

#include <QProcess>

#include "platform/gsettings_installer.h"
#include "platform/plasma_installer.h"
#include "platform/session_bus.h"
#include "private_session_bus.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using testing::PrivateSessionBus;
using testing::TempFolder;

// The fake shell, running for one test.
class FakePlasmaShell {
 public:
  // options: the screens it runs scripts against ("screen=DP-1:0,0,1920x1080"),
  // "noconnector".
  FakePlasmaShell(const std::filesystem::path& record, bool fail = false,
                  const QStringList& options = {}) {
    QStringList arguments{QString::fromStdString(record.string())};
    if (fail) arguments << "fail";
    arguments << options;
    process_.start(MURVA_FAKE_PLASMASHELL, arguments);
    process_.waitForStarted(10000);
    while (!process_.canReadLine() && process_.state() == QProcess::Running) {
      process_.waitForReadyRead(1000);
    }
    ready_ = process_.readLine().trimmed() == "ready";
  }
  ~FakePlasmaShell() {
    process_.terminate();
    if (!process_.waitForFinished(10000)) process_.kill();
    process_.waitForFinished(1000);
  }
  bool Ready() const { return ready_; }

 private:
  QProcess process_;
  bool ready_ = false;
};

class PlasmaInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus_.Running()) << "dbus-daemon did not start"; }

  std::filesystem::path Picture() {
    return testing::WriteStripes(home_ / "pictures" / "MURVA00.BMP", 64, 48);
  }
  std::vector<std::string> Scripts() const {
    std::vector<std::string> scripts;
    const std::string text = testing::ReadBytes(record_);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\n--end--\n", start)) != std::string::npos;
         start = end + 9) {
      scripts.push_back(text.substr(start, end - start));
    }
    return scripts;
  }

  TempFolder home_;
  PrivateSessionBus bus_{home_.Path()};
  std::filesystem::path record_ = home_ / "scripts.txt";
};

TEST_F(PlasmaInstallerTest, EveryDesktopGetsTheImagePluginAndTheFile) {
  FakePlasmaShell shell(record_);
  ASSERT_TRUE(shell.Ready());
  EXPECT_TRUE(SessionBusNameHasOwner("org.kde.plasmashell"));
  PlasmaInstaller installer(home_ / "my data" / "壁紙");
  std::string error;
  ASSERT_TRUE(installer.Install(Picture(), error)) << error;
  EXPECT_TRUE(installer.Persists());

  const auto scripts = Scripts();
  ASSERT_EQ(scripts.size(), 1u);
  const std::string& script = scripts[0];
  EXPECT_NE(script.find("desktops()"), std::string::npos) << script;
  EXPECT_NE(script.find(".wallpaperPlugin = \"org.kde.image\";"), std::string::npos) << script;
  EXPECT_NE(script.find(".currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];"),
            std::string::npos) << script;
  EXPECT_NE(script.find(".writeConfig(\"Image\", image);"), std::string::npos) << script;
  // The copy, as a percent-encoded URI in a string literal.
  std::vector<std::filesystem::path> copies;
  for (const auto& entry : std::filesystem::directory_iterator(home_ / "my data" / "壁紙")) {
    copies.push_back(entry.path());
  }
  ASSERT_EQ(copies.size(), 1u);
  const std::string literal = "var image = \"file://" + home_.Path().string() +
                              "/my%20data/%E5%A3%81%E7%B4%99/" +
                              copies[0].filename().string() + "\";\n";
  EXPECT_EQ(script.rfind(literal, 0), 0u) << script;
}

TEST_F(PlasmaInstallerTest, EachScreenShowsItsMonitorsPictureAndOtherScreensKeepTheirs) {
  // The screens as plasmashell numbers them: HDMI-A-1 first, and a third
  // screen nobody gave a picture.
  const QStringList screens = {"screen=HDMI-A-1:1920,0,1280x1024", "screen=DP-1:0,0,1920x1080",
                               "screen=eDP-1:0,1080,1366x768"};
  const std::filesystem::path desktops = record_.string() + ".desktops";
  for (const QString& option : {QString(), QString("noconnector")}) {
    SCOPED_TRACE(option.isEmpty() ? "by connector" : "by place, without screenForConnector");
    std::filesystem::remove(desktops);
    FakePlasmaShell shell(record_, false, option.isEmpty() ? screens : screens + QStringList{option});
    ASSERT_TRUE(shell.Ready());
    PlasmaInstaller installer(home_ / "copies");
    std::string error;
    ASSERT_TRUE(installer.InstallMonitors(testing::TwoMonitors(), error)) << error;
    const std::string dp = FileUri(testing::CopyLabelled(home_ / "copies", "DP-1"));
    const std::string hdmi = FileUri(testing::CopyLabelled(home_ / "copies", "HDMI-A-1"));
    EXPECT_EQ(testing::ReadBytes(desktops),
              "screen=0 plugin=org.kde.image Image=" + hdmi + " FillMode=2\n"
              "screen=1 plugin=org.kde.image Image=" + dp + " FillMode=2\n"
              "screen=2 plugin=org.kde.image Image=file:///old.png FillMode=-\n"
              "screen=-1 plugin=org.kde.image Image=file:///old.png FillMode=-\n--end--\n");
  }
  // A monitor that no screen shows is named.
  FakePlasmaShell shell(record_, false, {"screen=DP-1:0,0,1920x1080"});
  ASSERT_TRUE(shell.Ready());
  PlasmaInstaller installer(home_ / "copies");
  std::string error;
  EXPECT_FALSE(installer.InstallMonitors(testing::TwoMonitors(), error));
  EXPECT_NE(error.find("no screen shows HDMI-A-1"), std::string::npos) << error;
}

TEST_F(PlasmaInstallerTest, AScriptErrorIsReported) {
  FakePlasmaShell shell(record_, /*fail=*/true);
  ASSERT_TRUE(shell.Ready());
  PlasmaInstaller installer(home_ / "copies");
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("desktops is not defined"), std::string::npos) << error;
}

TEST_F(PlasmaInstallerTest, NoPlasmaRunningIsReported) {
  EXPECT_FALSE(SessionBusNameHasOwner("org.kde.plasmashell"));
  PlasmaInstaller installer(home_ / "copies");
  std::string error;
  EXPECT_FALSE(installer.Install(Picture(), error));
  EXPECT_NE(error.find("plasmashell"), std::string::npos) << error;
}

TEST(PlasmaScript, TextsAreEscapedAsJsonStrings) {
  EXPECT_EQ(JsonStringLiteral("plain"), "\"plain\"");
  EXPECT_EQ(JsonStringLiteral("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonStringLiteral("line\nbreak\ttab\x01"), "\"line\\nbreak\\ttab\\u0001\"");
  EXPECT_EQ(JsonStringLiteral("壁紙"), "\"壁紙\"");
  // Line and paragraph separators end a line in older script engines.
  EXPECT_EQ(JsonStringLiteral("a\xE2\x80\xA8" "b\xE2\x80\xA9"), "\"a\\u2028b\\u2029\"");
  // A quote cannot end the literal early and smuggle code into the script.
  const std::string script = PlasmaWallpaperScript("file:///x\"; evil(); \"");
  EXPECT_NE(script.find("var image = \"file:///x\\\"; evil(); \\\"\";"), std::string::npos) << script;
}

}  // namespace
}  // namespace murva
