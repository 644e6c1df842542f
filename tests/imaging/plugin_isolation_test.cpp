// Plug-ins that did not ship with the program: vetted and run in the plug-in
// host, their verdicts remembered; the shipped ones stay in the process.

#include "imaging/plugin_isolation.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <utime.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <set>

#include "imaging/graphic_errors.h"
#include "imaging/hosted_plugin.h"
#include "imaging/in_spi_able.h"
#include "imaging/spi_bitmap.h"
#include "imaging/test_support.h"
#include "platform/child_process.h"
#include "platform/local_memory.h"
#include "support/process_survivors.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::FakeColour;
using test::MvtsPicture;
using test::Pixels;
using test::RegistryGuard;
using test::TempDir;
using test::TestPlugin;
using Bytes = std::vector<std::uint8_t>;

std::span<const std::uint8_t> Span(const Bytes& bytes) { return std::span<const std::uint8_t>(bytes); }

std::vector<QRgb> FakePixels(int width, int height) {
  std::vector<QRgb> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(FakeColour(x, y));
  }
  return pixels;
}

std::string FaultyPlugin(const std::string& name) {
  return std::string(MURVA_FAULTY_PLUGIN_DIR) + "/" + name + ".spi";
}

// Short waits, so that a plug-in that hangs costs the tests little.
HostedPluginTimeouts QuickTimeouts() { return {2000ms, 1000ms, 2000ms}; }

// A manager searching one folder, with an isolation that takes nothing for
// shipped and keeps its verdicts in the test's folder; the entry points the
// test plug-ins enter are traced to a file.
class Isolated : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "plugins");
    setenv("MURVA_FAKE_TRACE", (dir_ / "trace").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("MURVA_FAKE_TRACE");
    EXPECT_EQ(LiveLocalHandleCount(), live_handles_);
  }

  PluginIsolationSettings Settings() const {
    PluginIsolationSettings settings;
    settings.host_program = MURVA_SPI_HOST;
    settings.verdict_file = dir_ / "cache" / "plugin-verdicts";
    settings.timeouts = QuickTimeouts();
    settings.output = [this](const std::string& file_name, const std::string& line) {
      std::lock_guard lock(output_mutex_);
      output_.push_back(fs::path(file_name).filename().string() + ": " + line);
    };
    return settings;
  }
  bool Printed(const std::string& line) {
    std::lock_guard lock(output_mutex_);
    return std::find(output_.begin(), output_.end(), line) != output_.end();
  }

  // A fresh manager that searches the plug-in folder.
  std::unique_ptr<test::PlacedSPIs> Search(PluginIsolationSettings settings) {
    spis_.reset();
    auto spis = std::make_unique<test::PlacedSPIs>();
    isolation_ = std::make_shared<PluginIsolation>(std::move(settings));
    spis->SetIsolation(isolation_);
    spis->Search((dir_ / "plugins" / "*.spi").string());
    return spis;
  }
  void SearchAgain() { spis_ = Search(Settings()); }

  fs::path Install(const std::string& from, const std::string& name) {
    const fs::path to = dir_ / "plugins" / (name + ".spi");
    test::CopyFile(from, to);
    return fs::canonical(to);
  }

  // How often each "<plug-in> <entry>" line was traced.
  int Traced(const std::string& line) const {
    std::ifstream in(dir_ / "trace");
    int count = 0;
    for (std::string read; std::getline(in, read);) count += read == line;
    return count;
  }

  std::vector<std::string> Loaded() const {
    std::vector<std::string> names;
    for (int i = 0; i < spis_->Count(); ++i) {
      names.push_back(fs::path(spis_->Items(i).FileName()).stem().string());
    }
    return names;
  }

  std::size_t live_handles_ = LiveLocalHandleCount();
  RegistryGuard registry_;
  TempDir dir_;
  std::shared_ptr<PluginIsolation> isolation_;
  std::unique_ptr<test::PlacedSPIs> spis_;
  mutable std::mutex output_mutex_;
  mutable std::vector<std::string> output_;  // "<plug-in file name>: <line>"
};

