// The program's entry: "/exit" ends the running copy and nothing else; otherwise the application
// shell on the platform's application object.
#include "app/CommandLine.h"
#include "app/ProgramObjects.h"
#include "mainwindow/ExitRequest.h"
#include "settings/ProcessTools.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (AsksToEndRunningCopy(ArgumentsOf(GetCommandLineW()))) {
    return EndRunningCopies(CProcessTools::kInstanceEventName, 5000);
  }
  return g_mfcApp.Start(instance);
}
