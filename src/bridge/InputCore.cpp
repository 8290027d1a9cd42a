#include "bridge/InputCore.h"

#include "bridge/MouseHook.h"
#include "bridge/RawMousePress.h"
#include "settings/DynamicImportTable.h"

#include <wtsapi32.h>

namespace {

constexpr wchar_t kWindowClass[] = L"LanfheInputCore";
constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kMouseUsage = 2;

bool RegisterWindowClassOnce(WNDPROC procedure) {
  WNDCLASSW existing{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), kWindowClass, &existing)) return true;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassW(&windowClass) != 0;
}

bool RegisterRawMouse(HWND window, DWORD flags) {
  RAWINPUTDEVICE device{};
  device.usUsagePage = kGenericDesktopPage;
  device.usUsage = kMouseUsage;
  device.dwFlags = flags;
  device.hwndTarget = window;
  return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}

}  // namespace

InputCore::~InputCore() { Stop(); }

bool InputCore::Start() {
  if (Started()) return true;
  if (!RegisterWindowClassOnce(&WindowProc)) return false;
  // A hidden top-level window rather than a message-only one: resume notices are broadcast to
  // top-level windows only.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) return false;

  keys_ = std::make_unique<KeySettingsCache>(settings_ != nullptr ? *settings_ : registrySettings_);
  // Not checked: without raw input the hook still sends, it only cannot be watched. Device arrival
  // and removal come with it.
  if (!RegisterRawMouse(window_, RIDEV_INPUTSINK | RIDEV_DEVNOTIFY)) RegisterRawMouse(window_, RIDEV_INPUTSINK);
  sessionNotices_ = WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
  SetHookPressTarget(HookPressTarget{window_, kHookPressMessage});
  InstallMouseHook();
  return true;
}

void InputCore::Stop() {
  if (!Started()) return;
  learner_ = nullptr;
  ClearHookPressTarget();
  RemoveMouseHook();
  RegisterRawMouse(nullptr, RIDEV_REMOVE);
  if (sessionNotices_) WTSUnRegisterSessionNotification(window_);
  sessionNotices_ = false;
  const HWND window = window_;
  window_ = nullptr;
  DestroyWindow(window);
  keys_.reset();
}

void InputCore::DropHookBehindItsBack() {
  // The handle stays as it is: the core does not learn of it, as it would not from the system.
  if (g_mouseHook != nullptr) User32ImportAddress<UnhookWindowsHookExFunction>(kUser32UnhookWindowsHookEx)(g_mouseHook);
}

LRESULT CALLBACK InputCore::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* core = reinterpret_cast<InputCore*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (core == nullptr || core->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return core->OnMessage(message, wParam, lParam);
}

LRESULT InputCore::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kHookPressMessage:
      OnHookPress(static_cast<DWORD>(lParam), wParam != 0);
      return 0;
    case WM_TIMER:
      if (wParam == kRawWaitTimer) ExpireRawPresses();
      if (wParam == kLearningTimer) OnLearningTimer();
      return 0;
    case WM_INPUT_DEVICE_CHANGE:
      devices_.Forget();
      if (deviceListener_ != nullptr) deviceListener_->OnDevicesChanged();
      return 0;
    case WM_INPUT:
      OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
      break;  // the default processing releases the record
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) ReinstallHook();
      return TRUE;
    case WM_WTSSESSION_CHANGE:
      if (wParam == WTS_SESSION_UNLOCK) ReinstallHook();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void InputCore::OnHookPress(DWORD tick, bool injected) {
  ++counters_.hookPresses;
  // Decided in the mode the press came in: resolving a raw press may learn a device and change it.
  const PressVerdict verdict = DecidePress(mode_, PressPath::kHook, false);
  const PressLedger::HookMatch match = ledger_.NoteHookPress(tick, injected);
  if (match.matchedRaw) {
    ++counters_.lateHookCalls;
    ResolveRawPress(PressPath::kRawSeenByHook, match.device, injected);
  }
  Act(verdict, counters_.sentFromHook);
}