TEST_F(Isolated, AHostedPluginReadsPicturesAsOneInTheProcessDoes) {
  Install(TestPlugin("basic"), "basic");
  Install(TestPlugin("info_text"), "info_text");
  Install(TestPlugin("four_bit"), "four_bit");
  SearchAgain();
  ASSERT_EQ(Loaded(), (std::vector<std::string>{"basic", "four_bit", "info_text"}));
  for (int i = 0; i < spis_->Count(); ++i) {
    EXPECT_TRUE(spis_->Items(i).IsHosted());
    EXPECT_FALSE(spis_->Items(i).Handle().IsOpen());
  }
  TSPI& basic = spis_->Items(0);
  EXPECT_EQ(basic.APIVersion(), "00IN");
  EXPECT_EQ(basic.PluginName(), "fake plug-in basic");
  EXPECT_EQ(basic.Extensions(), (std::vector<std::string>{"*.mvt"}));

  TSPIBitmap bitmap;
  bitmap.SetSPI(dynamic_cast<const TInSPI*>(&basic));
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(300, 200)), "/p.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(300, 200));
  // After a header the plug-in refuses: the second try on the data after it.
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(3, 2, 128)), "/p.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(3, 2));

  // The picture info text and the 16-colour palette come across.
  TInSPIAble loader(bitmap);
  bool sunk = false;
  loader.SetSPI(dynamic_cast<const TInSPI*>(&spis_->Items(2)));
  loader.SetPictureSink([&](auto, auto, const TPictureRecord&) { return sunk = true; });
  loader.Load(Span(MvtsPicture(4, 4)));
  EXPECT_TRUE(sunk);
  EXPECT_EQ(loader.PictureRecord().info, "hello from the plug-in");
  EXPECT_EQ(loader.PictureRecord().width, 4);
  bitmap.SetSPI(dynamic_cast<const TInSPI*>(&spis_->Items(1)));
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(6, 3)), "/p.mvt");
  EXPECT_EQ(bitmap.Image().colorCount(), 16);
}

TEST_F(Isolated, ProgressReachesTheProgramAndItsAnswerStopsThePlugin) {
  Install(TestPlugin("progress"), "progress");
  SearchAgain();
  ASSERT_EQ(Loaded(), std::vector<std::string>{"progress"});
  TSPIBitmap bitmap;
  bitmap.SetSPI(dynamic_cast<const TInSPI*>(&spis_->Items(0)));
  int running = 0;
  bitmap.SetOnProgress([&](TGraphic&, TProgressStage stage, int, bool, const QRect&,
                           const std::string&) {
    if (stage != TProgressStage::psRunning) return;
    if (++running == 3) throw EAbort();
  });
  // Stopped at the third report: the trial fails, nothing else reads it.
  EXPECT_THROW(bitmap.LoadFromStreamWithName(Span(MvtsPicture(5, 10)), "/p.mvt"), EInvalidGraphic);
  EXPECT_EQ(running, 3);
  running = -1000;
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(5, 10)), "/p.mvt");
  EXPECT_EQ(running, -1000 + 10);
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(5, 10));
}

