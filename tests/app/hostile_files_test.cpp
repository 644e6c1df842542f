// The automatic run with a named pipe, an endless device, a folder or a file
// over its limit in each role the program reads a file in: the settings,
// the schedule, the external schedule and the background. Every run comes
// to its end with the expected message, and nothing is written over.
#include <gtest/gtest.h>

#include "app/messages.h"
#include "app/run_cycle.h"
#include "app_test_support.h"
#include "imaging/graphic.h"
#include "platform/bounded_file.h"
#include "support/hostile_files.h"

namespace murva {
namespace {

using testing::HostileKind;

enum class Role { kSettings, kSchedule, kExternal, kBackground };

struct Case {
  Role role;
  HostileKind kind;
};

std::string RoleName(Role role) {
  switch (role) {
    case Role::kSettings: return "Settings";
    case Role::kSchedule: return "Schedule";
    case Role::kExternal: return "External";
    case Role::kBackground: return "Background";
  }
  return "?";
}

class HostileRunTest : public ::testing::TestWithParam<Case> {
 protected:
  std::filesystem::path HostilePath() const {
    switch (GetParam().role) {
      case Role::kSettings: return folder_ / "MURVA32.INI";
      case Role::kSchedule: return folder_ / "MURVA32.SCH";
      case Role::kExternal: return folder_ / "SELBORI.DAT";
      case Role::kBackground: return folder_ / "back.bmp";
    }
    return {};
  }
  std::size_t Limit() const {
    return GetParam().role == Role::kBackground ? kPictureFileReadLimit : kTextFileReadLimit;
  }

  void SetUp() override {
    testing::SavePicture(testing::QuadrantPicture(64, 48), folder_ / "good.bmp", "BMP");
    const std::string background =
        (GetParam().role == Role::kBackground ? HostilePath() : folder_ / "good.bmp").string();
    if (GetParam().role != Role::kSettings) {
      testing::WriteIni(folder_ / "MURVA32.INI",
                        {"[MURVA32PRE]", "CalenSelBa=1", "CalenSelEx=0", "[Murva32V4]",
                         "CalendTile=0", "CalSchedul=4", "UseSelbori=2",
                         "SelborPath=" + (folder_ / "SELBORI.DAT").string(),
                         "EditPathW1=" + background});
    }
    testing::MakeHostile(GetParam().kind, HostilePath(), Limit());
  }

  // A whole automatic run: start-up, then the activation that builds.
  void Run() {
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.first_argument = "-E";
    environment.clock = &clock_;
    environment.random = &random_;
    environment.launcher = &launcher_;
    environment.installer = &installer_;
    RunCycle cycle(view_, environment);
    cycle.FormCreate();
    cycle.FormActivate();
  }

  bool Built() const { return std::filesystem::exists(folder_ / "MURVA00.BMP"); }
  bool SaidOnce(const std::string& text) const {
    return std::count(view_.messages.begin(), view_.messages.end(), text) >= 1;
  }
  bool SaidSomethingWith(const std::string& part) const {
    return std::any_of(view_.messages.begin(), view_.messages.end(),
                       [&](const std::string& m) { return m.find(part) != std::string::npos; });
  }

  testing::TempFolder folder_;
  FixedClock clock_{LocalDateTime{2026, 12, 6, 8, 30, 0}};
  testing::ScriptedRandom random_;
  testing::FakeLauncher launcher_;
  testing::FakeInstaller installer_;
  testing::RecordingView view_;
};

TEST_P(HostileRunTest, TheRunEndsWithItsMessageAndNothingIsWrittenOver) {
  Run();
  const std::string path = HostilePath().string();
  const std::string reason = testing::HostileReason(GetParam().kind);
  switch (GetParam().role) {
    case Role::kSettings:
      // As without a settings file: the first-use message, with the file
      // named first; the run then goes on (and has no background).
      ASSERT_FALSE(view_.messages.empty());
      EXPECT_EQ(view_.messages[0].rfind("ﾌｧｲﾙ " + path + " は開けません\r", 0), 0u)
          << view_.messages[0];
      EXPECT_NE(view_.messages[0].find(reason), std::string::npos);
      EXPECT_NE(view_.messages[0].find(text::SettingsMissingText(folder_.Path().string())), std::string::npos);
      EXPECT_TRUE(SaidSomethingWith("指定された壁紙 [  ] がありません\r"));
      break;
    case Role::kSchedule:
      // The schedule cannot be read: the build stops with the message.
      EXPECT_TRUE(SaidSomethingWith("ﾌｧｲﾙ " + path + " は開けません\r"));
      EXPECT_TRUE(SaidSomethingWith(reason));
      EXPECT_FALSE(Built());
      break;
    case Role::kExternal:
      // Its stand-in line is drawn; nothing to say, the wallpaper is built.
      EXPECT_TRUE(view_.messages.empty()) << view_.messages.front();
      EXPECT_TRUE(Built());
      EXPECT_EQ(installer_.installed.size(), 1u);
      break;
    case Role::kBackground:
      if (GetParam().kind == HostileKind::kOverLimit) {
        EXPECT_TRUE(SaidSomethingWith("ファイル \"" + path + "\" を開けません。"));
        EXPECT_TRUE(SaidSomethingWith(reason));
      } else {
        // No picture file stands there: as for a missing background.
        EXPECT_TRUE(SaidOnce("指定された壁紙 [ " + path + " ] がありません"));
      }
      EXPECT_FALSE(Built());
      break;
  }
  EXPECT_TRUE(testing::StillHostile(GetParam().kind, HostilePath(), Limit()));
}

std::vector<Case> AllCases() {
  std::vector<Case> cases;
  for (Role role : {Role::kSettings, Role::kSchedule, Role::kExternal, Role::kBackground}) {
    for (HostileKind kind : testing::AllHostileKinds()) cases.push_back({role, kind});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(RolesAndKinds, HostileRunTest, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) {
                           return RoleName(info.param.role) + "_" +
                                  testing::HostileName(info.param.kind);
                         });

}  // namespace
}  // namespace murva
