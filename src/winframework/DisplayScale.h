// The display scale, computed once at start and kept process-wide: max(1.0, dpi / 96), dpi the
// effective DPI of the primary monitor. It comes from the same DPI that lays out a new top-level
// form (PrimaryMonitorDpi), so the first window is laid out at this scale.
#pragma once

// max(1.0, dpi / 96.0).
double DisplayScaleFromDpi(double dpi);
// "GetDpiForMonitor" of "SHCore.dll" for the monitor nearest the desktop window, looked up at run
// time; LOGPIXELSY of the screen when the library or the function is missing or reports 0.
double ComputeDisplayScale();