TEST_F(Isolated, ShippedPluginsByNameAndFolderStayInTheProcess) {
  const fs::path shipped = Install(TestPlugin("basic"), "png");
  Install(TestPlugin("basic"), "other");
  PluginIsolationSettings settings = Settings();
  settings.shipped_folders = {dir_ / "plugins"};
  settings.shipped_names = {"png.spi"};
  spis_ = Search(settings);
  ASSERT_EQ(Loaded(), (std::vector<std::string>{"other", "png"}));
  EXPECT_TRUE(spis_->Items(0).IsHosted());
  EXPECT_FALSE(spis_->Items(1).IsHosted());
  EXPECT_TRUE(spis_->Items(1).Handle().IsOpen());
  EXPECT_TRUE(isolation_->IsShipped(shipped.string()));
  // The same name elsewhere is somebody else's plug-in.
  fs::create_directories(dir_ / "elsewhere");
  test::CopyFile(TestPlugin("basic"), dir_ / "elsewhere" / "png.spi");
  EXPECT_FALSE(isolation_->IsShipped((dir_ / "elsewhere" / "png.spi").string()));
  // Nothing was vetted for the shipped one.
  const std::string verdicts = test::ReadText(dir_ / "cache" / "plugin-verdicts");
  EXPECT_EQ(verdicts.find("png.spi"), std::string::npos);
  EXPECT_NE(verdicts.find("other.spi"), std::string::npos);
}

TEST_F(Isolated, WithoutTheHostProgramOtherPluginsAreNotUsed) {
  Install(TestPlugin("basic"), "basic");
  PluginIsolationSettings settings = Settings();
  settings.host_program.clear();
  spis_ = Search(settings);
  EXPECT_TRUE(Loaded().empty());
  const std::vector<PluginNotice> notices = isolation_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find("murva32-spi-host"), std::string::npos);
  EXPECT_EQ(Traced("basic load"), 0);
}

TEST_F(Isolated, FilesThatAreNoUsablePluginsAreLeftOutQuietly) {
  Install(TestPlugin("missing_symbol"), "missing_symbol");
  Install(TestPlugin("no_plugin_info"), "no_plugin_info");
  Install(TestPlugin("no_get_picture"), "no_get_picture");
  Install(TestPlugin("unknown_version"), "unknown_version");
  test::WriteFile(dir_ / "plugins" / "text.spi", Bytes{'n', 'o', 't', ' ', 'E', 'L', 'F'});
  SearchAgain();
  EXPECT_EQ(Loaded(), std::vector<std::string>{"unknown_version"});
  EXPECT_TRUE(isolation_->TakeNotices().empty());
}

// A plug-in that fails in one entry point, in one way.
struct Fault {
  std::string entry;  // load, info, supported, picture_info, picture
  std::string kind;   // crash, abort, hang
};

class FaultyPlugins : public Isolated, public ::testing::WithParamInterface<Fault> {
 protected:
  std::string Name() const { return GetParam().kind + "_in_" + GetParam().entry; }
  bool FailsWhileVetted() const {
    return GetParam().entry == "load" || GetParam().entry == "info" ||
           GetParam().entry == "supported";
  }
  std::string EntryTraced() const {
    const std::map<std::string, std::string> names = {
        {"load", "load"}, {"info", "GetPluginInfo"}, {"supported", "IsSupported"},
        {"picture_info", "GetPictureInfo"}, {"picture", "GetPicture"}};
    return Name() + " " + names.at(GetParam().entry);
  }
  void ExpectNamed(const PluginNotice& notice, const fs::path& file) {
    EXPECT_NE(notice.text.find(file.string() + ":Susie Plugin"), std::string::npos) << notice.text;
    const char* how = GetParam().kind == "crash"   ? "SIGSEGV"
                      : GetParam().kind == "abort" ? "SIGABRT"
                                                   : "応答しません";
    EXPECT_NE(notice.text.find(how), std::string::npos) << notice.text;
  }
};

