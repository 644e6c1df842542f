// Loading shared objects and asking the loader for module names.

#include "platform/dynamic_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "imaging/test_support.h"

namespace murva {
namespace {

using test::TempDir;
using test::TestPlugin;

TEST(DynamicLibrary, LoadsAPluginAndFindsItsSymbols) {
  DynamicLibrary library;
  ASSERT_TRUE(library.Open(TestPlugin("basic"))) << library.LastError();
  EXPECT_TRUE(library.IsOpen());
  EXPECT_NE(library.Symbol("GetPluginInfo"), nullptr);
  EXPECT_EQ(library.Symbol("NoSuchFunction"), nullptr);
  EXPECT_EQ(library.FileName(), std::filesystem::path(TestPlugin("basic")).lexically_normal());
  library.Close();
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(library.Symbol("GetPluginInfo"), nullptr);
  EXPECT_EQ(library.FileName(), "");
}

TEST(DynamicLibrary, AMissingFileFailsWithTheLoadersMessage) {
  DynamicLibrary library;
  EXPECT_FALSE(library.Open("/nonexistent/folder/x.spi"));
  EXPECT_FALSE(library.IsOpen());
  EXPECT_NE(library.LastError().find("x.spi"), std::string::npos);
}

TEST(DynamicLibrary, AModuleNeedingWhatTheProcessLacksFailsAtOnce) {
  DynamicLibrary library;
  EXPECT_FALSE(library.Open(TestPlugin("missing_symbol")));
  EXPECT_NE(library.LastError().find("MurvaFunctionNobodyProvides"), std::string::npos)
      << library.LastError();
}

TEST(DynamicLibrary, ABareNameIsAFileInTheCurrentFolderNotALibrarySearch) {
  TempDir dir;
  std::filesystem::copy_file(TestPlugin("basic"), dir / "bare.spi");
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  DynamicLibrary library;
  bool opened = library.Open("bare.spi");
  std::string file_name = library.FileName();
  // "libc.so.6" would be found along the library path by the loader itself.
  DynamicLibrary system_library;
  bool system_opened = system_library.Open("libc.so.6");
  std::filesystem::current_path(previous);
  EXPECT_TRUE(opened) << library.LastError();
  EXPECT_EQ(file_name, (dir / "bare.spi").string());
  EXPECT_FALSE(system_opened);
}

TEST(DynamicLibrary, MovingHandsTheModuleOver) {
  DynamicLibrary first;
  ASSERT_TRUE(first.Open(TestPlugin("basic")));
  DynamicLibrary second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_TRUE(second.IsOpen());
  EXPECT_NE(second.Symbol("IsSupported"), nullptr);
}

TEST(DynamicLibrary, NamesTheModuleOfAnAddressAndTheExecutable) {
  std::string executable = ExecutableFileName();
  ASSERT_FALSE(executable.empty());
  EXPECT_TRUE(std::filesystem::equivalent(executable, "/proc/self/exe"));
  EXPECT_EQ(std::filesystem::path(executable).filename(), "imaging_tests");

  DynamicLibrary library;
  ASSERT_TRUE(library.Open(TestPlugin("basic")));
  EXPECT_EQ(ModuleFileNameOf(library.Symbol("GetPluginInfo")), library.FileName());
}

}  // namespace
}  // namespace murva
