#include "app/StartApplication.h"

#include "app/ProgramObjects.h"
#include "settings/DynamicImports.h"
#include "winframework/WinCreateInfo.h"

int32_t StartApplication() {
  LoadDynamicImports();
  CVolWinCreateInfo info;  // no parent, default size and place, empty text, no menu, not modal
  if (g_mainForm.Create(info) != 0 && PlatformApp::Current() != nullptr) {
    PlatformApp::Current()->SetMainWindow(g_mainForm.HasWindow() ? g_mainForm.Adapter() : nullptr);
  }
  return 1;
}
