#include "winframework/EventObjectPointer.h"

CVolEventObjectPointer::CVolEventObjectPointer(CVolObject* owner) : owner_(owner) {
  InitializeCriticalSection(&stateLock_);
  InitializeCriticalSection(&callLock_);
}

CVolEventObjectPointer::~CVolEventObjectPointer() {
  DeleteCriticalSection(&callLock_);
  DeleteCriticalSection(&stateLock_);
}

const CVolClassTag& CVolEventObjectPointer::ClassInfo() {
  static const CVolClassTag tag = MakeClassTag("rg_n10458::CVolEventObjectPointer");
  return tag;
}

const CVolClassTag& CVolEventObjectPointer::GetClassInfo() const { return ClassInfo(); }

bool CVolEventObjectPointer::IsKindOf(const CVolClassTag& tag) const { return SameClass(tag, ClassInfo()); }

void CVolEventObjectPointer::TearDown() {
  EnterCriticalSection(&callLock_);
  EnterCriticalSection(&stateLock_);
  owner_ = nullptr;
  LeaveCriticalSection(&stateLock_);
  LeaveCriticalSection(&callLock_);
  Release();
}

CVolObject* CVolEventObjectPointer::BeginCall() {
  EnterCriticalSection(&stateLock_);
  // Every call holds the call lock on its own thread, so that the thread that leaves it is the one
  // that entered it and a teardown on any other thread waits for it. Only try: a thread tearing the
  // owner down or running a handler holds it, and waiting here, under the state lock, would deadlock.
  // The lock is recursive, so nested calls on one thread pass.
  if (TryEnterCriticalSection(&callLock_) == FALSE) {
    LeaveCriticalSection(&stateLock_);
    return nullptr;
  }
  ++callsInProgress_;
  CVolObject* owner = owner_;
  if (owner == nullptr) {
    --callsInProgress_;
    LeaveCriticalSection(&callLock_);
  }
  LeaveCriticalSection(&stateLock_);
  return owner;
}

void CVolEventObjectPointer::EndCall() {
  EnterCriticalSection(&stateLock_);
  --callsInProgress_;
  LeaveCriticalSection(&callLock_);
  LeaveCriticalSection(&stateLock_);
}

CVolObject* CVolEventObjectPointer::Owner() {
  EnterCriticalSection(&stateLock_);
  CVolObject* owner = owner_;
  LeaveCriticalSection(&stateLock_);
  return owner;
}

int64_t CVolEventObjectPointer::CallsInProgress() {
  EnterCriticalSection(&stateLock_);
  const int64_t calls = callsInProgress_;
  LeaveCriticalSection(&stateLock_);
  return calls;
}
