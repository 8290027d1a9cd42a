// The short spin lock of the runtime's shared lists (the pool's free list, the event slots).
// It is held for a handful of instructions, so a waiter spins with the pause hint instead of sleeping.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

class VolSpinLock {
 public:
  VolSpinLock() = default;
  VolSpinLock(const VolSpinLock&) = delete;
  VolSpinLock& operator=(const VolSpinLock&) = delete;

  // The locked decrement that reaches 0 owns the lock. A waiter that took the word below 0 waits until
  // the owner's release makes it positive again, then tries once more.
  void SpinAcquire() {
    while (word_.fetch_sub(1, std::memory_order_acquire) - 1 != 0) {
      do {
        YieldProcessor();
      } while (word_.load(std::memory_order_relaxed) <= 0);
    }
  }

  // A plain store of 1; on x86 the release ordering costs nothing beyond the store.
  void Release() { word_.store(1, std::memory_order_release); }

  // 1 = free; 0 or less = held.
  int64_t Word() const { return word_.load(std::memory_order_relaxed); }

 private:
  std::atomic<int64_t> word_{1};
};

// Holds a VolSpinLock for the lifetime of a scope.
class VolSpinLockHolder {
 public:
  explicit VolSpinLockHolder(VolSpinLock& lock) : lock_(lock) { lock_.SpinAcquire(); }
  ~VolSpinLockHolder() { lock_.Release(); }
  VolSpinLockHolder(const VolSpinLockHolder&) = delete;
  VolSpinLockHolder& operator=(const VolSpinLockHolder&) = delete;

 private:
  VolSpinLock& lock_;
};
