// The local-memory handles shared by the program and its plug-ins.

#include "platform/local_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

// The public plug-in header declares the same functions; including both in
// one file makes the compiler check that the declarations agree.
#include "murva32/murva_spi.h"

namespace murva {
namespace {

TEST(LocalMemory, AllocatesZeroFilledBlocksOfTheAskedSize) {
  MurvaLocalHandle handle = MurvaLocalAlloc(100);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(MurvaLocalSize(handle), 100u);
  auto* bytes = static_cast<unsigned char*>(MurvaLocalLock(handle));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(bytes[i], 0) << i;
  MurvaLocalUnlock(handle);
  EXPECT_EQ(MurvaLocalFree(handle), 0u);
}

TEST(LocalMemory, LockKeepsTheAddressAndLocksNest) {
  MurvaLocalHandle handle = MurvaLocalAlloc(8);
  void* first = MurvaLocalLock(handle);
  std::memcpy(first, "abcdefg", 8);
  void* second = MurvaLocalLock(handle);
  EXPECT_EQ(first, second);
  EXPECT_EQ(MurvaLocalUnlock(handle), 1u);
  EXPECT_EQ(MurvaLocalUnlock(handle), 0u);
  EXPECT_EQ(MurvaLocalUnlock(handle), 0u);  // more unlocks than locks do no harm
  EXPECT_STREQ(static_cast<char*>(MurvaLocalLock(handle)), "abcdefg");
  MurvaLocalFree(handle);
}

TEST(LocalMemory, ABlockOfSizeZeroStillHasAnAddress) {
  MurvaLocalHandle handle = MurvaLocalAlloc(0);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(MurvaLocalSize(handle), 0u);
  EXPECT_NE(MurvaLocalLock(handle), nullptr);
  EXPECT_EQ(MurvaLocalFree(handle), 0u);
}

TEST(LocalMemory, HandlesThatAreNotLiveAreRefused) {
  EXPECT_EQ(MurvaLocalLock(0), nullptr);
  EXPECT_EQ(MurvaLocalSize(0), 0u);
  EXPECT_EQ(MurvaLocalFree(0x7fffffffu), 0x7fffffffu);

  MurvaLocalHandle handle = MurvaLocalAlloc(4);
  ASSERT_EQ(MurvaLocalFree(handle), 0u);
  EXPECT_EQ(MurvaLocalLock(handle), nullptr);
  EXPECT_EQ(MurvaLocalSize(handle), 0u);
  EXPECT_EQ(MurvaLocalFree(handle), handle);  // freed twice: refused
}

TEST(LocalMemory, AStaleHandleDoesNotNameTheBlockThatReusesItsSlot) {
  MurvaLocalHandle old_handle = MurvaLocalAlloc(4);
  MurvaLocalFree(old_handle);
  MurvaLocalHandle new_handle = MurvaLocalAlloc(16);
  EXPECT_NE(new_handle, old_handle);
  EXPECT_EQ(MurvaLocalSize(old_handle), 0u);
  EXPECT_EQ(MurvaLocalFree(old_handle), old_handle);
  EXPECT_EQ(MurvaLocalSize(new_handle), 16u);
  MurvaLocalFree(new_handle);
}

TEST(LocalMemory, CountsLiveBlocks) {
  std::size_t before = LiveLocalHandleCount();
  MurvaLocalHandle a = MurvaLocalAlloc(1);
  MurvaLocalHandle b = MurvaLocalAlloc(2);
  EXPECT_EQ(LiveLocalHandleCount(), before + 2);
  MurvaLocalFree(a);
  MurvaLocalFree(b);
  EXPECT_EQ(LiveLocalHandleCount(), before);
}

TEST(LocalMemory, TooLargeARequestGivesNoHandle) {
  // 4 GB cannot be had on the test machines' address space limits for one
  // zero-filled block; the result is 0 or a real block, never a crash.
  MurvaLocalHandle handle = MurvaLocalAlloc(0xFFFFFFFFu);
  if (handle != 0) {
    EXPECT_EQ(MurvaLocalSize(handle), 0xFFFFFFFFu);
    MurvaLocalFree(handle);
  }
}

TEST(LocalMemory, TheObserverSeesEveryOperationInOrder) {
  std::vector<std::pair<LocalMemoryOperation, MurvaLocalHandle>> seen;
  SetLocalMemoryObserver([&](LocalMemoryOperation operation, MurvaLocalHandle handle) {
    seen.emplace_back(operation, handle);
  });
  MurvaLocalHandle handle = MurvaLocalAlloc(3);
  MurvaLocalLock(handle);
  MurvaLocalUnlock(handle);
  MurvaLocalFree(handle);
  MurvaLocalLock(handle);  // not live: not reported
  SetLocalMemoryObserver(nullptr);
  std::vector<std::pair<LocalMemoryOperation, MurvaLocalHandle>> expected = {
      {LocalMemoryOperation::kAlloc, handle},
      {LocalMemoryOperation::kLock, handle},
      {LocalMemoryOperation::kUnlock, handle},
      {LocalMemoryOperation::kFree, handle}};
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace murva
