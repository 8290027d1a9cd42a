// The program-wide objects. With the runtime record g_appInstance, which is constructed before
// them, they are constructed in this order and destroyed in the reverse order at exit.
#pragma once

#include "app/MfcApp.h"
#include "mainwindow/MainForm.h"
#include "settings/ProcessTools.h"

extern CProcessTools g_processTools;
extern CBridgeMainForm g_mainForm;
extern CVolMFCApp g_mfcApp;
