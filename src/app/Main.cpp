// The program's entry: the application shell on the platform's application object.
#include "app/ProgramObjects.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return g_mfcApp.Start(instance); }
