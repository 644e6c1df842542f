// How the real program reports an automatic run on X11: a message box that
// stays until it is answered, a failure that exits non-zero and records no
// day of the build, an unattended run that shows no window and tells the
// desktop's notification server, and "-e" where windows cannot be minimised
// counting down in a notification whose "build now" button builds at once.
#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <thread>

#include "platform/private_session_bus.h"
#include "program_runner.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"
// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_desktop.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

constexpr const char* kDate = "2026-05-03 08:00:00";

// A notification server on the test's private session bus, recording what
// it is told into a file.
class Notifications {
 public:
  Notifications(const std::filesystem::path& record, const QStringList& words) {
    server_.start(MURVA_FAKE_NOTIFICATIONS, QStringList{QString::fromStdString(record.string())} + words);
    server_.waitForReadyRead(10000);
  }
  ~Notifications() {
    server_.terminate();
    server_.waitForFinished(5000);
  }

 private:
  QProcess server_;
};

class RunReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Running()) << "Xvfb did not start";
    ASSERT_TRUE(bus_.Running());
  }
  // Settings with page 1's background given (or missing) and the day of the
  // last build in the past.
  void WriteSettings(bool background, std::vector<std::string> keys = {}) {
    const std::filesystem::path picture = folder_ / "back.bmp";
    if (background) {
      QImage image(64, 48, QImage::Format_RGB32);
      image.fill(qRgb(20, 40, 80));
      image.save(QString::fromStdString(picture.string()), "BMP");
    }
    keys.insert(keys.end(), {"EditPathW1=" + picture.string(), "CalendFold=1",
                             "CalMakeDay=2026/05/01"});
    runner_.WriteSettings(keys);
  }
  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }

  TempFolder folder_;
  testing::XvfbServer server_{"1024x768x24"};
  testing::PrivateSessionBus bus_{folder_.Path() / "home"};
  testing::ProgramRunner runner_{folder_.Path(), server_.Display(), kDate};
};

TEST_F(RunReportTest, AMessageBoxWaitsForItsAnswerAndTheFailedRunRecordsNoDay) {
  testing::WindowManager manager(server_.Display());
  testing::X11Desktop desktop(server_.Display());
  ASSERT_TRUE(testing::WaitFor([&] { return desktop.ManagerRunning(); }));
  WriteSettings(false);
  const pid_t run = runner_.Launch({"-E"});
  Window box = 0;
  ASSERT_TRUE(testing::WaitFor([&] { return (box = desktop.FindDialog("MURVA32")) != 0; }))
      << desktop.ShownTitles();
  // Still there a good while later, with the program waiting on it.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(desktop.FindDialog("MURVA32"), box);
  EXPECT_EQ(waitpid(run, nullptr, WNOHANG), 0);
  desktop.Close(box);
  const testing::RunResult result = runner_.Wait(run);
  EXPECT_EQ(result.exit_code, 1) << result.errors;
  EXPECT_NE(result.errors.find("壁紙を作成できませんでした"), std::string::npos) << result.errors;
  EXPECT_NE(Ini().find("CalMakeDay=2026/05/01"), std::string::npos);
}

TEST_F(RunReportTest, AnUnattendedRunShowsNoWindowAndTellsTheNotificationServer) {
  const std::filesystem::path record = folder_ / "notices.txt";
  Notifications notifications(record, {"body"});
  testing::X11Desktop desktop(server_.Display());
  WriteSettings(false);
  const pid_t run = runner_.Launch({"-E", "--unattended"});
  bool window = false;
  int status = 0;
  while (waitpid(run, &status, WNOHANG) == 0) {
    window = window || desktop.ShownTitles() != "none";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(window) << desktop.ShownTitles();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
  EXPECT_NE(ReadBytes(record).find("指定された壁紙"), std::string::npos) << ReadBytes(record);
  EXPECT_NE(Ini().find("CalMakeDay=2026/05/01"), std::string::npos);
}

TEST_F(RunReportTest, MinimisedWhereWindowsCannotBeItCountsDownInANotification) {
  // No window manager: nothing can be minimised. The server offers buttons,
  // and the user presses "build now" at once.
  const std::filesystem::path record = folder_ / "notices.txt";
  Notifications notifications(record, {"body", "actions", "press=build-now"});
  testing::X11Desktop desktop(server_.Display());
  WriteSettings(true, {"CalendDely=120"});
  const auto started = std::chrono::steady_clock::now();
  const pid_t run = runner_.Launch({"-e"});
  bool window = false;
  int status = 0;
  while (waitpid(run, &status, WNOHANG) == 0) {
    window = window || desktop.ShownTitles() != "none";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
  }
  EXPECT_FALSE(window) << desktop.ShownTitles();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadBytes(folder_ / "stderr-1.txt");
  const std::string notices = ReadBytes(record);
  EXPECT_NE(notices.find("秒で壁紙を作成します"), std::string::npos) << notices;
  EXPECT_NE(notices.find("build-now,cancel"), std::string::npos) << notices;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  EXPECT_NE(Ini().find("CalMakeDay=2026/05/03"), std::string::npos);
}

}  // namespace
}  // namespace murva
