// The lighter root of the reference-counted helpers that several objects share (window wrappers,
// event-object pointers). A new instance holds its creator's reference; the last Release destroys it.
#pragma once

#include "runtime/ClassInfo.h"
#include "runtime/VolCommonBase.h"

#include <atomic>
#include <cstdint>

class CRefObject : public CVolCommonBaseWithMemManager {
 public:
  CRefObject() = default;
  CRefObject(const CRefObject&) = delete;
  CRefObject& operator=(const CRefObject&) = delete;

  static const CVolClassTag& ClassInfo();

  // 6.
  virtual const CVolClassTag& GetClassInfo() const;
  // 7. Only the own record: hash, length and name equal; no walk to bases.
  virtual bool IsKindOf(const CVolClassTag& tag) const;
  // 8. Runs the destructor chain; bit 0 of flags then returns the storage.
  virtual ~CRefObject() = default;
  virtual void Destroy(uint64_t flags);
  // 9. True when this call destroyed the object.
  virtual bool Release();
  // 10. Runs just before Release destroys the object.
  virtual void OnFinalRelease();

  void AddRef() { refCount_.fetch_add(1); }
  int64_t RefCount() const { return refCount_.load(); }

 private:
  std::atomic<int64_t> refCount_{1};
};
