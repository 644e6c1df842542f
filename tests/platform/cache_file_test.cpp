// Cache files: whatever stands at a cache file's name is replaced by a new
// regular file of mode 0600, never written through, and read only when it
// is a regular file of the user's.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

#include "platform/cache_folder.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// What a test puts at the cache file's name before the program writes it.
struct InPlace {
  std::string what;
  // Makes it at cache; `mine` is a file of the test's a link may point to.
  // False when it cannot be made here.
  std::function<bool(const fs::path& cache, const fs::path& mine)> make;
};

const std::vector<InPlace>& EveryKind() {
  static const std::vector<InPlace> kinds = {
      {"link_to_a_file_of_the_users",
       [](const fs::path& cache, const fs::path& mine) {
         fs::create_symlink(mine, cache);
         return true;
       }},
      {"link_to_nowhere",
       [](const fs::path& cache, const fs::path& mine) {
         fs::create_symlink(mine.parent_path() / "nowhere", cache);
         return true;
       }},
      {"link_to_a_named_pipe",
       [](const fs::path& cache, const fs::path& mine) {
         fs::create_symlink(mine.parent_path() / "pipe", cache);
         return mkfifo((mine.parent_path() / "pipe").c_str(), 0600) == 0;
       }},
      {"folder",
       [](const fs::path& cache, const fs::path&) {
         fs::create_directories(cache / "inner");
         WriteBytes(cache / "inner" / "file", "kept?");
         return true;
       }},
      {"named_pipe",
       [](const fs::path& cache, const fs::path&) { return mkfifo(cache.c_str(), 0600) == 0; }},
      {"device",  // as /dev/null is (making one needs the privilege)
       [](const fs::path& cache, const fs::path&) {
         return mknod(cache.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
       }},
      {"file_of_mode_000",
       [](const fs::path& cache, const fs::path&) {
         WriteBytes(cache, "old cache\n");
         return chmod(cache.c_str(), 0) == 0;
       }},
  };
  return kinds;
}

class CacheFile : public ::testing::TestWithParam<InPlace> {
 protected:
  void SetUp() override {
    WriteBytes(mine_, "a file of the user's\n");
    fs::create_directories(cache_.parent_path());
    if (!GetParam().make(cache_, mine_)) GTEST_SKIP() << "cannot be made here";
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(cache_.parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempFolder folder_;
  fs::path mine_ = folder_ / "mine";
  fs::path cache_ = folder_ / "cache" / "murva32" / "page-sizes";
};

// A regular file of the user's of mode 000 is read where its mode allows
// (by root), so only the other kinds are refused everywhere.
std::vector<InPlace> KindsNeverRead() {
  std::vector<InPlace> kinds;
  for (const auto& kind : EveryKind()) {
    if (kind.what != "file_of_mode_000") kinds.push_back(kind);
  }
  return kinds;
}

class CacheFileRead : public CacheFile {};

TEST_P(CacheFileRead, IsNotReadFromAnythingButARegularFileOfTheUsers) {
  std::string bytes = "left over";
  EXPECT_FALSE(ReadCacheFile(cache_, 1024, bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_P(CacheFile, IsReplacedByANewRegularFileOfMode0600NeverWrittenThrough) {
  std::string error;
  ASSERT_TRUE(WriteCacheFile(cache_, "new cache\n", error)) << error;
  EXPECT_EQ(ReadBytes(mine_), "a file of the user's\n");
  if (fs::exists(folder_ / "pipe")) {
    EXPECT_TRUE(fs::is_fifo(folder_ / "pipe"));
  }
  EXPECT_FALSE(fs::exists(folder_ / "cache" / "murva32" / "nowhere"));
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));
  struct stat status {};
  ASSERT_EQ(lstat(cache_.c_str(), &status), 0);
  EXPECT_TRUE(S_ISREG(status.st_mode));
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(status.st_uid, geteuid());
  std::string bytes;
  ASSERT_TRUE(ReadCacheFile(cache_, 1024, bytes));
  EXPECT_EQ(bytes, "new cache\n");
  // Nothing else is left beside it (no temporary file, no old folder).
  EXPECT_EQ(Names(), std::vector<std::string>{"page-sizes"});
}

INSTANTIATE_TEST_SUITE_P(WhateverStandsThere, CacheFile, ::testing::ValuesIn(EveryKind()),
                         [](const auto& info) { return info.param.what; });
INSTANTIATE_TEST_SUITE_P(WhateverStandsThere, CacheFileRead, ::testing::ValuesIn(KindsNeverRead()),
                         [](const auto& info) { return info.param.what; });

TEST(CacheFolder, IsMadeForTheUserAloneAndAFileOfAnotherUserIsNotRead) {
  TempFolder folder;
  const fs::path cache = folder / "cache" / "murva32" / "plugin-verdicts";
  std::string error;
  ASSERT_TRUE(WriteCacheFile(cache, "v\n", error)) << error;
  EXPECT_EQ(fs::status(cache.parent_path()).permissions() & fs::perms::all,
            fs::perms::owner_all);
  std::string bytes;
  EXPECT_TRUE(ReadCacheFile(cache, 1024, bytes));
  // Too large is no cache either.
  EXPECT_FALSE(ReadCacheFile(cache, 1, bytes));
  if (geteuid() != 0) GTEST_SKIP() << "giving a file away needs root";
  ASSERT_EQ(chown(cache.c_str(), 65534, 65534), 0);
  EXPECT_FALSE(ReadCacheFile(cache, 1024, bytes));
}

}  // namespace
}  // namespace murva
