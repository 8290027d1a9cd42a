#include "app/MfcApp.h"

#include "app/UserApp.h"
#include "runtime/AppInstance.h"
#include "runtime/VolException.h"
#include "runtime/WString.h"
#include "settings/DynamicImports.h"
#include "winframework/DisplayScale.h"
#include "winframework/KeyboardNavigation.h"

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include <cstdlib>

namespace {

// Whether the platform's idle work for this idle period is still going, and when the period began.
int32_t g_mfcIdlePending = 1;
DWORD g_idleStart = 0;

constexpr const wchar_t* kFailureCaption = L"运行时异常";

}  // namespace

CVolMFCApp::CVolMFCApp(StartRoutine startRoutine) : startRoutine_(startRoutine) {}

bool CVolMFCApp::InitInstance() {
  // The platform steps that only the original library needed (its control container, its own
  // initialisation and its OLE message filter) have no counterpart here.
  oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = 0xFF;
  InitCommonControlsEx(&controls);

  g_appInstance.instanceHandle = InstanceHandle();
  if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) g_appInstance.comInitialized = 1;
  g_appInstance.displayScale = ComputeDisplayScale();

  CVolObject* app = CBridgeApp::ClassInfo().factory();
  if (app == nullptr || !app->IsKindOf(CVolUserApp::ClassInfo())) {
    CVolObject::Delete(app);
    std::exit(-1);
  }
  if (app->IsKindOf(CVolWindowedApp::ClassInfo())) windowedApp_ = static_cast<CVolWindowedApp*>(app);

  return RunGuardedStart(startRoutine_) != 0 && MainWindow() != nullptr;
}

bool CVolMFCApp::PreTranslateMessage(MSG& message) {
  if (windowedApp_ != nullptr &&
      windowedApp_->OnAppPreTranslate(message.hwnd, message.message, message.wParam, message.lParam, message) == 0) {
    return true;
  }
  if (PlatformApp::PreTranslateMessage(message)) return true;
  return PreTranslateWindowChain(message);
}

bool CVolMFCApp::OnIdle(long count) {
  if (windowedApp_ == nullptr) return PlatformApp::OnIdle(count);
  if (count == 0) {
    g_mfcIdlePending = 1;
    g_idleStart = GetTickCount();
  }
  if (g_mfcIdlePending != 0) {
    g_mfcIdlePending = PlatformApp::OnIdle(count) ? 1 : 0;
    return true;
  }
  if (count < 2) return true;
  return windowedApp_->OnAppIdle(GetTickCount() - g_idleStart) != 0;
}

int CVolMFCApp::ExitInstance() {
  if (windowedApp_ != nullptr) windowedApp_->OnAppExit();
  windowedApp_ = nullptr;
  if (g_appInstance.userApp != nullptr) {
    CVolUserApp* app = g_appInstance.userApp;
    g_appInstance.userApp = nullptr;
    CVolObject::Delete(app);
  }
  FreeDynamicImports();
  g_appInstance.gdiplus.Shutdown();
  if (oleInitialized_) OleUninitialize();
  oleInitialized_ = false;
  return PlatformApp::ExitInstance();
}

int32_t RunGuardedStart(StartRoutine start) {
  if (IsDebuggerPresent() != FALSE) return start();
  try {
    return start();
  } catch (const CVolException& failure) {
    CWString text;
    text.Format(L"俘获到异常,代码值为: %d, 描述为: %s", failure.GetCode(), failure.GetDescription().GetText());
    MessageBoxW(nullptr, text.GetText(), kFailureCaption, MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"程序在运行时抛出了未被管理的异常", kFailureCaption, MB_ICONERROR);
  }
  std::exit(-1);
}
