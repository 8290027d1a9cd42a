// Which path sends a middle-button press, decided in one place. The hook notes every press it sees;
// raw input reports every press too. A raw press that no hook press accounts for means the hook is
// gone (the system removes a slow hook without a word, and hooks are lost across sleep and lock):
// that press is sent from the raw path and the hook is installed again.
#pragma once

#include <windows.h>

#include <cstdint>

enum class DeviceMode {
  kEveryDevice,  // every middle-button press sends the key
  kOneDevice,    // only presses of the chosen device do
};

enum class PressPath {
  kHook,             // the hook saw a press
  kRawSeenByHook,    // raw input reports a press the hook saw too
  kRawMissedByHook,  // raw input reports a press the hook did not see
};

struct PressVerdict {
  bool send;
  bool repairHook;
};

// mode      | hook press | raw, hook saw it | raw, hook missed it
// every     | send       | nothing          | send, repair
// one, ours | nothing    | send             | send, repair
// one, not  | nothing    | nothing          | nothing, repair
// fromChosenDevice only counts for raw presses in kOneDevice mode (an injected press is never ours).
constexpr PressVerdict DecidePress(DeviceMode mode, PressPath path, bool fromChosenDevice) {
  const bool repair = path == PressPath::kRawMissedByHook;
  if (mode == DeviceMode::kEveryDevice) return PressVerdict{path != PressPath::kRawSeenByHook, repair};
  return PressVerdict{path != PressPath::kHook && fromChosenDevice, repair};
}

// Pairs the hook's presses with raw input's. Both arrive as messages of the program's one thread, in
// either order: one press's raw report usually follows the hook's call, but in a burst the system may
// queue several raw reports before it calls the hook for them. So a raw press without a hook press
// waits a moment for a late one before it counts as missed. The pair tells what neither tells alone:
// the raw report names the device, the hook whether a program made the press (some systems report
// such a press as coming from the real mouse).
class PressLedger {
 public:
  // How long a hook press waits for its raw report. A press raw input never reports (raw input not
  // available) must not later hide a press that the hook missed.
  static constexpr DWORD kHookWaitMs = 2000;
  // How long a raw press waits for the hook's call: the delay of a press the hook missed.
  static constexpr DWORD kRawWaitMs = 400;
  static constexpr int kCapacity = 256;

  // A hook press that accounts for a raw press noted before it, and that raw press's device.
  struct HookMatch {
    bool matchedRaw;
    HANDLE device;
  };
  HookMatch NoteHookPress(DWORD tick, bool injected);
  // A raw press that a hook press noted before it accounts for, and whether that press was injected.
  // Unmatched, the raw press waits.
  struct RawMatch {
    bool matchedHook;
    bool injected;
  };
  RawMatch NoteRawPress(DWORD tick, HANDLE device);
  bool RawPressesWaiting() const { return raws_.count > 0; }
  // Raw presses that waited longer than kRawWaitMs at now, oldest first: missed(device) for each.
  template <typename Missed>
  void ExpireRawPresses(DWORD now, Missed missed) {
    while (raws_.count > 0 && now - raws_.Front().tick > kRawWaitMs) missed(raws_.PopFront().device);
  }

 private:
  struct Note {
    DWORD tick;
    bool injected;  // hook notes
    HANDLE device;  // raw notes
  };
  // A fixed ring; when full, the oldest note goes.
  struct Ring {
    Note notes[kCapacity] = {};
    int first = 0;
    int count = 0;
    void PushBack(Note note);
    const Note& Front() const { return notes[first]; }
    Note PopFront();
  };
  Ring hooks_;
  Ring raws_;
};