TEST_P(FaultyPlugins, IsNamedSkippedRememberedAndTriedAgainWhenTheFileChanges) {
  Install(TestPlugin("basic"), "a_basic");
  const fs::path faulty = Install(FaultyPlugin(Name()), "z_" + Name());

  // First start: the faulty plug-in is found out, the other one works.
  SearchAgain();
  if (FailsWhileVetted()) {
    EXPECT_EQ(Loaded(), std::vector<std::string>{"a_basic"});
  } else {
    // It passes the vetting and fails when a picture is read: its trial
    // fails and the next plug-in reads the picture.
    ASSERT_EQ(Loaded(), (std::vector<std::string>{"a_basic", "z_" + Name()}));
    TSPIBitmap bitmap;
    bitmap.LoadFromStreamWithName(Span(MvtsPicture(7, 5)), "/p.mvt");
    EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(7, 5));
    // Once faulty, it is not asked again in this run.
    bitmap.LoadFromStreamWithName(Span(MvtsPicture(2, 2)), "/q.mvt");
  }
  EXPECT_EQ(Traced(EntryTraced()), 1);
  const int loads = Traced(Name() + " load");
  std::vector<PluginNotice> notices = isolation_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].fresh);
  ExpectNamed(notices[0], faulty);

  // Second start: the verdict stands; the plug-in is not run at all.
  SearchAgain();
  EXPECT_EQ(Loaded(), std::vector<std::string>{"a_basic"});
  EXPECT_EQ(Traced(Name() + " load"), loads);
  notices = isolation_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_FALSE(notices[0].fresh);
  ExpectNamed(notices[0], faulty);

  // The file changes: it is tried again.
  struct stat status {};
  ASSERT_EQ(stat(faulty.c_str(), &status), 0);
  const utimbuf later{status.st_atime, status.st_mtime + 10};
  ASSERT_EQ(utime(faulty.c_str(), &later), 0);
  SearchAgain();
  EXPECT_EQ(Traced(Name() + " load"), loads + 1);
  EXPECT_EQ(Loaded().size(), FailsWhileVetted() ? 1u : 2u);
}

std::vector<Fault> AllFaults() {
  std::vector<Fault> faults;
  for (const char* entry : {"load", "info", "supported", "picture_info", "picture"}) {
    for (const char* kind : {"crash", "abort", "hang"}) faults.push_back({entry, kind});
  }
  return faults;
}

INSTANTIATE_TEST_SUITE_P(EveryEntryAndKind, FaultyPlugins, ::testing::ValuesIn(AllFaults()),
                         [](const auto& info) { return info.param.kind + "_in_" + info.param.entry; });

// Plug-ins that leave processes behind, as children or as daemons: after
// the run (every host ended) none of them runs, nor anything else of their
// process groups and sessions.
struct Hostile {
  std::string name;
  std::size_t left_behind;  // at least, by the vetting and one picture
};

class HostilePlugins : public Isolated, public ::testing::WithParamInterface<Hostile> {
 protected:
  void SetUp() override {
    Isolated::SetUp();
    setenv("MURVA_FAKE_PIDS", (dir_ / "pids").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("MURVA_FAKE_PIDS");
    Isolated::TearDown();
  }
  std::vector<pid_t> Pids() const { return testing::RecordedPids(dir_ / "pids"); }
};

TEST_P(HostilePlugins, LeaveNoProcessBehindOnceTheRunIsOver) {
  Install(FaultyPlugin(GetParam().name), GetParam().name);
  SearchAgain();
  ASSERT_EQ(Loaded().size(), 1u);
  TSPIBitmap bitmap;
  bitmap.SetSPI(dynamic_cast<const TInSPI*>(&spis_->Items(0)));
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(8, 6)), "/p.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(8, 6));
  const std::vector<pid_t> pids = Pids();
  ASSERT_GE(pids.size(), GetParam().left_behind);
  const std::set<pid_t> groups = testing::GroupsOf(pids);
  EXPECT_TRUE(isolation_->TakeNotices().empty());

  spis_.reset();
  isolation_.reset();
  EXPECT_EQ(testing::Survivors(pids, groups), std::vector<pid_t>{});
}

