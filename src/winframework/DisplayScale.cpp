#include "winframework/DisplayScale.h"

#include <windows.h>

namespace {

// MONITOR_DPI_TYPE's MDT_EFFECTIVE_DPI.
constexpr int kEffectiveDpi = 0;
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The library is freed on every way out.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~LoadedLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

UINT MonitorDpi() {
  const LoadedLibrary shcore(L"SHCore.dll");
  if (shcore.Get() == nullptr) return 0;
  const auto getDpi =
      reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(GetProcAddress(shcore.Get(), "GetDpiForMonitor")));
  if (getDpi == nullptr) return 0;
  const HMONITOR monitor = MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST);
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (FAILED(getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY))) return 0;
  return dpiY;
}

UINT DesktopLogPixelsY() {
  const HWND desktop = GetDesktopWindow();
  const HDC dc = GetDC(desktop);
  if (dc == nullptr) return 0;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(desktop, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

}  // namespace

double DisplayScaleFromDpi(double dpi) {
  const double scale = dpi / 96.0;
  return scale > 1.0 ? scale : 1.0;
}

double ComputeDisplayScale() {
  UINT dpi = MonitorDpi();
  if (dpi == 0) dpi = DesktopLogPixelsY();
  return DisplayScaleFromDpi(static_cast<double>(dpi));
}
