// A window of the test's own that has the foreground, so that keys a test process sends (or the
// program's input core running in it) land there, with real middle clicks (xdotool) over it: what it
// received, key messages with their scan codes and raw keyboard input included.
#pragma once

#include "support/RealInput.h"
#include "support/WindowTestSupport.h"

#include <windows.h>

#include <string>
#include <vector>

struct TargetKeyMessage {
  bool up;
  UINT virtualKey;
  UINT scanCode;  // lParam bits 16-23
  bool extended;  // lParam bit 24
};

struct TargetRawKey {
  bool up;
  USHORT virtualKey;
  USHORT makeCode;
  bool e0;
};

struct TargetReceived {
  int middleDowns = 0;
  int middleUps = 0;
  std::vector<TargetKeyMessage> keys;
  std::vector<TargetRawKey> rawKeys;
};

using KeyLines = std::vector<std::string>;
inline KeyLines Stroke(UINT key) { return {"down " + std::to_string(key), "up " + std::to_string(key)}; }
inline KeyLines CtrlStroke(UINT key) {
  return {"down 17", "down " + std::to_string(key), "up 17", "up " + std::to_string(key)};
}
inline KeyLines LinesOf(const std::vector<TargetKeyMessage>& keys) {
  KeyLines lines;
  for (const TargetKeyMessage& k : keys) lines.push_back((k.up ? "up " : "down ") + std::to_string(k.virtualKey));
  return lines;
}

class InProcessTarget {
 public:
  // Everything the window received since the last TakeKeys (clicks: since creation).
  static TargetReceived& Received() {
    static TargetReceived received;
    return received;
  }

  // Creates the window, registers it for raw keyboard input and brings it to the front.
  bool Create() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"LanfheInProcessTarget";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                              400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window_ == nullptr) return false;
    RAWINPUTDEVICE keyboard{1, 6, RIDEV_INPUTSINK, window_};
    if (!RegisterRawInputDevices(&keyboard, 1, sizeof keyboard)) return false;
    Received() = TargetReceived{};
    return PumpUntil([&] { return BringToFront(window_); });
  }

  void Destroy() {
    RAWINPUTDEVICE keyboard{1, 6, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    PumpMessages();
  }

  HWND Window() const { return window_; }

  // count real middle clicks over the window, as fast as xdotool sends them; pumps until every
  // click's release has arrived and then until nothing more comes for quietMs.
  bool Click(int count = 1, DWORD quietMs = 700) {
    const int upsBefore = Received().middleUps;
    if (!BringToFront(window_)) PumpUntil([&] { return BringToFront(window_); });
    if (!RunXdotool(L"mousemove " + ScreenPositionOf(window_, 200, 150) + L" click --repeat " +
                    std::to_wstring(count) + L" --delay 1 2")) {
      return false;
    }
    if (!PumpUntil([&] { return Received().middleUps >= upsBefore + count; }, 30000)) return false;
    Settle(quietMs);
    return true;
  }

  // Pumps until no key has arrived for quietMs.
  static void Settle(DWORD quietMs = 700) {
    size_t seen = Received().keys.size();
    DWORD quietSince = GetTickCount();
    while (GetTickCount() - quietSince < quietMs) {
      PumpMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      if (Received().keys.size() != seen) {
        seen = Received().keys.size();
        quietSince = GetTickCount();
      }
    }
  }

  // The key messages received so far, as lines ("down 65"), and forgets them.
  static KeyLines TakeKeys() {
    KeyLines lines = LinesOf(Received().keys);
    Received().keys.clear();
    Received().rawKeys.clear();
    return lines;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TargetReceived& received = Received();
    switch (message) {
      case WM_MBUTTONDOWN: ++received.middleDowns; return 0;
      case WM_MBUTTONUP: ++received.middleUps; return 0;
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        received.keys.push_back({message == WM_KEYUP || message == WM_SYSKEYUP, static_cast<UINT>(wParam),
                                 static_cast<UINT>((lParam >> 16) & 0xFF), ((lParam >> 24) & 1) != 0});
        return 0;
      case WM_INPUT: {
        RAWINPUT input{};
        UINT size = sizeof input;
        if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER)) !=
                static_cast<UINT>(-1) &&
            input.header.dwType == RIM_TYPEKEYBOARD) {
          const RAWKEYBOARD& k = input.data.keyboard;
          received.rawKeys.push_back({(k.Flags & RI_KEY_BREAK) != 0, k.VKey, k.MakeCode, (k.Flags & RI_KEY_E0) != 0});
        }
        break;
      }
      default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};
