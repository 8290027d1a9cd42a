#include "bridge/PressLedger.h"

void PressLedger::Ring::PushBack(Note note) {
  if (count == kCapacity) PopFront();
  notes[(first + count) % kCapacity] = note;
  ++count;
}

PressLedger::Note PressLedger::Ring::PopFront() {
  const Note note = notes[first];
  first = (first + 1) % kCapacity;
  --count;
  return note;
}

PressLedger::HookMatch PressLedger::NoteHookPress(DWORD tick, bool injected) {
  // A raw press waiting for this call: the oldest one.
  if (raws_.count > 0) return HookMatch{true, raws_.PopFront().device};
  hooks_.PushBack(Note{tick, injected, nullptr});
  return HookMatch{false, nullptr};
}

PressLedger::RawMatch PressLedger::NoteRawPress(DWORD tick, HANDLE device) {
  while (hooks_.count > 0) {
    const Note hook = hooks_.PopFront();
    // Unsigned difference: right across the tick counter's wrap.
    if (tick - hook.tick <= kHookWaitMs) return RawMatch{true, hook.injected};
  }
  raws_.PushBack(Note{tick, false, device});
  return RawMatch{false, false};
}
