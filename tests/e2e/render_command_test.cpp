// --render run as the real program: the wallpaper of a page on a day at a
// size, pixel for pixel the picture the build of that page writes, made
// without a display while nothing in the program folder changes; the page
// of the day as each page-choice mode gives it; and the usage errors, each
// naming the argument.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QImage>
#include <map>

#include "app/app_test_support.h"
#include "app/run_cycle.h"
#include "imaging/picture_loader.h"
#include "program_runner.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::RunResult;
using testing::TempFolder;

constexpr const char* kFakedClock = "2026-01-15 10:00:00";  // not the day rendered
constexpr const char* kDay = "2026-05-04";                  // a Monday and a holiday
constexpr LocalDateTime kDayMoment{2026, 5, 4, 0, 0, 0};

// Every entry below a folder with its modification time and, for files,
// its bytes.
using FolderState = std::map<std::string, std::pair<std::int64_t, std::string>>;

FolderState StateOf(const std::filesystem::path& folder) {
  FolderState state;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat status {};
    lstat(entry.path().c_str(), &status);
    const std::int64_t time = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
    state[entry.path().lexically_relative(folder).string()] = {
        time, entry.is_regular_file() ? ReadBytes(entry.path()) : std::string()};
  }
  return state;
}

class RenderCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The pages' backgrounds: smaller than the screen (tiled), each its own
    // colour; page 3's is a PNG, read through the shipped plug-in.
    std::filesystem::create_directories(root_ / "run");
    std::filesystem::permissions(root_ / "run", std::filesystem::perms::owner_all);
    MakeBackground(1, QColor(40, 70, 120), "BMP");
    MakeBackground(3, QColor(120, 50, 40), "PNG");
    MakeBackground(5, QColor(50, 110, 60), "BMP");
    const std::string entries = "26/05/04 00 1 会議\r\n26/05/06 00 1 歯医者 %Yellow%\r\n";
    testing::WriteBytes(Program() / "MURVA32.SCH", EncodeCp932(entries).value());
  }

  std::filesystem::path Program() const { return root_ / "program"; }
  std::filesystem::path Background(int page) const {
    return Program() / "pictures" / ("page" + std::to_string(page) + (page == 3 ? ".png" : ".bmp"));
  }

  void MakeBackground(int page, QColor color, const char* format) {
    QImage image(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 400; ++x) image.setPixelColor(x, y, color.lighter(100 + x / 8));
    }
    std::filesystem::create_directories(Background(page).parent_path());
    ASSERT_TRUE(image.save(QString::fromStdString(Background(page).string()), format));
  }

  // The settings: titles, a schedule list, the output in the program folder
  // (where a build would write), and the records a run would change.
  void WriteSettings(int mode) {
    std::string text =
        "[MURVA32PRE]\nCalenSelBa=1\nCalenSelEx=0\n[Murva32V4]\nCalWallUse=" + std::to_string(mode) +
        "\nCalenWeek2=2\nCalWalUsed=5\nCalWalLast=1\nCalMakeDay=2026/05/03\nCalendTile=1\n"
        "CalendFold=1\nCalenTitle=1\nTitlePosiX=40\nTitlePosiY=20\nTiFntName1=ＭＳ Ｐゴシック\n"
        "TiFntSize1=20\nTitleText1=000$YYYY年$MM月$DD日 $WW\nCalSchedul=3\n";
    for (int page : {1, 3, 5}) {
      const std::string n = std::to_string(page);
      text += "EditPathW" + n + "=" + Background(page).string() + "\nSchdulWX1" + n +
              "=40\nSchdulWY1" + n + "=300\n";
    }
    std::string lines;  // CR LF, as the Windows program writes
    for (const char c : text) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    testing::WriteBytes(Program() / "MURVA32.INI", EncodeCp932(lines).value());
  }

  // The real program without a display (an X11 platform asked for, which
  // --render must not use), on a faked clock.
  RunResult Murva(const std::vector<std::string>& arguments) {
    const std::filesystem::path errors = root_ / "stderr.txt";
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("MURVA32_HOME", Program().c_str(), 1);
      setenv("HOME", (root_ / "home").c_str(), 1);
      setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);  // as a session has it
      for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        unsetenv(name);
      }
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      testing::FakeClockFrom(kFakedClock);
      testing::ExecProgram(std::string(MURVA_TEST_BIN_DIR) + "/murva32", arguments, errors);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    RunResult run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = ReadBytes(errors);
    return run;
  }

  // The picture the control panel's build of the page writes on the day, at
  // the screen size, made in this process from a copy of the program folder.
  QImage BuildInProcess(int page, ScreenSize screen) {
    InitializePictureFormats(MURVA_TEST_BIN_DIR);
    const std::filesystem::path copy = root_ / "copy";
    std::filesystem::remove_all(copy);
    std::filesystem::copy(Program(), copy, std::filesystem::copy_options::recursive);
    testing::RecordingView view;
    view.screen = screen;
    testing::FakeLauncher launcher;
    const FixedClock clock(kDayMoment);
    RunEnvironment environment;
    environment.program_folder = copy;
    environment.clock = &clock;
    environment.launcher = &launcher;
    RunCycle cycle(view, environment);
    cycle.FormCreate();
    cycle.FormActivate();
    cycle.Copy().wallpaper_page = page;
    cycle.Store().LoadPageSettings(cycle.Copy());
    cycle.SpeedButtonMakeClick();
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    return QImage(QString::fromStdString((copy / "MURVA00.BMP").string()));
  }

  TempFolder root_;
};

