// An open kernel object handle (snapshot, process, thread, pipe, job) that closes itself.
#pragma once

#include <windows.h>

class KernelHandle {
 public:
  KernelHandle() = default;
  // Takes over handle; INVALID_HANDLE_VALUE, as some creating functions answer, counts as none.
  explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~KernelHandle() { Close(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  KernelHandle(KernelHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Close() {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};
