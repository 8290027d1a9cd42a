#include "bridge/KeystrokeInjection.h"

#include "settings/DynamicImportTable.h"

std::int32_t g_ctrlCombo = 0;

UINT SystemKeyInjector::Inject(const INPUT* events, UINT count) {
  return User32ImportAddress<SendInputFunction>(kUser32SendInput)(count, const_cast<INPUT*>(events),
                                                                   static_cast<int>(sizeof(INPUT)));
}

InjectionResult SendKeyStroke(const KeyStroke& stroke, KeyInjector& injector) {
  InjectionResult result{0, false};
  if (stroke.count == 0) return result;
  result.inserted = injector.Inject(stroke.events, stroke.count);
  if (result.inserted < stroke.count) {
    injector.Inject(stroke.events + stroke.releaseStart, stroke.count - stroke.releaseStart);
    result.releasedAgain = true;
  }
  return result;
}
