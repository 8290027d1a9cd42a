#include "app/ProgramObjects.h"

#include "app/StartApplication.h"

// One translation unit fixes the order: g_appInstance (the runtime's, first of all), then these.
CProcessTools g_processTools;
CBridgeMainForm g_mainForm;
CVolMFCApp g_mfcApp(&StartApplication);
