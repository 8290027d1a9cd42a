// Event slots: one per event of a window object, each holding the bound handler, a counted
// reference to the event-object pointer of the handler's owner, and a user value.
//
// A handler is called as handler(owner, sender, userData, the event's own arguments...) and answers a
// signed 32-bit result whose 0 is always the default. The slot keeps it type-erased; VolEvent ties
// an event's slot to its argument list, so binding and raising agree on the handler's type.
#pragma once

#include "runtime/VolSpinLock.h"
#include "winframework/EventObjectPointer.h"

#include <cstdint>

class CVolObject;

// The bound function, kept without its type; RaiseEvent restores the event's own type.
using EventHandler = void (*)();

template <typename... Args>
using EventFunction = int32_t (*)(CVolObject* owner, CVolObject* sender, int32_t userData, Args... args);

struct VolEventSlot {
  VolEventSlot() = default;
  // Releases the slot's reference.
  ~VolEventSlot();
  VolEventSlot(const VolEventSlot&) = delete;
  VolEventSlot& operator=(const VolEventSlot&) = delete;

  VolSpinLock lock;  // guards the three fields below, held only to copy or store them
  EventHandler handler = nullptr;
  CVolEventObjectPointer* eventObject = nullptr;  // the slot owns one reference
  int32_t userData = 0;
};

// One event of a class: Group names the slot array it lives in, Args its handler's arguments.
template <typename Group, typename... Args>
struct VolEvent {
  int slot;
};

// Binds handler with eventObject; userData becomes 0. Binding the pointer the slot holds already
// changes no count; a null eventObject unbinds and releases the slot's reference.
void BindEvent(VolEventSlot& slot, CVolEventObjectPointer* eventObject, EventHandler handler);

template <typename... Args>
void BindEvent(VolEventSlot& slot, CVolEventObjectPointer* eventObject, EventFunction<Args...> handler) {
  BindEvent(slot, eventObject, reinterpret_cast<EventHandler>(handler));
}

// Whether a handler is bound now; lets a caller skip working out arguments that nobody receives.
bool IsEventBound(VolEventSlot& slot);

// One handler call through a slot: the slot's fields are copied under its lock (a handler running
// on the copy is not affected by a rebinding meanwhile), the event object is entered, and no lock is
// held while the handler runs. The destructor leaves the event object and drops the copy's
// reference, on every way out (an exception from the handler included).
class EventCall {
 public:
  explicit EventCall(VolEventSlot& slot);
  ~EventCall();
  EventCall(const EventCall&) = delete;
  EventCall& operator=(const EventCall&) = delete;

  // Null when no handler may run: nothing bound, owner torn down, or call lock held elsewhere.
  CVolObject* Owner() const { return owner_; }
  EventHandler Handler() const { return handler_; }
  int32_t UserData() const { return userData_; }

 private:
  EventHandler handler_ = nullptr;
  int32_t userData_ = 0;
  CVolEventObjectPointer* eventObject_ = nullptr;
  CVolObject* owner_ = nullptr;
};

// The handler's result, or the default 0 when no handler runs. Args are the event's own argument
// types (given explicitly or by a VolEvent), which must be the ones the handler was bound with.
template <typename... Args, typename... Given>
int32_t RaiseEvent(VolEventSlot& slot, CVolObject* sender, Given&&... args) {
  EventCall call(slot);
  if (call.Owner() == nullptr) return 0;
  const auto handler = reinterpret_cast<EventFunction<Args...>>(call.Handler());
  return handler(call.Owner(), sender, call.UserData(), static_cast<Args>(args)...);
}

// The slot behind a VolEvent in an array of slots.
template <typename Group, typename... Args, typename... Given>
int32_t RaiseEvent(VolEventSlot* slots, VolEvent<Group, Args...> event, CVolObject* sender, Given&&... args) {
  return RaiseEvent<Args...>(slots[event.slot], sender, static_cast<Given&&>(args)...);
}

// Deduces nothing from the handler argument, so that a handler of the wrong type is refused by the
// compiler instead of making the event's argument list ambiguous.
template <typename T>
struct EventNoDeduce {
  using Type = T;
};

template <typename Group, typename... Args>
void BindEvent(VolEventSlot* slots, VolEvent<Group, Args...> event, CVolEventObjectPointer* eventObject,
               typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
  BindEvent(slots[event.slot], eventObject, reinterpret_cast<EventHandler>(handler));
}
