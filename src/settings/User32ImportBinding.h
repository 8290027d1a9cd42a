// Fills g_user32Imports from the executable's own import library. Stands in for loading the
// functions by name at start-up; call it before the mouse hook is installed.
#pragma once

void BindUser32ImportsFromImportLibrary();
