#include "winframework/DpiScaling.h"

namespace {

// MONITOR_DPI_TYPE's MDT_EFFECTIVE_DPI.
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

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

UINT ScreenLogPixelsY() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

}  // namespace

int32_t ScaleToDpi(int32_t value, UINT dpi) {
  if (dpi == 0) return value;
  return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

RECT ScaleDesignRect(int32_t left, int32_t top, int32_t width, int32_t height, UINT dpi) {
  const int32_t x = ScaleToDpi(left, dpi);
  const int32_t y = ScaleToDpi(top, dpi);
  return RECT{x, y, x + ScaleToDpi(width, dpi), y + ScaleToDpi(height, dpi)};
}

UINT SystemDpi() {
  using Function = UINT(WINAPI*)();
  static const auto getDpiForSystem = User32Function<Function>("GetDpiForSystem");
  const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : ScreenLogPixelsY();
  return dpi != 0 ? dpi : kDesignDpi;
}

UINT WindowDpi(HWND window) {
  using Function = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<Function>("GetDpiForWindow");
  if (window != nullptr && getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

UINT MonitorEffectiveDpi(HMONITOR monitor) {
  using Function = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  const LoadedLibrary shcore(L"SHCore.dll");
  if (shcore.Get() == nullptr || monitor == nullptr) return 0;
  const auto getDpi =
      reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(shcore.Get(), "GetDpiForMonitor")));
  if (getDpi == nullptr) return 0;
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (FAILED(getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY))) return 0;
  return dpiY;
}

UINT PrimaryMonitorDpi() {
  const UINT dpi = MonitorEffectiveDpi(MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST));
  if (dpi != 0) return dpi;
  const UINT logPixels = ScreenLogPixelsY();
  return logPixels != 0 ? logPixels : SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  using Function = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<Function>("GetSystemMetricsForDpi");
  if (forDpi != nullptr && dpi != 0) return forDpi(index, dpi);
  return GetSystemMetrics(index);
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) {
  using Function = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto forDpi = User32Function<Function>("AdjustWindowRectExForDpi");
  if (forDpi != nullptr && dpi != 0) return forDpi(&rect, style, hasMenu ? TRUE : FALSE, exStyle, dpi) != FALSE;
  return AdjustWindowRectEx(&rect, style, hasMenu ? TRUE : FALSE, exStyle) != FALSE;
}

HICON LoadIconForDpi(HINSTANCE module, int id, bool smallSize, UINT dpi) {
  const int width = SystemMetricForDpi(smallSize ? SM_CXSMICON : SM_CXICON, dpi);
  const int height = SystemMetricForDpi(smallSize ? SM_CYSMICON : SM_CYICON, dpi);
  return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}
