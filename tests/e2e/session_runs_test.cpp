// The real program in real sessions: sway headless (run as an unprivileged
// user, with outputs of different sizes and scales), weston headless (no
// wallpaper mechanism) and a multi-monitor X server (Xorg's dummy driver).
// Automatic runs that need no window show none, every output gets a picture
// of its own physical size that the desktop shows 1:1, the automatic run's
// window floats on a tiling desktop, and a desktop that cannot take a
// wallpaper is told so.
#include <gtest/gtest.h>

#include <QDate>
#include <signal.h>
#include <sys/wait.h>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "settings/cp932.h"
#include "support/multi_monitor_x_server.h"
#include "support/sway_session.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/weston_session.h"
// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_root_readback.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

// The program with its plug-ins and plug-in host, where the session's user
// can run it.
fs::path ShareProgram(const testing::DesktopSession& session) {
  testing::TempFolder folder;
  const fs::path bin = folder.Path() / "murva-bin";
  fs::create_directories(bin);
  const fs::path built = MURVA_TEST_BIN_DIR;
  for (const char* name : {"murva32", "murva32-spi-host", "png.spi"}) {
    fs::copy_file(built / name, bin / name);
  }
  return session.Share(bin) / "murva32";
}

// A program folder: page 1 with a background smaller than the screens, the
// calendar placed near the right edge and the schedule list near the bottom
// of a 1920x1080 screen, and a schedule entry for today.
fs::path ShareProgramFolder(const testing::DesktopSession& session,
                            const std::vector<std::string>& more_keys) {
  testing::TempFolder folder;
  const fs::path program = folder.Path() / "program";
  fs::create_directories(program);
  QImage background(320, 240, QImage::Format_RGB32);
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) background.setPixel(x, y, qRgb(30 + x / 4, 40, 90 + y / 4));
  }
  background.save(QString::fromStdString((program / "back.png").string()), "PNG");
  const fs::path shared_program = session.Folder() / "shared" / "program";
  std::string text = "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n";
  for (const std::string& key :
       {"EditPathW1=" + (shared_program / "back.png").string(), std::string("CalendTile=1"),
        std::string("CalendFold=1"), std::string("CalendWX11=1500"), std::string("CalendWY11=60"),
        std::string("SchdulWX11=1300"), std::string("SchdulWY11=1000"), std::string("CalSchedul=3"),
        std::string("PosScrnW1=1920"), std::string("PosScrnH1=1080"), std::string("PosScale1=100")}) {
    text += key + "\r\n";
  }
  for (const std::string& key : more_keys) text += key + "\r\n";
  WriteBytes(program / "MURVA32.INI", EncodeCp932(text).value());
  const std::string today = QDate::currentDate().toString("yy/MM/dd").toStdString();
  WriteBytes(program / "MURVA32.SCH", EncodeCp932(today + " 00 1 今日の予定\r\n").value());
  return session.Share(program);
}

// The box around the picture's white pixels (weekdays and schedule text).
QRect WhiteBox(const QImage& picture) {
  QRect box;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if ((picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// Counts the pixels where two pictures differ.
int Differences(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  const QImage first = a.convertToFormat(QImage::Format_RGB32);
  const QImage second = b.convertToFormat(QImage::Format_RGB32);
  int different = 0;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) different += first.pixel(x, y) != second.pixel(x, y);
  }
  return different;
}

// The mean difference of two pictures' colour channels (-1 for sizes that
// differ).
double MeanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return -1;
  const QImage first = a.convertToFormat(QImage::Format_RGB32);
  const QImage second = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) {
      const QRgb p = first.pixel(x, y), q = second.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * first.width() * first.height());
}

bool WaitUntil(const std::function<bool()>& condition) {
  return testing::WaitFor(condition, std::chrono::seconds(20));
}

// The views (windows) in sway's tree: tiled ones and floating ones.
struct Views {
  int tiled = 0;
  int floating = 0;
};
void CountViews(const QJsonObject& node, bool floating, Views& views) {
  if (node.contains("app_id") || node.contains("window_properties")) {
    (floating ? views.floating : views.tiled) += 1;
  }
  for (const auto& child : node.value("nodes").toArray()) CountViews(child.toObject(), floating, views);
  for (const auto& child : node.value("floating_nodes").toArray()) {
    CountViews(child.toObject(), true, views);
  }
}

// Runs the program in the session and watches sway's tree while it runs;
// returns its exit code and the most views seen at once.
struct WatchedRun {
  int exit_code = -1;
  Views most;
};
WatchedRun RunWatched(const testing::SwaySession& sway, const std::vector<std::string>& command,
                      const std::map<std::string, std::string>& variables) {
  WatchedRun run;
  std::unique_ptr<testing::SessionProcess> process = sway.Start(command, variables);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    Views views;
    CountViews(sway.Tree(), false, views);
    run.most.tiled = std::max(run.most.tiled, views.tiled);
    run.most.floating = std::max(run.most.floating, views.floating);
    if (const std::optional<int> code = process->Wait(std::chrono::milliseconds(20))) {
      run.exit_code = *code;
      return run;
    }
  }
  return run;
}

