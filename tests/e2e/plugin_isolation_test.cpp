// The real program with plug-ins that crash, abort or hang in a plug-in
// folder, and with a named pipe as its external schedule: every run ends by
// itself and builds the wallpaper; the bad plug-ins are named, not tried
// again on the next start, and tried again when their file changes.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <utime.h>

#include <QImage>
#include <fstream>

#include "fake_spi.h"
#include "program_runner.h"
#include "shared_display.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kDate = "2026-05-03 08:00:00";

// The plug-ins that fail while they are vetted, and one that fails only
// when it reads a picture.
const std::vector<std::string> kVettingFaults = {
    "crash_in_load", "abort_in_load", "hang_in_load",      "crash_in_info",     "abort_in_info",
    "hang_in_info",  "crash_in_supported", "abort_in_supported", "hang_in_supported"};
const std::string kPictureFault = "crash_in_picture";

QRgb FakeColour(int x, int y) {
  std::uint8_t red, green, blue;
  FakeRgb(x, y, &red, &green, &blue);
  return qRgb(red, green, blue);
}

class PluginIsolationRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
    setenv("MURVA_FAKE_TRACE", (folder_ / "trace").c_str(), 1);
    // The runs are on a fixed date: file times must stay the real ones,
    // or every start would see the plug-in files as changed.
    setenv("NO_FAKE_STAT", "1", 1);
  }
  void TearDown() override {
    unsetenv("MURVA32_SPI_DIR");
    unsetenv("MURVA_FAKE_TRACE");
    unsetenv("NO_FAKE_STAT");
  }

  // The good test plug-in, the bad ones, in the per-user plug-in folder.
  void InstallPlugins() {
    fs::create_directories(susie_);
    test_plugins_ = {{"a_basic", std::string(MURVA_TEST_PLUGIN_DIR) + "/basic.spi"}};
    for (const std::string& name : kVettingFaults) {
      test_plugins_.emplace_back(name, std::string(MURVA_FAULTY_PLUGIN_DIR) + "/" + name + ".spi");
    }
    test_plugins_.emplace_back("z_" + kPictureFault,
                               std::string(MURVA_FAULTY_PLUGIN_DIR) + "/" + kPictureFault + ".spi");
    for (const auto& [name, file] : test_plugins_) {
      fs::copy_file(file, susie_ / (name + ".spi"));
    }
    setenv("MURVA32_SPI_DIR", susie_.c_str(), 1);
  }

  // A 64 x 48 picture of the test format, tiled over the screen.
  fs::path MakeBackground() {
    const fs::path path = folder_ / "pictures" / "back.mvt";
    WriteBytes(path, std::string("MVTS\x40\x00\x30\x00", 8));
    return path;
  }

  int Traced(const std::string& line) const {
    std::ifstream in(folder_ / "trace");
    int count = 0;
    for (std::string read; std::getline(in, read);) count += read == line;
    return count;
  }

  std::string Plugin(const std::string& name) const {
    return fs::canonical(susie_ / (name + ".spi")).string();
  }

  testing::XvfbServer* server_ = &testing::SharedDisplay();
  TempFolder folder_;
  fs::path susie_ = folder_.Path() / "susie";
  std::vector<std::pair<std::string, std::string>> test_plugins_;
  testing::ProgramRunner runner_{folder_.Path(), server_ ? server_->Display() : "", kDate};
};

