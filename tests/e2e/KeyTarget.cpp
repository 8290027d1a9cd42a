#include "KeyTarget.h"

#include "ProgramDriver.h"

#include <sstream>

namespace e2e {

namespace {

bool MakeForeground(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

}  // namespace

bool KeyTarget::Start() {
  const std::wstring title = L"lanfhe-key-target-" + std::to_wstring(GetCurrentProcessId());
  process_ = HostProcess::Start(BesideTest(L"key_target.exe"), title + L" 600");
  if (!process_ || !process_->WaitForOutput("ready", 30000)) return false;
  window_ = FindWindowW(L"LanfheKeyTarget", title.c_str());
  seen_ = process_->Output().size();
  return window_ != nullptr;
}

POINT KeyTarget::ClickPoint() const {
  RECT client{};
  GetClientRect(window_, &client);
  POINT point{client.right - 40, client.bottom - 40};
  ClientToScreen(window_, &point);
  return point;
}

MiddleClickSeen KeyTarget::MiddleClick() {
  MiddleClickSeen seen;
  if (!MakeForeground(window_) || !ClickAt(ClickPoint(), 2)) return seen;
  // Keys injected by the hook are queued before the click goes on to the target; a short pause
  // after the click's release still catches any straggler.
  const bool released = WaitUntil([&] { return process_->Output().find("mbutton up", seen_) != std::string::npos; },
                                  10000);
  if (released) Sleep(300);
  const std::string output = process_->Output();
  std::istringstream lines(output.substr(seen_));
  seen_ = output.size();
  bool down = false;
  bool up = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "mbutton down") down = true;
    if (line == "mbutton up") up = true;
    if (line.rfind("key", 0) == 0 || line.rfind("syskey", 0) == 0) seen.keys.push_back(line);
  }
  seen.clickArrived = down && up;
  return seen;
}

}  // namespace e2e