TEST(SwaySessionRun, RunsShowNoWindowAndEveryOutputShowsItsOwnPicture1To1) {
  testing::SwaySession sway;
  ASSERT_TRUE(sway.Running()) << sway.Problem();
  ASSERT_EQ(sway.CreateOutput(), "HEADLESS-2");
  const fs::path program = ShareProgram(sway);
  const fs::path folder = ShareProgramFolder(sway, {"CalendDely=1"});
  const std::map<std::string, std::string> home = {{"MURVA32_HOME", folder.string()}};
  struct Case {
    const char* what;
    std::vector<std::string> outputs;
    QSize first, second;     // the pictures' sizes: the outputs' physical pixels
    bool exact;              // the screenshot equals the picture pixel for pixel
  };
  const Case cases[] = {
      {"two sizes", {"output HEADLESS-1 mode 1920x1080 scale 1 pos 0 0",
                     "output HEADLESS-2 mode 1280x1024 scale 1 pos 1920 0"},
       {1920, 1080}, {1280, 1024}, true},
      {"scale 1.5 and 2", {"output HEADLESS-1 mode 1920x1080 scale 1.5 pos 0 0",
                           "output HEADLESS-2 mode 2560x1440 scale 2 pos 1280 0"},
       {1920, 1080}, {2560, 1440}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& command : c.outputs) ASSERT_TRUE(sway.Command(command)) << command;
    // An unattended run and "-e" (which this desktop cannot minimise) show
    // no window; both install.
    for (const char* second_word : {"--unattended", ""}) {
      std::vector<std::string> command = {program.string(), "-e"};
      if (*second_word) command.push_back(second_word);
      const WatchedRun run = RunWatched(sway, command, home);
      EXPECT_EQ(run.exit_code, 0) << sway.Log();
      EXPECT_EQ(run.most.tiled + run.most.floating, 0) << "a window came up: " << command.back();
    }
    const QImage first(QString::fromStdString((folder / "MURVA00.BMP").string()));
    const QImage second(QString::fromStdString((folder / "MURVA00-HEADLESS-2.BMP").string()));
    EXPECT_EQ(first.size(), c.first);
    EXPECT_EQ(second.size(), c.second);
    // The calendar and the schedule list lie wholly inside each picture.
    for (const QImage* picture : {&first, &second}) {
      const QRect box = WhiteBox(*picture);
      EXPECT_TRUE(QRect(QPoint(1, 1), picture->size() - QSize(2, 2)).contains(box)) << box.x()
          << "," << box.y() << " " << box.width() << "x" << box.height();
    }
    // What the desktop shows, once its wallpaper program has drawn: the
    // picture pixel for pixel at scale 1; at fractional scales (which sway
    // 1.7 draws at the next whole scale and shrinks) the same size and
    // nearly the same colours.
    const fs::path shot = sway.Folder() / "shot.png";
    for (const auto& [output, picture] :
         {std::pair{"HEADLESS-1", &first}, std::pair{"HEADLESS-2", &second}}) {
      QImage shown;
      const auto shows_it = [&] {
        if (!sway.Screenshot(shot, output)) return false;
        shown = QImage(QString::fromStdString(shot.string()));
        return c.exact ? Differences(shown, *picture) == 0
                       : MeanDifference(shown, *picture) < 6.0;
      };
      EXPECT_TRUE(WaitUntil(shows_it)) << output << ": " << MeanDifference(shown, *picture);
      EXPECT_EQ(shown.size(), picture->size()) << output;
      // What the desktop showed, to look at.
      fs::create_directories(MURVA_TEST_ARTEFACT_DIR);
      shown.save(QString(MURVA_TEST_ARTEFACT_DIR "/sway-%1-%2.png")
                     .arg(QString(c.what).replace(' ', '-'), output));
    }
  }
}

TEST(SwaySessionRun, TheAutomaticRunsWindowFloatsAtItsOwnSize) {
  testing::SwaySession sway;
  ASSERT_TRUE(sway.Running()) << sway.Problem();
  const fs::path program = ShareProgram(sway);
  const fs::path folder = ShareProgramFolder(sway, {"CalendDely=2"});
  // Qt on Wayland itself: there is no Xwayland to fall back on.
  const WatchedRun run = RunWatched(sway, {program.string(), "-E"}, {{"MURVA32_HOME", folder.string()}});
  EXPECT_EQ(run.exit_code, 0) << sway.Log();
  EXPECT_EQ(run.most.floating, 1) << sway.Log();
  EXPECT_EQ(run.most.tiled, 0);
  EXPECT_TRUE(fs::exists(folder / "MURVA00.BMP"));
}

