#include "winframework/EventSlot.h"

VolEventSlot::~VolEventSlot() {
  if (eventObject != nullptr) eventObject->Release();
}

void BindEvent(VolEventSlot& slot, CVolEventObjectPointer* eventObject, EventHandler handler) {
  CVolEventObjectPointer* old = nullptr;
  slot.lock.SpinAcquire();
  slot.userData = 0;
  old = slot.eventObject;
  if (eventObject == nullptr) {
    slot.handler = nullptr;
    slot.eventObject = nullptr;
  } else {
    slot.handler = handler;
    if (old == eventObject) {
      slot.lock.Release();
      return;  // the slot keeps its one reference
    }
    slot.eventObject = eventObject;
    eventObject->AddRef();
  }
  slot.lock.Release();
  // Outside the lock: the last release destroys the pointer.
  if (old != nullptr) old->Release();
}

bool IsEventBound(VolEventSlot& slot) {
  VolSpinLockHolder hold(slot.lock);
  return slot.handler != nullptr && slot.eventObject != nullptr;
}

EventCall::EventCall(VolEventSlot& slot) {
  {
    VolSpinLockHolder hold(slot.lock);
    handler_ = slot.handler;
    userData_ = slot.userData;
    eventObject_ = slot.eventObject;
    if (eventObject_ != nullptr) eventObject_->AddRef();
  }
  if (eventObject_ == nullptr || handler_ == nullptr) return;
  owner_ = eventObject_->BeginCall();
}

EventCall::~EventCall() {
  if (owner_ != nullptr) eventObject_->EndCall();
  if (eventObject_ != nullptr) eventObject_->Release();
}
