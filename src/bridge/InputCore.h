// The input core: a middle-button press becomes exactly one key stroke, whatever happens to the
// hook. The hook notes presses; a hidden window of the core's own receives them, and raw mouse input
// for every press of the desktop, which shows when the hook missed one (the press is then sent from
// there and the hook installed again). The hook is also installed again after resume from sleep and
// after the session is unlocked. Everything runs on the thread that started the core, from its
// message loop; nothing here knows about forms or controls.
#pragma once

#include "bridge/DeviceDirectory.h"
#include "bridge/KeySettingsCache.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/PressLedger.h"
#include "settings/RegistrySettingsReader.h"

#include <windows.h>

#include <memory>
#include <string>

struct InputCoreCounters {
  long hookPresses = 0;   // presses the hook noted
  long rawPresses = 0;    // middle-button presses raw input reported
  long sentFromHook = 0;  // strokes sent for a hook press
  long sentFromRaw = 0;   // strokes sent for a raw press
  long hookRepairs = 0;   // the hook missed a press and was installed again
  long hookReinstalls = 0;  // installed again after resume or unlock
  long lateHookCalls = 0;   // hook presses that came after their raw report
  long releasedAgain = 0;   // strokes whose key-ups had to be sent once more
};

// What the core tells the form: a learned device, a learning that ran out, devices that came or went.
class InputCoreListener {
 public:
  virtual ~InputCoreListener() = default;
  virtual void OnDeviceLearned(const DeviceIdentity& device) = 0;
  virtual void OnLearningTimedOut() = 0;
  virtual void OnDevicesChanged() = 0;
};

class InputCore {
 public:
  // The message the hook posts to the core's window for every press it notes.
  static constexpr UINT kHookPressMessage = WM_APP + 0x40;
  // While raw presses wait for the hook, this timer looks for those that waited too long.
  static constexpr UINT_PTR kRawWaitTimer = 1;
  // Ends a learning that no press answered.
  static constexpr UINT_PTR kLearningTimer = 2;
  static constexpr DWORD kLearningMs = 15000;

  InputCore() = default;
  ~InputCore();
  InputCore(const InputCore&) = delete;
  InputCore& operator=(const InputCore&) = delete;

  // Creates the window, reads the stored key, registers for raw mouse input and session notices and
  // installs the hook. One core at a time holds the hook. False when the window cannot be created
  // (then nothing is started); a hook or raw input the system refuses is not fatal: the other path
  // still sends. Needs g_user32Imports filled.
  bool Start();
  // Undoes Start; also done by the destructor.
  void Stop();
  bool Started() const { return window_ != nullptr; }

  HWND Window() const { return window_; }
  const InputCoreCounters& Counters() const { return counters_; }

  // Only presses of the device with this hardware id send the key (from raw input; the hook then only
  // keeps watch); empty: every device. Takes effect at once.
  void ChooseDevice(const std::wstring& hardwareId);
  const std::wstring& ChosenDevice() const { return chosenDevice_; }
  // The next middle-button press of a real device (not an injected one) within timeoutMs is reported
  // to listener, which decides what to do with it; none: OnLearningTimedOut. A learning under way is
  // replaced.
  void StartLearning(InputCoreListener* listener, DWORD timeoutMs = kLearningMs);
  void StopLearning();
  bool Learning() const { return learner_ != nullptr; }
  // Told when devices come or go (null: nobody).
  void SetDeviceListener(InputCoreListener* listener) { deviceListener_ = listener; }
  // True when a mouse with this hardware id is present now.
  bool IsDevicePresent(const std::wstring& hardwareId);
  // The identity of a present mouse with this hardware id; empty when none is present.
  DeviceIdentity PresentDevice(const std::wstring& hardwareId);

  // Seams for tests, set before Start (settings) or at any time (injector); null puts back the
  // system's own. Both must outlive the core's use of them.
  void SetSettingsReader(const SettingsReader* settings) { settings_ = settings; }
  void SetInjector(KeyInjector* injector) { injector_ = injector != nullptr ? injector : &systemInjector_; }
  // Removes the live hook behind the core's back, as the system does to a hook that was too slow.
  void DropHookBehindItsBack();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnHookPress(DWORD tick, bool injected);
  void OnRawInput(HRAWINPUT input);
  void ExpireRawPresses();
  // A raw press, once it is known whether the hook saw it (and then whether a program made it).
  void ResolveRawPress(PressPath path, HANDLE device, bool injected);
  bool FromChosenDevice(HANDLE device);
  void Learn(HANDLE device);
  void OnLearningTimer();
  void Act(PressVerdict verdict, long& sentCounter);
  void ReinstallHook();

  HWND window_ = nullptr;
  PressLedger ledger_;
  DeviceMode mode_ = DeviceMode::kEveryDevice;
  std::wstring chosenDevice_;
  DeviceDirectory devices_;
  InputCoreListener* learner_ = nullptr;
  InputCoreListener* deviceListener_ = nullptr;
  RegistrySettingsReader registrySettings_;
  const SettingsReader* settings_ = nullptr;
  std::unique_ptr<KeySettingsCache> keys_;
  SystemKeyInjector systemInjector_;
  KeyInjector* injector_ = &systemInjector_;
  bool sessionNotices_ = false;
  InputCoreCounters counters_;
};
