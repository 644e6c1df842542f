#include "platform/local_memory.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/large_memory.h"

namespace murva {
namespace {

// A handle is the slot index plus one in its low 20 bits and the slot's
// generation in its high 12 bits, so a handle kept after its block was
// freed does not name a newer block that reuses the slot.
constexpr uint32_t kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint32_t kGenerationMask = (1u << (32 - kIndexBits)) - 1;
constexpr std::size_t kMaxSlots = kIndexMask;  // index + 1 must fit

struct Slot {
  void* data = nullptr;
  uint32_t size = 0;
  uint32_t lock_count = 0;
  uint32_t generation = 0;
  bool live = false;
};

struct HandleTable {
  std::mutex mutex;
  std::vector<Slot> entries;
  std::vector<uint32_t> free_slots;
  std::size_t live_count = 0;
  LocalMemoryObserver observer;
};

HandleTable& Table() {
  // Never destroyed: plug-ins may release blocks from static destructors.
  static HandleTable* table = new HandleTable;
  return *table;
}

Slot* FindLive(HandleTable& table, MurvaLocalHandle handle) {
  uint32_t index_plus_one = handle & kIndexMask;
  if (index_plus_one == 0 || index_plus_one > table.entries.size()) return nullptr;
  Slot& slot = table.entries[index_plus_one - 1];
  if (!slot.live || slot.generation != (handle >> kIndexBits)) return nullptr;
  return &slot;
}

void Notify(LocalMemoryObserver observer, LocalMemoryOperation operation, MurvaLocalHandle handle) {
  if (observer) observer(operation, handle);
}

}  // namespace

void SetLocalMemoryObserver(LocalMemoryObserver observer) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  table.observer = std::move(observer);
}

std::size_t LiveLocalHandleCount() {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.live_count;
}

}  // namespace murva

using murva::HandleTable;
using murva::LocalMemoryObserver;
using murva::LocalMemoryOperation;
using murva::Slot;

extern "C" MurvaLocalHandle MurvaLocalAlloc(uint32_t size) {
  // At least one byte, so that a block of size 0 still has an address.
  // A decoded picture's pixel block is large: it gets memory of its own.
  void* data = murva::AllocateZeroed(size);
  if (data == nullptr) return 0;
  HandleTable& table = murva::Table();
  MurvaLocalHandle handle;
  LocalMemoryObserver observer;
  {
    std::lock_guard lock(table.mutex);
    uint32_t index;
    if (!table.free_slots.empty()) {
      index = table.free_slots.back();
      table.free_slots.pop_back();
    } else if (table.entries.size() < murva::kMaxSlots) {
      index = static_cast<uint32_t>(table.entries.size());
      table.entries.emplace_back();
    } else {
      murva::FreeZeroed(data, size);
      return 0;
    }
    Slot& slot = table.entries[index];
    slot.data = data;
    slot.size = size;
    slot.lock_count = 0;
    slot.live = true;
    handle = (slot.generation << murva::kIndexBits) | (index + 1);
    ++table.live_count;
    observer = table.observer;
  }
  murva::Notify(observer, LocalMemoryOperation::kAlloc, handle);
  return handle;
}

extern "C" void* MurvaLocalLock(MurvaLocalHandle handle) {
  HandleTable& table = murva::Table();
  void* data;
  LocalMemoryObserver observer;
  {
    std::lock_guard lock(table.mutex);
    Slot* slot = murva::FindLive(table, handle);
    if (slot == nullptr) return nullptr;
    if (slot->lock_count != UINT32_MAX) ++slot->lock_count;
    data = slot->data;
    observer = table.observer;
  }
  murva::Notify(observer, LocalMemoryOperation::kLock, handle);
  return data;
}

extern "C" uint32_t MurvaLocalUnlock(MurvaLocalHandle handle) {
  HandleTable& table = murva::Table();
  uint32_t remaining;
  LocalMemoryObserver observer;
  {
    std::lock_guard lock(table.mutex);
    Slot* slot = murva::FindLive(table, handle);
    if (slot == nullptr) return 0;
    if (slot->lock_count > 0) --slot->lock_count;
    remaining = slot->lock_count;
    observer = table.observer;
  }
  murva::Notify(observer, LocalMemoryOperation::kUnlock, handle);
  return remaining;
}

extern "C" uint32_t MurvaLocalSize(MurvaLocalHandle handle) {
  HandleTable& table = murva::Table();
  std::lock_guard lock(table.mutex);
  Slot* slot = murva::FindLive(table, handle);
  return slot == nullptr ? 0 : slot->size;
}

extern "C" MurvaLocalHandle MurvaLocalFree(MurvaLocalHandle handle) {
  HandleTable& table = murva::Table();
  void* data;
  uint32_t size;
  LocalMemoryObserver observer;
  {
    std::lock_guard lock(table.mutex);
    Slot* slot = murva::FindLive(table, handle);
    if (slot == nullptr) return handle;
    data = slot->data;
    size = slot->size;
    *slot = Slot{nullptr, 0, 0, (slot->generation + 1) & murva::kGenerationMask, false};
    table.free_slots.push_back((handle & murva::kIndexMask) - 1);
    --table.live_count;
    observer = table.observer;
  }
  murva::FreeZeroed(data, size);
  murva::Notify(observer, LocalMemoryOperation::kFree, handle);
  return 0;
}