INSTANTIATE_TEST_SUITE_P(ForkingAndDaemons, HostilePlugins,
                         ::testing::Values(Hostile{"fork_in_every", 5},
                                           Hostile{"daemon_in_info", 1}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Isolated, WhatAPluginPrintsComesAcrossLineByLineFilteredAndBounded) {
  setenv("MURVA_FAKE_PIDS", (dir_ / "pids").c_str(), 1);
  Install(FaultyPlugin("fork_in_every"), "fork_in_every");
  SearchAgain();
  spis_.reset();
  isolation_.reset();
  unsetenv("MURVA_FAKE_PIDS");
  // Control characters stand as "?", a long line is cut.
  EXPECT_TRUE(Printed("fork_in_every.spi: ?[31mfork_in_every?[0m speaks"));
  EXPECT_TRUE(Printed("fork_in_every.spi: " + std::string(ChildProcess::kMostOutputLine, 'x')));
  const std::vector<pid_t> pids = testing::RecordedPids(dir_ / "pids");
  ASSERT_EQ(pids.size(), 3u);
  EXPECT_TRUE(Printed("fork_in_every.spi: fork_in_every load forked " + std::to_string(pids[0])));
  EXPECT_TRUE(Printed("fork_in_every.spi: fork_in_every IsSupported forked " +
                      std::to_string(pids[2])));
}

TEST_F(Isolated, APluginThatForksAndCrashesIsNamedWithItsSignalAtOnce) {
  setenv("MURVA_FAKE_PIDS", (dir_ / "pids").c_str(), 1);
  Install(TestPlugin("basic"), "a_basic");
  const fs::path hostile = Install(FaultyPlugin("fork_crash_in_picture"), "z_fork_crash");
  SearchAgain();
  TSPIBitmap bitmap;
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(7, 5)), "/p.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(7, 5));
  const std::vector<PluginNotice> notices = isolation_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  // Its child still held the connection: had the crash not been seen, the
  // wait would have ended in "応答しません".
  EXPECT_NE(notices[0].text.find(hostile.string() + ":Susie Pluginが異常終了しました（GetPicture：SIGSEGV）"),
            std::string::npos)
      << notices[0].text;
  const std::vector<pid_t> pids = testing::RecordedPids(dir_ / "pids");
  unsetenv("MURVA_FAKE_PIDS");
  EXPECT_FALSE(pids.empty());
  EXPECT_EQ(testing::Survivors(pids), std::vector<pid_t>{});
}

TEST_F(Isolated, APluginThatAsksFor20GBIsNamedAndRememberedAsFaulty) {
  Install(TestPlugin("basic"), "a_basic");
  const fs::path hostile = Install(FaultyPlugin("huge_in_picture"), "z_huge");
  SearchAgain();
  ASSERT_EQ(Loaded(), (std::vector<std::string>{"a_basic", "z_huge"}));
  TSPIBitmap bitmap;
  bitmap.LoadFromStreamWithName(Span(MvtsPicture(7, 5)), "/p.mvt");
  EXPECT_EQ(Pixels(bitmap.Image()), FakePixels(7, 5));
  const std::vector<PluginNotice> notices = isolation_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  const std::string expected =
      hostile.string() + ":Susie Pluginがメモリの上限（4 GiB）を超えました（GetPicture）";
  EXPECT_NE(notices[0].text.find(expected), std::string::npos) << notices[0].text;
  EXPECT_NE(test::ReadText(dir_ / "cache" / "plugin-verdicts").find("\tfaulty\t" + expected),
            std::string::npos);
  SearchAgain();
  EXPECT_EQ(Loaded(), std::vector<std::string>{"a_basic"});
}

