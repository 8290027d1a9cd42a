// Catches writes into freed objects: this test executable replaces the global allocation functions,
// and while a watch exists every block freed through them is filled with a pattern and kept instead
// of going back to the heap. A block whose pattern changed was written after it was freed (and a
// virtual call on a freed object fails at once on the pattern instead of running stale code).
#pragma once

#include <cstddef>

class FreedMemoryWatch {
 public:
  FreedMemoryWatch();
  // Frees every kept block.
  ~FreedMemoryWatch();
  FreedMemoryWatch(const FreedMemoryWatch&) = delete;
  FreedMemoryWatch& operator=(const FreedMemoryWatch&) = delete;

  // Blocks freed since the watch began.
  std::size_t BlocksFreed() const;
  // Those among them written after they were freed.
  std::size_t BlocksWrittenAfterFree() const;
};