void InputCore::OnRawInput(HRAWINPUT input) {
  const RawMousePress press = ReadRawMousePress(input);
  if (!press.middleDown) return;
  ++counters_.rawPresses;
  const PressLedger::RawMatch match = ledger_.NoteRawPress(GetTickCount(), press.device);
  if (match.matchedHook) {
    ResolveRawPress(PressPath::kRawSeenByHook, press.device, match.injected);
    return;
  }
  SetTimer(window_, kRawWaitTimer, PressLedger::kRawWaitMs / 4, nullptr);
}

void InputCore::ExpireRawPresses() {
  ledger_.ExpireRawPresses(GetTickCount(),
                           [&](HANDLE device) { ResolveRawPress(PressPath::kRawMissedByHook, device, false); });
  if (!ledger_.RawPressesWaiting()) KillTimer(window_, kRawWaitTimer);
}

void InputCore::ResolveRawPress(PressPath path, HANDLE device, bool injected) {
  // A press a program made (injected: no device, or the hook says so) is never learned nor ours.
  const bool real = device != nullptr && !injected;
  // Decided before a learning takes the press: the device it names counts from the next press.
  const PressVerdict verdict = DecidePress(mode_, path, real && FromChosenDevice(device));
  if (learner_ != nullptr && real) Learn(device);
  if (verdict.repairHook) {
    InstallMouseHook();
    ++counters_.hookRepairs;
  }
  Act(verdict, counters_.sentFromRaw);
}

void InputCore::Act(PressVerdict verdict, long& sentCounter) {
  if (!verdict.send) return;
  const KeyStroke stroke = BuildKeyStroke(keys_->KeyCode(), g_ctrlCombo == 1);
  if (stroke.count == 0) return;
  const InjectionResult result = SendKeyStroke(stroke, *injector_);
  ++sentCounter;
  if (result.releasedAgain) ++counters_.releasedAgain;
}

void InputCore::ReinstallHook() {
  InstallMouseHook();
  ++counters_.hookReinstalls;
}

void InputCore::ChooseDevice(const std::wstring& hardwareId) {
  chosenDevice_ = hardwareId;
  mode_ = hardwareId.empty() ? DeviceMode::kEveryDevice : DeviceMode::kOneDevice;
}

bool InputCore::FromChosenDevice(HANDLE device) {
  // An injected press has no device and is never the chosen one.
  if (mode_ != DeviceMode::kOneDevice || device == nullptr) return false;
  return devices_.IdentityOf(device).hardwareId == chosenDevice_;
}

void InputCore::StartLearning(InputCoreListener* listener, DWORD timeoutMs) {
  if (!Started() || listener == nullptr) return;
  learner_ = listener;
  SetTimer(window_, kLearningTimer, timeoutMs, nullptr);
}

void InputCore::StopLearning() {
  learner_ = nullptr;
  if (window_ != nullptr) KillTimer(window_, kLearningTimer);
}

void InputCore::Learn(HANDLE device) {
  const DeviceIdentity identity = devices_.IdentityOf(device);
  // A device without a hardware id could never be matched again: the learning waits for another.
  if (identity.hardwareId.empty()) return;
  InputCoreListener* learner = learner_;
  StopLearning();
  learner->OnDeviceLearned(identity);
}

void InputCore::OnLearningTimer() {
  InputCoreListener* learner = learner_;
  StopLearning();
  if (learner != nullptr) learner->OnLearningTimedOut();
}

bool InputCore::IsDevicePresent(const std::wstring& hardwareId) { return !PresentDevice(hardwareId).hardwareId.empty(); }

DeviceIdentity InputCore::PresentDevice(const std::wstring& hardwareId) {
  if (hardwareId.empty()) return DeviceIdentity{};
  for (const DeviceIdentity& mouse : devices_.PresentMice()) {
    if (mouse.hardwareId == hardwareId) return mouse;
  }
  return DeviceIdentity{};
}
