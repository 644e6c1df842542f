// Whole-file reads that never block and never take more than their limit:
// every kind of thing that can stand at a path a user names.
#include "platform/bounded_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "support/temp_folder.h"
#include "support/unprivileged_user.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteBytes;

struct Hostile {
  const char* name;
  // Makes the thing at path; false when this machine cannot have it.
  std::function<bool(const fs::path& path)> make;
  FileReadStatus status;
  const char* reason_part;
};

std::vector<Hostile> HostileKinds() {
  return {
      {"NamedPipe", [](const fs::path& p) { return mkfifo(p.c_str(), 0600) == 0; },
       FileReadStatus::kNotRegularFile, "名前付きパイプ"},
      {"LinkToDevZero",
       [](const fs::path& p) {
         fs::create_symlink("/dev/zero", p);
         return true;
       },
       FileReadStatus::kNotRegularFile, "デバイス"},
      {"LinkToDevUrandom",
       [](const fs::path& p) {
         fs::create_symlink("/dev/urandom", p);
         return true;
       },
       FileReadStatus::kNotRegularFile, "デバイス"},
      {"Folder", [](const fs::path& p) { return fs::create_directory(p); },
       FileReadStatus::kNotRegularFile, "フォルダ"},
      {"Socket",
       [](const fs::path& p) {
         const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         if (p.string().size() >= sizeof address.sun_path) return false;
         std::snprintf(address.sun_path, sizeof address.sun_path, "%s", p.c_str());
         const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
         close(fd);
         return bound;
       },
       FileReadStatus::kNotRegularFile, "ソケット"},
      {"OverTheLimit",
       [](const fs::path& p) {
         WriteBytes(p, std::string(1001, 'x'));
         return true;
       },
       FileReadStatus::kTooLarge, "上限 1000 バイト"},
      {"BrokenLink",
       [](const fs::path& p) {
         fs::create_symlink("nowhere", p);
         return true;
       },
       FileReadStatus::kMissing, ""},
  };
}

class BoundedFileHostile : public ::testing::TestWithParam<Hostile> {};

TEST_P(BoundedFileHostile, IsRefusedAtOnceWithAReason) {
  TempFolder folder;
  const fs::path path = folder / "target";
  if (!GetParam().make(path)) GTEST_SKIP() << "cannot make " << GetParam().name << " here";
  std::string bytes = "old";
  const FileReadResult read = ReadBoundedFile(path, 1000, bytes);
  EXPECT_EQ(read.status, GetParam().status);
  EXPECT_TRUE(bytes.empty());
  EXPECT_NE(FileReadReason(read).find(GetParam().reason_part), std::string::npos)
      << FileReadReason(read);
  // The same through the picture reader's container.
  std::vector<std::uint8_t> pixels{1, 2, 3};
  EXPECT_EQ(ReadBoundedFile(path, 1000, pixels).status, GetParam().status);
  EXPECT_TRUE(pixels.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, BoundedFileHostile, ::testing::ValuesIn(HostileKinds()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BoundedFile, ReadsARegularFileUpToExactlyItsLimit) {
  TempFolder folder;
  const std::string content("a\0b\r\n\x82\xa0", 7);
  WriteBytes(folder / "f", content);
  std::string bytes;
  EXPECT_TRUE(ReadBoundedFile(folder / "f", 7, bytes).Ok());
  EXPECT_EQ(bytes, content);
  EXPECT_EQ(ReadBoundedFile(folder / "f", 6, bytes).status, FileReadStatus::kTooLarge);
  WriteBytes(folder / "empty", "");
  EXPECT_TRUE(ReadBoundedFile(folder / "empty", 0, bytes).Ok());
  EXPECT_TRUE(bytes.empty());
}

TEST(BoundedFile, AFileThatTellsNoSizeIsReadToItsEnd) {
  // Files under /proc report a size of 0 and are still read whole.
  std::string bytes;
  ASSERT_TRUE(ReadBoundedFile("/proc/self/stat", 4096, bytes).Ok());
  EXPECT_NE(bytes.find(std::to_string(getpid())), std::string::npos);
}

TEST(BoundedFile, AFileWithoutReadPermissionGivesTheSystemsReason) {
  TempFolder folder;
  WriteBytes(folder / "f", "secret");
  chmod(folder.Path().c_str(), 0755);
  chmod((folder / "f").c_str(), 0);
  auto check = [&folder] {
    std::string bytes;
    const FileReadResult read = ReadBoundedFile(folder / "f", 100, bytes);
    return read.status == FileReadStatus::kUnreadable && FileReadReason(read) == std::strerror(EACCES);
  };
  testing::ExpectAsUnprivilegedUser(check);
}

}  // namespace
}  // namespace murva