TEST(WestonSessionRun, ADesktopWithoutAWallpaperMechanismIsToldAndThePictureStillWritten) {
  testing::WestonSession weston;
  ASSERT_TRUE(weston.Running()) << weston.Problem();
  const fs::path program = ShareProgram(weston);
  const fs::path folder = ShareProgramFolder(weston, {});
  const int code = weston.Run({program.string(), "-E"}, nullptr, {{"MURVA32_HOME", folder.string()}});
  const std::string log = weston.Log();
  EXPECT_EQ(code, 1) << log;
  EXPECT_NE(log.find("壁紙を設定する仕組みがありません"), std::string::npos) << log;
  EXPECT_NE(log.find("has no way to set a wallpaper"), std::string::npos) << log;
  EXPECT_TRUE(fs::exists(folder / "MURVA00.BMP"));
  EXPECT_EQ(ReadBytes(folder / "MURVA32.INI").find("CalMakeDay"), std::string::npos);
}

// A program folder for the X server's runs: page 1's background, the
// calendar near the right edge of a 1920x1080 screen, output beside it.
fs::path X11ProgramFolder(const fs::path& root) {
  const fs::path program = root / "program";
  fs::create_directories(program);
  QImage background(320, 240, QImage::Format_RGB32);
  background.fill(qRgb(20, 60, 100));
  background.save(QString::fromStdString((program / "back.png").string()), "PNG");
  const std::string text = "[MURVA32PRE]\r\nCalenSelBa=1\r\n[Murva32V4]\r\nEditPathW1=" +
                           (program / "back.png").string() +
                           "\r\nCalendTile=1\r\nCalendFold=1\r\nCalendWX11=1500\r\n"
                           "PosScrnW1=1920\r\nPosScrnH1=1080\r\n";
  WriteBytes(program / "MURVA32.INI", EncodeCp932(text).value());
  return program;
}

// The real program on the X server, in its own process group.
pid_t LaunchOnX(const std::string& display, const fs::path& program, const fs::path& home,
                const std::vector<const char*>& words) {
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("MURVA32_HOME", program.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    for (const char* name : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP",
                             "DESKTOP_SESSION", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) {
      unsetenv(name);
    }
    const std::string binary = (fs::path(MURVA_TEST_BIN_DIR) / "murva32").string();
    std::vector<char*> argv = {const_cast<char*>("murva32")};
    for (const char* word : words) argv.push_back(const_cast<char*>(word));
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

TEST(MultiMonitorX11Run, TheRootWindowHoldsEachMonitorsPictureAtItsPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "Xorg with the dummy driver runs as root";
  testing::MultiMonitorXServer server({{1920, 1080, 0, 0}, {1280, 1024, 1920, 0}});
  ASSERT_TRUE(server.Running()) << server.Problem();
  testing::TempFolder folder;
  const fs::path program = X11ProgramFolder(folder.Path());
  int status = 0;
  waitpid(LaunchOnX(server.Display(), program, folder.Path(), {"-E", "--unattended"}), &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const QImage first(QString::fromStdString((program / "MURVA00.BMP").string()));
  const QImage second(QString::fromStdString((program / "MURVA00-DUMMY1.BMP").string()));
  ASSERT_EQ(first.size(), QSize(1920, 1080));
  ASSERT_EQ(second.size(), QSize(1280, 1024));
  const QImage root = testing::RootPicture(server.Display());
  ASSERT_EQ(root.size(), QSize(3200, 1080));
  EXPECT_EQ(Differences(root.copy(0, 0, 1920, 1080), first), 0);
  EXPECT_EQ(Differences(root.copy(1920, 0, 1280, 1024), second), 0);
}

// The resident mode makes the pictures anew when a monitor changes its mode
// (RandR's notice), on a day whose wallpaper is built already.
TEST(MultiMonitorX11Run, TheResidentModeBuildsAnewWhenAMonitorChanges) {
  if (geteuid() != 0) GTEST_SKIP() << "Xorg with the dummy driver runs as root";
  testing::MultiMonitorXServer server({{1920, 1080, 0, 0}, {1280, 1024, 1920, 0}});
  ASSERT_TRUE(server.Running()) << server.Problem();
  testing::TempFolder folder;
  const fs::path program = X11ProgramFolder(folder.Path());
  const fs::path second = program / "MURVA00-DUMMY1.BMP";
  const pid_t resident = LaunchOnX(server.Display(), program, folder.Path(), {"-E", "--watch"});
  const auto size_of_second = [&] {
    return QImage(QString::fromStdString(second.string())).size();
  };
  EXPECT_TRUE(WaitUntil([&] { return size_of_second() == QSize(1280, 1024); }));
  ASSERT_TRUE(server.Light(1, "1024x768", 1920, 0));
  EXPECT_TRUE(WaitUntil([&] { return size_of_second() == QSize(1024, 768); }))
      << size_of_second().width() << "x" << size_of_second().height();
  kill(-resident, SIGTERM);
  int status = 0;
  waitpid(resident, &status, 0);
}

}  // namespace
}  // namespace murva
