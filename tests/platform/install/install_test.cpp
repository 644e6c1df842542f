// An installation into a temporary prefix (cmake --install) holds the
// program, its plug-ins, the application entry, the software-centre entry,
// the icons, the manual page and the bash completion; the installed program
// runs from there on a virtual X server, keeps its settings in the user's
// configuration folder, reads a PNG background through the installed
// plug-in (also for --render), switches its log-on run, and the log-on run
// puts the wallpaper back on the bare X11 root window.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "platform/run_command.h"
#include "support/faked_clock.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"
// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_root_readback.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kDate = "2026-05-04 07:30:00";  // a Monday; the clock runs on from it
constexpr QRgb kLeft = qRgb(30, 90, 160);
constexpr QRgb kRight = qRgb(220, 180, 40);

struct ProgramRun {
  int exit_code = -1;
  std::string output;
  std::string errors;
};

class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempFolder;
    server_ = new testing::XvfbServer("1024x768x24");
    std::string output, errors;
    install_code_ = RunCommand(MURVA_CMAKE, {"--install", MURVA_BUILD_DIR, "--prefix", Prefix().string()},
                               &output, &errors);
    install_log_ = output + errors;
  }
  static void TearDownTestSuite() {
    delete server_;
    delete root_;
  }
  void SetUp() override {
    ASSERT_EQ(install_code_, 0) << install_log_;
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
  }

  static std::filesystem::path Prefix() { return root_->Path() / "prefix"; }
  static std::filesystem::path Program() { return Prefix() / MURVA_INSTALL_BINDIR / "murva32"; }
  static std::filesystem::path Home() { return root_->Path() / "home"; }
  static std::filesystem::path Settings() { return Home() / ".config" / "murva32"; }
  static std::filesystem::path Entry() { return Home() / ".config" / "autostart" / "murva32.desktop"; }

  // Runs the installed program (or another command) as the user's session
  // would, on the chosen date, and waits for it.
  static ProgramRun Start(std::vector<std::string> command) {
    const auto log = root_->Path() / "log";
    std::filesystem::create_directories(log);
    std::filesystem::create_directories(root_->Path() / "run");
    chmod((root_->Path() / "run").c_str(), 0700);
    const pid_t pid = fork();
    if (pid == 0) {
      setpgid(0, 0);
      for (const char* name : {"MURVA32_HOME", "MURVA32_SPI_DIR", "XDG_CURRENT_DESKTOP",
                               "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "GDMSESSION",
                               "WAYLAND_DISPLAY", "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE",
                               "DBUS_SESSION_BUS_ADDRESS", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                               "XDG_CACHE_HOME"}) {
        unsetenv(name);
      }
      setenv("HOME", Home().c_str(), 1);
      setenv("XDG_RUNTIME_DIR", (root_->Path() / "run").c_str(), 1);
      setenv("DISPLAY", server_->Display().c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      testing::FakeClockFrom(kDate);
      const int out = open((log / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open((log / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(out, STDOUT_FILENO);
      dup2(err, STDERR_FILENO);
      std::vector<char*> argv;
      for (auto& word : command) argv.push_back(word.data());
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
    }
    ProgramRun run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    run.output = ReadBytes(log / "out");
    run.errors = ReadBytes(log / "err");
    return run;
  }
  // The installed manual page as man shows it; its warnings in *messages.
  static std::string Manual(std::string* messages) {
    const auto manual = Prefix() / MURVA_INSTALL_MANDIR / "man1" / "murva32.1.gz";
    std::string formatted;
    RunCommand("man", {"--warnings", "-l", "-P", "cat", manual.string()}, &formatted, messages);
    return formatted;
  }
  static std::filesystem::path Share() { return Prefix() / "share"; }

  static ProgramRun Murva(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {Program().string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return Start(command);
  }

  // A 640x480 PNG background, blue on the left and yellow on the right.
  static std::filesystem::path Background() {
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) image.setPixel(x, y, x < 320 ? kLeft : kRight);
    }
    const auto path = Home() / "Pictures" / "back.png";
    std::filesystem::create_directories(path.parent_path());
    image.save(QString::fromStdString(path.string()), "PNG");
    return path;
  }

  // The pixel of the root window at a point far from the calendar.
  static unsigned long RootPixel() {
    const int points[4][2] = {{1000, 740}, {0, 0}, {0, 0}, {0, 0}};
    return testing::SampleRoot(server_->Display(), points).pixel[0];
  }

  // What a new X session starts with: no wallpaper on the root window.
  static void ClearRoot() {
    Display* display = XOpenDisplay(server_->Display().c_str());
    ASSERT_NE(display, nullptr);
    const Window root = DefaultRootWindow(display);
    const unsigned long pixmap = testing::PixmapProperty(display, root, "_XROOTPMAP_ID");
    XDeleteProperty(display, root, XInternAtom(display, "_XROOTPMAP_ID", False));
    XDeleteProperty(display, root, XInternAtom(display, "ESETROOT_PMAP_ID", False));
    XSetWindowBackground(display, root, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, root);
    if (pixmap) XKillClient(display, pixmap);
    XSync(display, False);
    XCloseDisplay(display);
  }

  static TempFolder* root_;
  static testing::XvfbServer* server_;
  static int install_code_;
  static std::string install_log_;
};

TempFolder* InstallTest::root_ = nullptr;
testing::XvfbServer* InstallTest::server_ = nullptr;
int InstallTest::install_code_ = -1;
std::string InstallTest::install_log_;

TEST_F(InstallTest, ThePrefixHoldsEverything) {
  struct stat status {};
  ASSERT_EQ(stat(Program().c_str(), &status), 0);
  EXPECT_TRUE(status.st_mode & S_IXUSR);
  for (const char* plugin : {"png.spi", "jpeg.spi", "gif.spi", "webp.spi"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(Prefix() / MURVA_INSTALL_LIBDIR / "murva32" /
                                                 "plugins" / plugin))
        << plugin;
  }
  // The plug-in host, beside the plug-in folder.
  ASSERT_EQ(stat((Prefix() / MURVA_INSTALL_LIBDIR / "murva32" / "murva32-spi-host").c_str(), &status), 0);
  EXPECT_TRUE(status.st_mode & S_IXUSR);
  const auto desktop = Prefix() / "share" / "applications" / "murva32.desktop";
  std::string messages;
  ASSERT_EQ(RunCommand("desktop-file-validate", {desktop.string()}, &messages), 0) << messages;
  EXPECT_EQ(messages, "");
  const std::string entry = ReadBytes(desktop);
  EXPECT_NE(entry.find("\nExec=murva32\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nIcon=murva32\n"), std::string::npos) << entry;
  const std::string icon =
      ReadBytes(Prefix() / "share" / "icons" / "hicolor" / "scalable" / "apps" / "murva32.svg");
  EXPECT_NE(icon.find("<svg"), std::string::npos);
  // The manual page, compressed, formats without a warning.
  const std::string formatted = Manual(&messages);
  EXPECT_EQ(formatted.rfind("MURVA32(1)", 0), 0u) << formatted.substr(0, 200);
  EXPECT_NE(formatted.find("--autostart"), std::string::npos);
  EXPECT_EQ(messages, "");
  EXPECT_TRUE(std::filesystem::is_regular_file(Prefix() / "include" / "murva32" / "murva_spi.h"));
  EXPECT_NE(formatted.find("--watch"), std::string::npos);

  // The systemd user unit runs the installed program resident in the
  // graphical session, and systemd finds nothing wrong with it.
  const auto unit = Prefix() / "lib" / "systemd" / "user" / "murva32.service";
  const std::string text = ReadBytes(unit);
  EXPECT_NE(text.find("\nExecStart=" + Program().string() + " -E --watch\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("\nPartOf=graphical-session.target\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nWantedBy=graphical-session.target\n"), std::string::npos) << text;
  // (systemd's user manager wants a runtime folder even to check a unit.)
  const auto runtime = root_->Path() / "verify-run";
  std::filesystem::create_directories(runtime);
  chmod(runtime.c_str(), 0700);
  std::string verify_output;
  EXPECT_EQ(RunCommand("env", {"XDG_RUNTIME_DIR=" + runtime.string(), "systemd-analyze", "--user",
                               "--man=no", "verify", unit.string()},
                       &verify_output, &verify_output),
            0)
      << verify_output;
}

// What software centres and menus read: the AppStream entry, which names
// the application entry, and the icon at every size they use.
TEST_F(InstallTest, TheSoftwareCentreEntryAndTheIconsAreValid) {
  const auto metainfo = Share() / "metainfo" / "io.github.murva32.murva32.metainfo.xml";
  std::string report;
  EXPECT_EQ(RunCommand("appstreamcli", {"validate", "--no-net", "--pedantic", metainfo.string()},
                       &report, &report),
            0)
      << report;
  EXPECT_NE(ReadBytes(metainfo).find(">murva32.desktop</launchable>"), std::string::npos);
  for (const int size : {48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const QImage icon(QString::fromStdString(
        (Share() / "icons" / "hicolor" / folder / "apps" / "murva32.png").string()));
    EXPECT_EQ(icon.size(), QSize(size, size)) << folder;
    EXPECT_TRUE(icon.hasAlphaChannel()) << folder;
  }
}

// Every switch the program's --help names is in the manual page, in the
// README and in the bash completion, and the completion offers them.
TEST_F(InstallTest, EverySwitchIsDocumentedAndCompleted) {
  const ProgramRun help = Murva({"--help"});
  ASSERT_EQ(help.exit_code, 0) << help.errors;
  std::set<std::string> switches;
  const std::regex named(R"((?:^|[\s\[(|])(--[a-z][a-z-]*[a-z]|-[Ee])(?![a-z-]))");
  for (std::sregex_iterator it(help.output.begin(), help.output.end(), named), end; it != end; ++it) {
    switches.insert((*it)[1]);
  }
  ASSERT_GE(switches.size(), 15u) << help.output;
  std::string messages;
  const std::string manual = Manual(&messages);
  const std::string readme = ReadBytes(Share() / "doc" / "murva32" / "README.md");
  const auto completion = Share() / "bash-completion" / "completions" / "murva32";
  const std::string completer = ReadBytes(completion);
  for (const std::string& name : switches) {
    EXPECT_NE(manual.find(name), std::string::npos) << name << " is not in the manual page";
    EXPECT_NE(readme.find(name), std::string::npos) << name << " is not in the README";
    EXPECT_NE(completer.find(name), std::string::npos) << name << " is not in the completion";
  }
  // bash completes a switch's beginning and a value.
  std::string completed;
  const std::string script =
      "source /usr/share/bash-completion/bash_completion && source '" + completion.string() +
      "' && complete() { COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMP_LINE=\"$*\";"
      " COMP_POINT=${#COMP_LINE}; COMPREPLY=(); _murva32;"
      " echo \"${COMPREPLY[*]}\"; } && complete murva32 --ren && complete murva32 --render x.png --page ''";
  ASSERT_EQ(RunCommand("bash", {"-c", script}, &completed, &messages), 0) << messages;
  EXPECT_EQ(completed, "--render\n1 2 3 4 5 6 7 8\n") << messages;
}

TEST_F(InstallTest, TheInstalledProgramBuildsSwitchesItsLogOnRunAndRestoresAtLogOn) {
  const auto background = Background();
  WriteBytes(Settings() / "MURVA32.INI",
             "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
             "EditPathW1=" + background.string() + "\r\nCalendTile=1\r\nCalenAlWay=0\r\n"
             "CalendFold=1\r\n");

  // A plug-in of the user's own (a copy of a shipped one under another name)
  // is vetted in the installed plug-in host.
  std::filesystem::create_directories(Home() / "susie");
  std::filesystem::copy_file(Prefix() / MURVA_INSTALL_LIBDIR / "murva32" / "plugins" / "png.spi",
                             Home() / "susie" / "mine.spi");
  WriteBytes(Settings() / "spi-folder", (Home() / "susie").string() + "\n");

  // 1. The automatic run: the PNG is read through the installed plug-in,
  //    tiled to the screen, written into the settings folder and installed.
  const ProgramRun build = Murva({"-E"});
  ASSERT_EQ(build.exit_code, 0) << build.errors;
  const QImage made(QString::fromStdString((Settings() / "MURVA00.BMP").string()));
  ASSERT_EQ(made.size(), QSize(1024, 768)) << build.errors;
  EXPECT_EQ(made.pixel(1000, 740), kRight);  // 1000 - 640 = 360: the right half
  EXPECT_EQ(RootPixel(), kRight & 0xFFFFFF);
  EXPECT_NE(ReadBytes(Settings() / "MURVA32.INI").find("CalMakeDay=2026/05/04"), std::string::npos);
  // Nothing was written beside the installed program.
  EXPECT_FALSE(std::filesystem::exists(Program().parent_path() / "MURVA32.INI"));
  const std::string verdicts = ReadBytes(Home() / ".cache" / "murva32" / "plugin-verdicts");
  EXPECT_NE(verdicts.find((Home() / "susie" / "mine.spi").string() + "\t"), std::string::npos)
      << verdicts << build.errors;
  EXPECT_NE(verdicts.find("\tusable\t"), std::string::npos) << verdicts;
  EXPECT_EQ(verdicts.find("png.spi"), std::string::npos) << verdicts;

  // The same page without a display through the installed plug-in, for a
  // script: nothing recorded.
  const std::string settings = ReadBytes(Settings() / "MURVA32.INI");
  const auto rendered = Home() / "rendered.png";
  const ProgramRun render = Murva({"--render", rendered.string(), "--size", "800x600"});
  ASSERT_EQ(render.exit_code, 0) << render.errors;
  const QImage picture(QString::fromStdString(rendered.string()));
  ASSERT_EQ(picture.size(), QSize(800, 600));
  EXPECT_EQ(picture.pixel(790, 590), kLeft);  // 790 - 640 = 150: the left half of the second tile
  EXPECT_EQ(ReadBytes(Settings() / "MURVA32.INI"), settings);

  // 2. The log-on run switched on from a script: a valid entry that starts
  //    the installed program with "-E", recorded in the settings.
  const ProgramRun on = Murva({"--autostart", "on"});
  ASSERT_EQ(on.exit_code, 0) << on.errors;
  std::string messages;
  EXPECT_EQ(RunCommand("desktop-file-validate", {Entry().string()}, &messages), 0) << messages;
  const std::string entry = ReadBytes(Entry());
  const std::string exec = "\nExec=" + Program().string() + " -E\n";
  ASSERT_NE(entry.find(exec), std::string::npos) << entry;
  EXPECT_NE(ReadBytes(Settings() / "MURVA32.INI").find("CalAutoRun=1"), std::string::npos);
  EXPECT_EQ(Murva({"--autostart", "status"}).output, "on\n");

  // 3. The next log-on: a new X session has no wallpaper; the entry's
  //    command runs, skips the second build of the day, and puts the
  //    wallpaper back without writing anything.
  ClearRoot();
  ASSERT_EQ(RootPixel(), 0UL);
  const std::string settings_before = ReadBytes(Settings() / "MURVA32.INI");
  const std::string picture_before = ReadBytes(Settings() / "MURVA00.BMP");
  const ProgramRun log_on = Start({Program().string(), "-E"});
  ASSERT_EQ(log_on.exit_code, 0) << log_on.errors;
  EXPECT_EQ(RootPixel(), kRight & 0xFFFFFF) << log_on.errors;
  EXPECT_EQ(ReadBytes(Settings() / "MURVA32.INI"), settings_before);
  EXPECT_EQ(ReadBytes(Settings() / "MURVA00.BMP"), picture_before);

  // 4. With --watch: the log-on run stays resident; both are recorded.
  const ProgramRun watch = Murva({"--autostart", "on", "--watch"});
  ASSERT_EQ(watch.exit_code, 0) << watch.errors;
  EXPECT_NE(ReadBytes(Entry()).find("\nExec=" + Program().string() + " -E --watch\n"),
            std::string::npos);
  EXPECT_NE(ReadBytes(Settings() / "MURVA32.INI").find("CalWatchOn=1"), std::string::npos);
  EXPECT_EQ(Murva({"--autostart", "status"}).output, "on --watch\n");
  EXPECT_EQ(Murva({"--autostart", "off", "--watch"}).exit_code, 2);

  // 5. Off again: the entry goes, and so does the setting.
  const ProgramRun off = Murva({"--autostart", "off"});
  ASSERT_EQ(off.exit_code, 0) << off.errors;
  EXPECT_FALSE(std::filesystem::exists(Entry()));
  EXPECT_NE(ReadBytes(Settings() / "MURVA32.INI").find("CalAutoRun=0"), std::string::npos);
  EXPECT_EQ(Murva({"--autostart", "status"}).output, "off\n");
}

TEST_F(InstallTest, AWrongSwitchValueIsRefusedWithTheUsage) {
  const ProgramRun wrong = Murva({"--autostart", "maybe"});
  EXPECT_EQ(wrong.exit_code, 2);
  EXPECT_NE(wrong.errors.find("--autostart on|off|status"), std::string::npos) << wrong.errors;
  EXPECT_FALSE(std::filesystem::exists(Entry()));
}

}  // namespace
}  // namespace murva