struct RenderCase {
  const char* name;
  int mode;                        // CalWallUse
  std::vector<std::string> words;  // after "--render FILE --date DAY"
  const char* file;
  int page;                        // the page that must be drawn
  ScreenSize size;
};

TEST_F(RenderCommandTest, ThePictureIsTheBuildsOfThePageOfTheDayAndNothingChanges) {
  const RenderCase cases[] = {
      {"BASIC, the default size", 0, {}, "basic.png", 1, {1920, 1080}},
      {"WEEK: Monday's page", 1, {"--size", "800x600"}, "week.png", 3, {800, 600}},
      {"RANDOM: the page last used", 2, {"--size=640x480"}, "random.bmp", 5, {640, 480}},
      {"NewRANDOM, a page asked for", 3, {"--page", "3", "--size", "800x600"}, "page.png", 3, {800, 600}},
  };
  for (const RenderCase& item : cases) {
    SCOPED_TRACE(item.name);
    WriteSettings(item.mode);
    const FolderState before = StateOf(Program());
    const std::filesystem::path output = root_ / item.file;
    std::vector<std::string> arguments = {"--render", output.string(), "--date", kDay};
    arguments.insert(arguments.end(), item.words.begin(), item.words.end());

    const RunResult run = Murva(arguments);
    ASSERT_EQ(run.exit_code, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(StateOf(Program()) == before) << "the program folder changed";

    const QImage rendered = QImage(QString::fromStdString(output.string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(rendered.size(), QSize(item.size.width, item.size.height));
    const QImage built = BuildInProcess(item.page, item.size).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(built.size(), rendered.size());
    int different = 0;
    for (int y = 0; y < built.height(); ++y) {
      for (int x = 0; x < built.width(); ++x) different += built.pixel(x, y) != rendered.pixel(x, y);
    }
    EXPECT_EQ(different, 0);
  }
}

TEST_F(RenderCommandTest, AMissingBackgroundIsNamedAndWritesNothing) {
  WriteSettings(0);
  std::filesystem::remove(Background(1));
  const RunResult run = Murva({"--render", (root_ / "out.png").string(), "--date", kDay});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.errors.find("page 1"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find(Background(1).string()), std::string::npos) << run.errors;
  EXPECT_FALSE(std::filesystem::exists(root_ / "out.png"));
}

TEST_F(RenderCommandTest, UsageErrorsNameTheArgumentAndExitWithTwo) {
  const std::string out = (root_ / "out.png").string();
  const struct {
    std::vector<std::string> arguments;
    std::string named;
  } cases[] = {
      {{"--frobnicate"}, "unknown switch \"--frobnicate\""},
      {{"--render", out, "--size", "0x0"}, "--size \"0x0\""},
      {{"--render", out, "--date", "2026-02-30"}, "--date \"2026-02-30\""},
      {{"--render", out, "--page", "9"}, "--page \"9\""},
      {{"--render", (root_ / "out.jpg").string()}, "out.jpg"},
  };
  for (const auto& item : cases) {
    SCOPED_TRACE(item.named);
    const RunResult run = Murva(item.arguments);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.errors.find(item.named), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("usage: murva32"), std::string::npos) << run.errors;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace murva
