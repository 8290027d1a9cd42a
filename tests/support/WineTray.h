// Wine's own notification area as another process sees it. With no tray on the display, Wine's
// desktop process (explorer) shows the icons in its "Wine System Tray" window: one child window per
// icon, in the order added, each with its own tooltip window whose one tool is that child. The tip
// lives in explorer's memory, so it is read by asking the tooltip for it into a buffer there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wine_tray {

// True when the process runs under Wine.
bool RunningUnderWine();
// The icon windows, in the order the icons were added; none while no tray window exists.
std::vector<HWND> Icons();
// The tip of an icon window; nothing when no tooltip of its process has that icon as its tool.
std::optional<std::wstring> TipOf(HWND icon);
// The middle of an icon window in screen coordinates (the same as the X root's).
POINT CentreOf(HWND icon);

}  // namespace wine_tray
