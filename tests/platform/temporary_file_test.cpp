// Temporary files of atomic saves: named after their writer, and removed by a
// later save only when that writer no longer runs.
#include "platform/temporary_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>

#include "platform/replace_file.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A process that has ended: its identity as it was while it ran.
WriterIdentity EndedWriter() {
  int pipe_fds[2];
  EXPECT_EQ(pipe(pipe_fds), 0);
  const pid_t child = fork();
  if (child == 0) {
    const WriterIdentity me = CurrentWriter();
    const std::string text = std::to_string(me.pid) + " " + std::to_string(me.start);
    (void)!write(pipe_fds[1], text.data(), text.size());
    _exit(0);
  }
  close(pipe_fds[1]);
  char buffer[64] = {};
  (void)!read(pipe_fds[0], buffer, sizeof buffer - 1);
  close(pipe_fds[0]);
  waitpid(child, nullptr, 0);
  WriterIdentity writer = CurrentWriter();
  std::sscanf(buffer, "%ld %llu", &writer.pid, &writer.start);
  return writer;
}

std::string NameOf(const std::string& target, const WriterIdentity& writer,
                   const std::string& random = "123") {
  return "." + target + ".tmp-" + writer.boot + "-" + std::to_string(writer.pid) + "-" +
         std::to_string(writer.start) + "-" + random;
}

TEST(TemporaryFileNames, NameTheWriterInTheirOwnAndTheOldForms) {
  const WriterIdentity writer{"0123abcd", 4242, 987654};
  EXPECT_EQ(TemporaryFileWriter("MURVA32.INI", ".MURVA32.INI.tmp-0123abcd-4242-987654-77"), writer);
  EXPECT_EQ(TemporaryFileWriter("MURVA32.INI", ".MURVA32.INI.tmp4242-77"),
            (WriterIdentity{"", 4242, 0}));
  EXPECT_EQ(TemporaryFileWriter("config", ".config.murva32-4242"), (WriterIdentity{"", 4242, 0}));
  for (const char* other :
       {"MURVA32.INI", ".MURVA32.INI", ".MURVA32.SCH.tmp-0123abcd-4242-987654-77",
        ".MURVA32.INI.tmp-0123abcd-4242-987654-77x", ".MURVA32.INI.tmp-0123ABCD-1-2-3",
        ".MURVA32.INI.tmp-0123abcd-4242", ".MURVA32.INI.tmp", ".MURVA32.INI.tmp-x",
        ".MURVA32.INI.murva32-", ".MURVA32.INI.tmp12"}) {
    EXPECT_FALSE(TemporaryFileWriter("MURVA32.INI", other).has_value()) << other;
  }
}

TEST(TemporaryFileWriters, ThisProcessRunsAnEndedOneDoesNot) {
  const WriterIdentity me = CurrentWriter();
  EXPECT_EQ(me.pid, getpid());
  EXPECT_GT(me.start, 0u);
  EXPECT_EQ(me.boot.size(), 8u);
  EXPECT_TRUE(WriterRuns(me));

  const WriterIdentity ended = EndedWriter();
  EXPECT_FALSE(WriterRuns(ended));
  // This process's id with another start time: an earlier process that had
  // the same id.
  WriterIdentity earlier = me;
  earlier.start -= 1;
  EXPECT_FALSE(WriterRuns(earlier));
  // Before the last reboot.
  WriterIdentity before_reboot = me;
  before_reboot.boot = before_reboot.boot == "00000000" ? "11111111" : "00000000";
  EXPECT_FALSE(WriterRuns(before_reboot));
  // An old name knows only the id: it counts as running while the id does.
  EXPECT_TRUE(WriterRuns({"", me.pid, 0}));
  EXPECT_FALSE(WriterRuns({"", ended.pid, 0}));
}

