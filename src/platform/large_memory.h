// Zero-filled memory for whole pictures: a screen-sized canvas, a plug-in's
// pixel block. A block of several megabytes is mapped by itself and, where
// the system offers them, in huge pages: a 4K canvas then costs a few dozen
// page faults instead of thousands. Smaller blocks come from the heap.
#pragma once

#include <cstddef>

namespace murva {

// A zero-filled block of at least size bytes; nullptr when out of memory.
void* AllocateZeroed(std::size_t size);
// Releases a block of AllocateZeroed; size is the size asked for.
void FreeZeroed(void* block, std::size_t size);

}  // namespace murva
