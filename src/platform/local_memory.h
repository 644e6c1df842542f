#pragma once

// Local-memory handles: numbered, movable memory blocks that the program and
// its image plug-ins pass to each other. A plug-in allocates the blocks of a
// decoded picture and the program locks, reads, unlocks and frees them, so
// both sides must use one allocator: the five C functions below are defined
// once, in the program, and exported from the executable's dynamic symbol
// table; a plug-in leaves them undefined and the dynamic loader binds them
// to the host when the plug-in is loaded. The declarations match the public
// plug-in header (include/murva32/murva_spi.h) exactly.
//
// Handles are 32-bit values because the plug-in interface stores them in
// 32-bit fields. All functions are safe to call from any thread.

#include <cstddef>
#include <cstdint>
#include <functional>

extern "C" {

typedef uint32_t MurvaLocalHandle;

// A zero-filled block of size bytes; 0 when out of memory.
__attribute__((visibility("default"))) MurvaLocalHandle MurvaLocalAlloc(uint32_t size);
// Address of the block's first byte (stable for the block's life); nullptr
// when handle is not live. Locks nest.
__attribute__((visibility("default"))) void* MurvaLocalLock(MurvaLocalHandle handle);
// Locks still held after undoing one; 0 when now unlocked or not live.
__attribute__((visibility("default"))) uint32_t MurvaLocalUnlock(MurvaLocalHandle handle);
// Allocated size in bytes; 0 when not live.
__attribute__((visibility("default"))) uint32_t MurvaLocalSize(MurvaLocalHandle handle);
// 0 when freed; the handle itself when it was not live.
__attribute__((visibility("default"))) MurvaLocalHandle MurvaLocalFree(MurvaLocalHandle handle);

}  // extern "C"

namespace murva {

enum class LocalMemoryOperation { kAlloc, kLock, kUnlock, kFree };

// Called after every successful handle operation; used by tests to check
// that blocks are released, and in which order. Pass an empty function to
// stop observing.
using LocalMemoryObserver = std::function<void(LocalMemoryOperation, MurvaLocalHandle)>;
void SetLocalMemoryObserver(LocalMemoryObserver observer);

// Number of blocks allocated and not yet freed.
std::size_t LiveLocalHandleCount();

}  // namespace murva
