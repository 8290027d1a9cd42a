// The program's start routine.
#pragma once

#include <cstdint>

// Fills the function table (a missing library or function throws CVolException), then creates the
// main form's window, which runs the whole start-up of the form; the window becomes the main window.
// Answers 1 whether or not the window was created.
int32_t StartApplication();
