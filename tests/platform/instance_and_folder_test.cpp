#include <gtest/gtest.h>

#include <map>

#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::TempFolder;

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstEnds) {
  TempFolder folder;
  const auto file = folder / "Murva32";
  {
    std::optional<InstanceLock> first = InstanceLock::Acquire(file);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(InstanceLock::Acquire(file).has_value());
    // Moving the lock keeps it held.
    InstanceLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(InstanceLock::Acquire(file).has_value());
  }
  EXPECT_TRUE(InstanceLock::Acquire(file).has_value());
}

TEST(InstanceLock, LockFileLivesInTheRuntimeFolder) {
  TempFolder folder;
  setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
  EXPECT_EQ(InstanceLock::DefaultLockFile(), folder / "Murva32");
  setenv("XDG_RUNTIME_DIR", (folder / "missing").c_str(), 1);
  EXPECT_EQ(InstanceLock::DefaultLockFile().parent_path(), "/tmp");
  unsetenv("XDG_RUNTIME_DIR");
}

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
}

TEST(ProgramFolder, HomeVariableWins) {
  TempFolder folder;
  EXPECT_EQ(ResolveProgramFolder(folder.Path(), Environment({{"MURVA32_HOME", "/srv/murva"}})),
            "/srv/murva");
}

TEST(ProgramFolder, PortableInstallKeepsItsSettingsBesideTheProgram) {
  TempFolder folder;
  EXPECT_EQ(ResolveProgramFolder(folder.Path(), Environment({{"HOME", "/home/u"}})),
            folder.Path());
}

TEST(ProgramFolder, UnwritableInstallUsesTheConfigFolder) {
  // A folder nobody can write to: one that does not exist.
  EXPECT_EQ(ResolveProgramFolder("/nonexistent/bin", Environment({{"HOME", "/home/u"}})),
            "/home/u/.config/murva32");
  EXPECT_EQ(ResolveProgramFolder("/nonexistent/bin", Environment({{"XDG_CONFIG_HOME", "/cfg"}})),
            "/cfg/murva32");
}

TEST(ProgramFolder, AnInstallationNeverKeepsSettingsBesideTheProgram) {
  // <prefix>/bin beside <prefix>/share/applications/murva32.desktop, writable
  // (as /usr/bin is for the administrator).
  TempFolder prefix;
  std::filesystem::create_directories(prefix / "bin");
  testing::WriteBytes(prefix / "share" / "applications" / "murva32.desktop", "[Desktop Entry]\n");
  EXPECT_TRUE(IsInstalledProgramFolder(prefix / "bin"));
  EXPECT_EQ(ResolveProgramFolder(prefix / "bin", Environment({{"XDG_CONFIG_HOME", "/cfg"}})),
            "/cfg/murva32");
  // Settings someone put there on purpose are still used.
  testing::WriteBytes(prefix / "bin" / "MURVA32.INI", "");
  EXPECT_EQ(ResolveProgramFolder(prefix / "bin", Environment({{"XDG_CONFIG_HOME", "/cfg"}})),
            prefix / "bin");
  EXPECT_FALSE(IsInstalledProgramFolder(prefix.Path()));
}

TEST(ProgramFolder, MissingExecutableFolderFallsBackToConfig) {
  EXPECT_EQ(ResolveProgramFolder({}, Environment({{"XDG_CONFIG_HOME", "/cfg"}})), "/cfg/murva32");
  // A relative XDG_CONFIG_HOME is ignored, as the base-directory rules say.
  EXPECT_EQ(ResolveProgramFolder({}, Environment({{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/h"}})),
            "/h/.config/murva32");
}

}  // namespace
}  // namespace murva
