// A named pipe, an endless device, a folder or a file over the limit where
// MURVA32.INI should be: read as no settings at once, named with the reason,
// and never written over.
#include <gtest/gtest.h>

#include "platform/bounded_file.h"
#include "settings/settings_store.h"
#include "settings/settings_test_support.h"
#include "support/hostile_files.h"

namespace murva {
namespace {

using testing::HostileKind;

class HostileSettingsFile : public ::testing::TestWithParam<HostileKind> {};

TEST_P(HostileSettingsFile, ReadsAsDefaultsIsNamedAndIsNeverWrittenOver) {
  testing::TempFolder folder;
  const auto path = folder.File("MURVA32.INI");
  testing::MakeHostile(GetParam(), path, kTextFileReadLimit);
  const SettingsStore store(path);
  EXPECT_FALSE(store.FileExists());
  const std::string message = store.ReadProblemMessage();
  EXPECT_EQ(message.rfind("ﾌｧｲﾙ " + path.string() + " は開けません\r", 0), 0u) << message;
  EXPECT_NE(message.find(testing::HostileReason(GetParam())), std::string::npos) << message;

  WorkingCopy copy;
  store.LoadSetChoice(copy);
  store.LoadPageSettings(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kBasic);
  EXPECT_EQ(copy.layout.month_spacing, 30);
  EXPECT_THROW(store.WriteRecord(copy, "CalMakeDay", "2026/05/03"), SettingsWriteError);
  EXPECT_TRUE(testing::StillHostile(GetParam(), path, kTextFileReadLimit));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileSettingsFile, ::testing::ValuesIn(testing::AllHostileKinds()),
                         [](const auto& info) { return testing::HostileName(info.param); });

TEST(HostileSettingsFile, AMissingFileIsNoProblem) {
  testing::TempFolder folder;
  const SettingsStore store(folder.File("MURVA32.INI"));
  EXPECT_FALSE(store.FileExists());
  EXPECT_EQ(store.ReadProblemMessage(), "");
}

}  // namespace
}  // namespace murva
