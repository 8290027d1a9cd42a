// The shared, counted link from event bindings back to the object that owns the handlers (normally
// a form). Every binding holds a reference; the owner's teardown clears the owner under the call
// lock, so events that still arrive afterwards call nothing.
#pragma once

#include "runtime/RefObject.h"

#include <windows.h>

#include <cstdint>

class CVolObject;

class CVolEventObjectPointer final : public CRefObject {
 public:
  // One reference, the owner's; no calls in progress.
  explicit CVolEventObjectPointer(CVolObject* owner);
  // Deletes both locks.
  ~CVolEventObjectPointer() override;

  static const CVolClassTag& ClassInfo();
  const CVolClassTag& GetClassInfo() const override;
  bool IsKindOf(const CVolClassTag& tag) const override;

  // The owner's teardown, the first step of its destruction: waits for handler calls on other
  // threads (the owner's own thread passes, the lock being recursive), clears the owner, and drops
  // the owner's reference.
  void TearDown();

  // The entry of one handler call. Answers the owner to call, or null when no call may run (owner
  // torn down, or another thread holds the call lock: it tears the owner down or runs a handler);
  // only a non-null answer needs EndCall, on the same thread.
  CVolObject* BeginCall();
  void EndCall();

  CVolObject* Owner();
  int64_t CallsInProgress();

 private:
  int64_t callsInProgress_ = 0;
  CRITICAL_SECTION stateLock_;  // guards callsInProgress_ and owner_
  CRITICAL_SECTION callLock_;   // held by each thread whose handler call runs, for that call
  CVolObject* owner_;
};