TEST(TemporaryFileCleanUp, RemovesOnlyAbandonedUnlockedFilesOfItsTarget) {
  TempFolder folder;
  const fs::path target = folder / "MURVA32.SCH";
  WriteBytes(target, "entries");
  const WriterIdentity ended = EndedWriter();
  WriterIdentity before_reboot = CurrentWriter();
  before_reboot.boot = before_reboot.boot == "00000000" ? "11111111" : "00000000";

  const std::string abandoned = NameOf("MURVA32.SCH", ended);
  const std::string from_last_boot = NameOf("MURVA32.SCH", before_reboot);
  const std::string old_form = ".MURVA32.SCH.tmp" + std::to_string(ended.pid) + "-5";
  const std::string live = NameOf("MURVA32.SCH", CurrentWriter());
  const std::string locked = NameOf("MURVA32.SCH", ended, "9");
  const std::string other_target = NameOf("MURVA32.INI", ended);
  for (const std::string& name : {abandoned, from_last_boot, old_form, live, locked, other_target}) {
    WriteBytes(folder / name, "half");
  }
  // Someone in another process namespace, whose id means nothing here,
  // still writes this one.
  const int lock_fd = open((folder / locked).c_str(), O_RDONLY);
  ASSERT_EQ(flock(lock_fd, LOCK_EX), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    pause();
    _exit(0);
  }
  close(lock_fd);  // the child keeps the lock

  EXPECT_EQ(RemoveAbandonedTemporaryFiles(target), 3);
  std::vector<std::string> expected{"MURVA32.SCH", live, locked, other_target};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(folder.Path()), expected);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
}

TEST(TemporaryFileCleanUp, AReplacementRemovesLeftoversAndLeavesNoneOfItsOwn) {
  TempFolder folder;
  const fs::path target = folder / "murva32.desktop";
  WriteBytes(target, "old");
  WriteBytes(folder / NameOf("murva32.desktop", EndedWriter()), "half");
  WriteBytes(folder / (".murva32.desktop.murva32-" + std::to_string(EndedWriter().pid)), "half");
  std::string error;
  ASSERT_TRUE(ReplaceFile(target, "new", error)) << error;
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"murva32.desktop"});
}

// Names of abandoned temporary files that are no regular file of the
// user's: the clean-up neither removes them nor reaches what they point to.
TEST(TemporaryFileCleanUp, LeavesLinksFoldersAndPipesOfSuchNamesAlone) {
  TempFolder folder;
  const fs::path target = folder / "MURVA32.INI";
  WriteBytes(folder / "mine", "a file of the user's");
  const WriterIdentity ended = EndedWriter();
  const std::string link = NameOf("MURVA32.INI", ended, "1");
  const std::string sub = NameOf("MURVA32.INI", ended, "2");
  const std::string pipe = NameOf("MURVA32.INI", ended, "3");
  fs::create_symlink(folder / "mine", folder / link);
  fs::create_directory(folder / sub);
  ASSERT_EQ(mkfifo((folder / pipe).c_str(), 0600), 0);
  EXPECT_EQ(RemoveAbandonedTemporaryFiles(target), 0);
  std::vector<std::string> expected{"mine", link, sub, pipe};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(folder.Path()), expected);
  EXPECT_EQ(ReadBytes(folder / "mine"), "a file of the user's");
}

TEST(TemporaryFileCleanUp, TheFileOfASaveInProgressIsNamedAfterItsWriterAndLocked) {
  TempFolder folder;
  TemporaryFile file;
  ASSERT_TRUE(file.Create(folder / "MURVA32.INI", 0600));
  EXPECT_EQ(TemporaryFileWriter("MURVA32.INI", file.Path().filename().string()), CurrentWriter());
  const int other = open(file.Path().c_str(), O_RDONLY);
  EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
  close(other);
  EXPECT_EQ(RemoveAbandonedTemporaryFiles(folder / "MURVA32.INI"), 0);
  file.Discard();
  EXPECT_TRUE(Names(folder.Path()).empty());
}

}  // namespace
}  // namespace murva
