#include "winframework/DisplayScale.h"

#include "winframework/DpiScaling.h"

double DisplayScaleFromDpi(double dpi) {
  const double scale = dpi / 96.0;
  return scale > 1.0 ? scale : 1.0;
}

double ComputeDisplayScale() { return DisplayScaleFromDpi(static_cast<double>(PrimaryMonitorDpi())); }
