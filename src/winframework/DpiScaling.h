// Dots per inch of windows and monitors, and sizes laid out in 96-dpi design units scaled to them.
// The functions that answer per window or per monitor are looked up at run time, so the program
// still starts on systems that lack them; there the system's one DPI answers for every window.
#pragma once

#include <windows.h>

#include <cstdint>

// The DPI that design units are written in.
inline constexpr UINT kDesignDpi = 96;

// value (design units) at dpi, rounded half away from zero; dpi 0 counts as the design DPI.
int32_t ScaleToDpi(int32_t value, UINT dpi);
// A rectangle given as left, top, width and height in design units, each scaled on its own.
RECT ScaleDesignRect(int32_t left, int32_t top, int32_t width, int32_t height, UINT dpi);

// The system's DPI: GetDpiForSystem where it exists, else LOGPIXELSY of the screen (96 without one).
UINT SystemDpi();
// The DPI of window's monitor (GetDpiForWindow); the system DPI where that is missing or for null.
UINT WindowDpi(HWND window);
// The effective DPI of monitor (GetDpiForMonitor of SHCore); 0 when that cannot be asked.
UINT MonitorEffectiveDpi(HMONITOR monitor);
// The effective DPI of the primary monitor, the system DPI when it cannot be asked: what a top-level
// window without an owner is laid out for, and what the display scale is computed from.
UINT PrimaryMonitorDpi();

// A system metric at dpi (GetSystemMetricsForDpi); GetSystemMetrics where that is missing.
int SystemMetricForDpi(int index, UINT dpi);
// AdjustWindowRectExForDpi; AdjustWindowRectEx where that is missing.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi);
// Icon resource id of module at the small (SM_CXSMICON) or big (SM_CXICON) icon size of dpi, the
// image of that size chosen from the resource; the caller destroys it. Null when it cannot be loaded.
HICON LoadIconForDpi(HINSTANCE module, int id, bool smallSize, UINT dpi);
