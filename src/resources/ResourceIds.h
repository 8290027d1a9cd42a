// Ids of the program's resources, shared by the resource script and the code that loads them.
#pragma once

#define IDI_WINDOW_ICON 100  // one 32 x 32 image: the form's big and small window icon
#define IDI_TRAY_ICON 500    // 64 x 64, 32 x 32 and 16 x 16: the notification-area icon
