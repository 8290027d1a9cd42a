// The display scale, computed once at start and kept process-wide: max(1.0, dpi / 96), dpi the
// effective DPI of the monitor nearest the desktop window. The window code does not read it.
#pragma once

// max(1.0, dpi / 96.0).
double DisplayScaleFromDpi(double dpi);
// "GetDpiForMonitor" of "SHCore.dll", looked up at run time; LOGPIXELSY of the desktop window's
// device context when the library or the function is missing or reports 0.
double ComputeDisplayScale();
