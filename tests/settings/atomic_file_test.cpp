#include "settings/atomic_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include <gtest/gtest.h>

#include "platform/bounded_file.h"
#include "settings/settings_test_support.h"

namespace murva {
namespace {

using testing::FileSizeLimit;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ReadBoundedFile, GivesEveryByte) {
  TempFolder folder;
  std::string bytes("a\0b\r\n\x82\xa0", 7);
  WriteBytes(folder.File("f"), bytes);
  std::string read;
  EXPECT_TRUE(ReadBoundedFile(folder.File("f"), kTextFileReadLimit, read).Ok());
  EXPECT_EQ(read, bytes);
}

TEST(ReadBoundedFile, MissingFileOrFolderGivesNothing) {
  TempFolder folder;
  std::string read;
  EXPECT_EQ(ReadBoundedFile(folder.File("missing"), kTextFileReadLimit, read).status,
            FileReadStatus::kMissing);
  EXPECT_EQ(ReadBoundedFile(folder.Path(), kTextFileReadLimit, read).status,
            FileReadStatus::kNotRegularFile);
  EXPECT_TRUE(read.empty());
}

TEST(ReplaceFileAtomically, CreatesAMissingFile) {
  TempFolder folder;
  ASSERT_TRUE(ReplaceFileAtomically(folder.File("new.ini"), "x=1\r\n"));
  EXPECT_EQ(ReadBytes(folder.File("new.ini")), "x=1\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"new.ini"});
}

TEST(ReplaceFileAtomically, ReplacesContentAndLeavesNoTemporaryFile) {
  TempFolder folder;
  WriteBytes(folder.File("a.ini"), std::string(5000, 'o'));
  ASSERT_TRUE(ReplaceFileAtomically(folder.File("a.ini"), "short"));
  EXPECT_EQ(ReadBytes(folder.File("a.ini")), "short");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ini"});
}

TEST(ReplaceFileAtomically, KeepsThePermissionBits) {
  TempFolder folder;
  WriteBytes(folder.File("a.ini"), "old");
  ASSERT_EQ(chmod(folder.File("a.ini").c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFileAtomically(folder.File("a.ini"), "new"));
  struct stat status {};
  ASSERT_EQ(stat(folder.File("a.ini").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(ReplaceFileAtomically, WritesThroughASymbolicLink) {
  TempFolder folder;
  WriteBytes(folder.File("real.ini"), "old");
  std::filesystem::create_symlink("real.ini", folder.File("link.ini"));
  ASSERT_TRUE(ReplaceFileAtomically(folder.File("link.ini"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.ini")));
  EXPECT_EQ(ReadBytes(folder.File("real.ini")), "new");
}

TEST(ReplaceFileAtomically, FailsWhenTheFolderCannotExist) {
  TempFolder folder;
  WriteBytes(folder.File("plain"), "a file, not a folder");
  errno = 0;
  EXPECT_FALSE(ReplaceFileAtomically(folder.File("plain") / "a.ini", "x"));
  EXPECT_EQ(errno, ENOTDIR);
  EXPECT_EQ(ReadBytes(folder.File("plain")), "a file, not a folder");
}

TEST(ReplaceFileAtomically, RefusesToReplaceAFolder) {
  TempFolder folder;
  std::filesystem::create_directory(folder.File("dir"));
  EXPECT_FALSE(ReplaceFileAtomically(folder.File("dir"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("dir")));
}

TEST(ReplaceFileAtomically, FailedWriteLeavesOldContentAndNoTemporaryFile) {
  TempFolder folder;
  const std::string old_content = "[Murva32V4]\r\nCalendStyl=1\r\n";
  WriteBytes(folder.File("a.ini"), old_content);
  bool written = true;
  int error = 0;
  {
    FileSizeLimit limit(64);
    written = ReplaceFileAtomically(folder.File("a.ini"), std::string(4096, 'x'));
    error = errno;
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(ReadBytes(folder.File("a.ini")), old_content);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ini"});
}

// Content written piece by piece, with and without flushing to disk, lands
// the same way; a producer that gives up keeps the old file.
TEST(ReplaceFileAtomically, PiecewiseContentInBothDurabilities) {
  for (const FileDurability durability : {FileDurability::kSynced, FileDurability::kRenamedOnly}) {
    TempFolder folder;
    WriteBytes(folder.File("out.bmp"), "old");
    ASSERT_TRUE(ReplaceFileAtomically(
        folder.File("out.bmp"),
        [](const FileAppender& append) { return append("BM") && append("") && append("rows"); },
        durability));
    EXPECT_EQ(ReadBytes(folder.File("out.bmp")), "BMrows");

    errno = 0;
    EXPECT_FALSE(ReplaceFileAtomically(
        folder.File("out.bmp"), [](const FileAppender& append) { return append("half") && false; },
        durability));
    EXPECT_NE(errno, 0);
    EXPECT_EQ(ReadBytes(folder.File("out.bmp")), "BMrows");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.bmp"});

    // Through a symbolic link the file it names gets the content, and keeps
    // its permission bits.
    chmod(folder.File("out.bmp").c_str(), 0640);
    std::filesystem::create_symlink("out.bmp", folder.File("link.bmp"));
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("link.bmp"), "new", durability));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.bmp")));
    EXPECT_EQ(ReadBytes(folder.File("out.bmp")), "new");
    struct stat status {};
    ASSERT_EQ(stat(folder.File("out.bmp").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    std::vector<std::string> entries = folder.Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"link.bmp", "out.bmp"}));
  }
}

}  // namespace
}  // namespace murva