TEST(PluginVerdictFile, KeepsEveryTextWhateverItHolds) {
  std::map<std::string, PluginVerdict> verdicts;
  PluginVerdict usable;
  usable.stamp = {12345, 1700000000123456789};
  usable.kind = PluginVerdictKind::kUsable;
  usable.description = {"/p/a\tb.spi", kSpiEntryGetPluginInfo | kSpiEntryGetPicture,
                        {"00IN", "name\\with\nnewline", {"*.a;*.b", "*.c"}, {"A\r", "C"}}};
  PluginVerdict faulty;
  faulty.stamp = {1, 2};
  faulty.kind = PluginVerdictKind::kFaulty;
  faulty.reason = "/p/b.spi:Susie Pluginが異常終了しました";
  PluginVerdict unusable;
  unusable.stamp = {3, 4};
  verdicts["/p/a\tb.spi"] = usable;
  verdicts["/p/b.spi"] = faulty;
  verdicts["/p/c.spi"] = unusable;
  EXPECT_EQ(PluginVerdicts::Decode(PluginVerdicts::Encode(verdicts)), verdicts);

  // Lines that do not parse are left out (those plug-ins are tried again).
  const std::string text = PluginVerdicts::Encode(verdicts) +
                           "/p/d.spi\tx\t1\tunusable\n/p/e.spi\t1\t2\tusable\t/p/e.spi\t1\t00IN\tn\t5\n"
                           "/p/f.spi\t1\t2\tfaulty\n/p/g.spi\t1\t2\tbad\\q\tunusable\n";
  EXPECT_EQ(PluginVerdicts::Decode(text), verdicts);
  EXPECT_TRUE(PluginVerdicts::Decode("another header\n/p/c.spi\t3\t4\tunusable\n").empty());
}

TEST(PluginVerdictFile, AVerdictHoldsOnlyForTheFileAsItWas) {
  TempDir dir;
  test::WriteFile(dir / "a.spi", Bytes(10, 1));
  const std::string plugin = (dir / "a.spi").string();
  const PluginFileStamp stamp = *StampOf(plugin);
  {
    PluginVerdicts verdicts(dir / "cache" / "v");
    PluginVerdict verdict;
    verdict.stamp = stamp;
    verdicts.Put(plugin, verdict);
    verdicts.Put((dir / "gone.spi").string(), verdict);
    ASSERT_TRUE(verdicts.Save());
  }
  PluginVerdicts verdicts(dir / "cache" / "v");
  EXPECT_NE(verdicts.Find(plugin, stamp), nullptr);
  EXPECT_EQ(verdicts.Find(plugin, {stamp.size + 1, stamp.modified_ns}), nullptr);
  EXPECT_EQ(verdicts.Find(plugin, {stamp.size, stamp.modified_ns + 1}), nullptr);
  // Plug-ins whose file is gone are not written again.
  EXPECT_EQ(test::ReadText(dir / "cache" / "v").find("gone.spi"), std::string::npos);
}

TEST(PluginVerdictFile, ALinkInItsPlaceIsNeitherReadNorWrittenThrough) {
  TempDir dir;
  test::WriteFile(dir / "a.spi", Bytes(10, 1));
  const std::string plugin = (dir / "a.spi").string();
  PluginVerdict verdict;
  verdict.stamp = *StampOf(plugin);
  const std::string mine = "murva32 plugin verdicts 1\n" + plugin + "\t10\t" +
                           std::to_string(verdict.stamp.modified_ns) + "\tunusable\n";
  test::WriteFile(dir / "mine", Bytes(mine.begin(), mine.end()));
  fs::create_directories(dir / "cache");
  fs::create_symlink(dir / "mine", dir / "cache" / "v");
  PluginVerdicts verdicts(dir / "cache" / "v");
  EXPECT_EQ(verdicts.Find(plugin, verdict.stamp), nullptr);
  verdict.kind = PluginVerdictKind::kFaulty;
  verdict.reason = "faulty";
  verdicts.Put(plugin, verdict);
  ASSERT_TRUE(verdicts.Save());
  EXPECT_EQ(test::ReadText(dir / "mine"), mine);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "cache" / "v")));
  EXPECT_NE(PluginVerdicts(dir / "cache" / "v").Find(plugin, verdict.stamp), nullptr);
}

}  // namespace
}  // namespace murva
