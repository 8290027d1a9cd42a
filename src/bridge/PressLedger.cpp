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

PressLedger::HookMatch PressLedger::NoteHookPress(DWORD tick) {
  // A raw press waiting for this call: the oldest one.
  if (raws_.count > 0) return HookMatch{true, raws_.PopFront().chosen};
  hooks_.PushBack(Note{tick, false});
  return HookMatch{false, false};
}

bool PressLedger::NoteRawPress(DWORD tick, bool chosen) {
  while (hooks_.count > 0) {
    // Unsigned difference: right across the tick counter's wrap.
    if (tick - hooks_.PopFront().tick <= kHookWaitMs) return true;
  }
  raws_.PushBack(Note{tick, chosen});
  return false;
}