TEST_F(PluginIsolationRun, BadPluginsAreNamedSkippedAndTriedAgainWhenChanged) {
  InstallPlugins();
  const fs::path background = MakeBackground();
  runner_.WriteSettings({"EditPathW1=" + background.string(), "CalendTile=1",
                         "CalendWX11=300", "CalendWY11=300"});
  const fs::path output = background.parent_path() / "MURVA00.BMP";

  // First start: every bad plug-in is tried in a host of its own and named;
  // the one that crashes only in GetPicture is named when it reads the
  // background, which the good plug-in then reads.
  const testing::RunResult first = runner_.Wait(runner_.Launch({"-E"}), std::chrono::seconds(60));
  ASSERT_FALSE(first.timed_out) << first.errors;
  EXPECT_EQ(first.exit_code, 0) << first.errors;
  for (const std::string& name : kVettingFaults) {
    EXPECT_NE(first.errors.find(Plugin(name) + ":Susie Plugin"), std::string::npos) << name;
    EXPECT_EQ(Traced(name + " load"), 1) << name;
  }
  EXPECT_NE(first.errors.find(Plugin("z_" + kPictureFault) +
                              ":Susie Pluginが異常終了しました（GetPicture：SIGSEGV）"),
            std::string::npos)
      << first.errors;
  const QImage written(QString::fromStdString(output.string()));
  ASSERT_EQ(written.size(), QSize(1024, 768));
  EXPECT_EQ(written.pixel(1000, 700), FakeColour(1000 % 64, 700 % 48));
  fs::create_directories(MURVA_TEST_ARTEFACT_DIR);
  written.save(QString::fromStdString(std::string(MURVA_TEST_ARTEFACT_DIR) +
                                      "/wallpaper-isolated-plugin.png"));
  const std::string verdicts = ReadBytes(folder_ / ".cache" / "murva32" / "plugin-verdicts");
  EXPECT_NE(verdicts.find(Plugin("a_basic") + "\t"), std::string::npos);
  fs::remove(output);

  // Second start: none of them runs again; they are still named.
  const testing::RunResult second = runner_.Wait(runner_.Launch({"-E"}), std::chrono::seconds(60));
  ASSERT_FALSE(second.timed_out) << second.errors;
  EXPECT_EQ(second.exit_code, 0) << second.errors;
  EXPECT_TRUE(fs::exists(output));
  for (const std::string& name : kVettingFaults) {
    EXPECT_EQ(Traced(name + " load"), 1) << name;
    EXPECT_NE(second.errors.find(Plugin(name) + ":Susie Plugin"), std::string::npos) << name;
  }
  EXPECT_EQ(Traced(kPictureFault + " GetPicture"), 1);

  // A plug-in file that changes is tried again.
  struct stat status {};
  ASSERT_EQ(stat(Plugin("crash_in_load").c_str(), &status), 0);
  const utimbuf later{status.st_atime, status.st_mtime + 10};
  ASSERT_EQ(utime(Plugin("crash_in_load").c_str(), &later), 0);
  const testing::RunResult third = runner_.Wait(runner_.Launch({"-E"}), std::chrono::seconds(60));
  ASSERT_FALSE(third.timed_out) << third.errors;
  EXPECT_EQ(Traced("crash_in_load load"), 2);
  EXPECT_EQ(Traced("abort_in_load load"), 1);
}

TEST_F(PluginIsolationRun, ANamedPipeAsExternalScheduleDoesNotHoldTheRun) {
  const fs::path background = folder_ / "pictures" / "back.bmp";
  fs::create_directories(background.parent_path());
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(qRgb(20, 40, 60));
  ASSERT_TRUE(picture.save(QString::fromStdString(background.string()), "BMP"));
  const fs::path pipe = folder_ / "SELBORI.DAT";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  runner_.WriteSettings({"EditPathW1=" + background.string(), "CalendTile=1", "CalSchedul=4",
                         "UseSelbori=2", "SelborPath=" + pipe.string(), "SchdulWX11=10",
                         "SchdulWY11=10"});
  const testing::RunResult run = runner_.Wait(runner_.Launch({"-E"}), std::chrono::seconds(60));
  ASSERT_FALSE(run.timed_out) << run.errors;
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_TRUE(fs::exists(background.parent_path() / "MURVA00.BMP"));
  EXPECT_TRUE(fs::is_fifo(pipe));
}

}  // namespace
}  // namespace murva
