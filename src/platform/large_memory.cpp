#include "platform/large_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace murva {
namespace {

// Blocks from this size on are mapped by themselves.
constexpr std::size_t kMappedFrom = std::size_t{4} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t PageRounded(std::size_t size) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

}  // namespace

void* AllocateZeroed(std::size_t size) {
  if (size < kMappedFrom) return std::calloc(size == 0 ? 1 : size, 1);
  // Mapped with room to start on a huge-page boundary; the rest is given
  // back at once, so that the block is exactly its rounded size.
  const std::size_t length = PageRounded(size);
  void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto base = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t start = (base + kHugePage - 1) & ~(kHugePage - 1);
  if (start > base) munmap(mapped, start - base);
  const std::uintptr_t end = base + length + kHugePage;
  if (end > start + length) munmap(reinterpret_cast<void*>(start + length), end - start - length);
  // Only advice: without huge pages the block simply has ordinary ones.
  madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(start);
}

void FreeZeroed(void* block, std::size_t size) {
  if (block == nullptr) return;
  if (size < kMappedFrom) {
    std::free(block);
    return;
  }
  munmap(block, PageRounded(size));
}

}  // namespace murva
