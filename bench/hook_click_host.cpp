// Bench host for real middle clicks: runs the program's input core (its hook procedure, raw-input
// watch, stored key read from the registry and keys sent with SendInput) with the hook procedure
// behind a wrapper that times every call, and shows a window of its own that takes the foreground,
// so the key strokes land there and nowhere else.
//   hook_click_host.exe CLICKS [CTRL_FLAG (default 1)] [LIFETIME_S (default 300)]
// Prints "ready TITLE" once the hook is in place; after CLICKS middle-button releases (or when its
// time runs out) prints the figures:
//   clicks N, keys K, reads R   (key messages the window received, settings reads after the start)
//   press P50 P99 MAX  release ... click ...   (microseconds per call; a click is press + release)
//   arrival P50 P99 MAX   (microseconds from the hook's call for a press to its key at the window)
#include "bridge/InputCore.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"
#include "settings/RegistrySettingsReader.h"
#include "runtime/VolException.h"
#include "settings/DynamicImports.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr wchar_t kTitle[] = L"lanfhe-hook-click-bench";
constexpr UINT_PTR kCheckTimer = 1;

std::vector<LONGLONG> g_pressTicks;
std::vector<LONGLONG> g_releaseTicks;
std::vector<LONGLONG> g_pressTimes;    // when the hook was called for each press
std::vector<LONGLONG> g_arrivalTimes;  // when the key (not Ctrl) of each stroke came down
size_t g_clicks = 0;
long g_keyMessages = 0;
long g_reads = 0;

class CountingReader final : public SettingsReader {
 public:
  std::wstring ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                        const std::wstring& defaultText) const override {
    ++g_reads;
    return registry_.ReadText(keyPath, valueName, defaultText);
  }

 private:
  RegistrySettingsReader registry_;
};

LONGLONG Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// The program's hook procedure, timed. Its own time includes the chaining it does itself.
LRESULT CALLBACK TimedHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  const LONGLONG start = Ticks();
  const LRESULT result = MouseHookProc(nCode, wParam, lParam);
  const LONGLONG took = Ticks() - start;
  if (nCode == HC_ACTION && wParam == WM_MBUTTONDOWN && g_pressTicks.size() < g_clicks) {
    g_pressTicks.push_back(took);
    g_pressTimes.push_back(start);
  }
  if (nCode == HC_ACTION && wParam == WM_MBUTTONUP && g_releaseTicks.size() < g_clicks) g_releaseTicks.push_back(took);
  return result;
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam != VK_CONTROL && g_arrivalTimes.size() < g_clicks) g_arrivalTimes.push_back(Ticks());
      ++g_keyMessages;
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      ++g_keyMessages;
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

struct Spread {
  double p50, p99, max;
};

Spread SpreadOf(std::vector<double> microseconds) {
  if (microseconds.empty()) return {0, 0, 0};
  std::sort(microseconds.begin(), microseconds.end());
  const size_t n = microseconds.size();
  const size_t p99 = (n * 99 + 99) / 100 - 1;  // the smallest value at or above 99 % of the calls
  return {microseconds[n / 2], microseconds[std::min(p99, n - 1)], microseconds.back()};
}

void PrintFigures() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double perTick = 1e6 / static_cast<double>(frequency.QuadPart);
  std::vector<double> presses, releases, clicks;
  for (LONGLONG t : g_pressTicks) presses.push_back(static_cast<double>(t) * perTick);
  for (LONGLONG t : g_releaseTicks) releases.push_back(static_cast<double>(t) * perTick);
  for (size_t i = 0; i < std::min(presses.size(), releases.size()); ++i) clicks.push_back(presses[i] + releases[i]);
  std::vector<double> arrivals;
  for (size_t i = 0; i < std::min(g_pressTimes.size(), g_arrivalTimes.size()); ++i) {
    arrivals.push_back(static_cast<double>(g_arrivalTimes[i] - g_pressTimes[i]) * perTick);
  }
  std::printf("clicks %zu, keys %ld, reads %ld\n", clicks.size(), g_keyMessages, g_reads);
  const Spread press = SpreadOf(presses), release = SpreadOf(releases), click = SpreadOf(clicks);
  std::printf("press %.1f %.1f %.1f\n", press.p50, press.p99, press.max);
  std::printf("release %.1f %.1f %.1f\n", release.p50, release.p99, release.max);
  std::printf("click %.1f %.1f %.1f\n", click.p50, click.p99, click.max);
  const Spread arrival = SpreadOf(arrivals);
  std::printf("arrival %.1f %.1f %.1f\n", arrival.p50, arrival.p99, arrival.max);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  g_clicks = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
  const int ctrlCombo = argc > 2 ? std::atoi(argv[2]) : 1;
  const long lifetimeSeconds = argc > 3 ? std::atol(argv[3]) : 300;
  g_pressTicks.reserve(g_clicks);
  g_releaseTicks.reserve(g_clicks);
  g_pressTimes.reserve(g_clicks);
  g_arrivalTimes.reserve(g_clicks);

  try {
    LoadDynamicImports();
  } catch (const CVolException& failure) {
    std::fwprintf(stderr, L"hook_click_host: %ls\n", failure.GetDescription().GetText());
    return 1;
  }

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BenchWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"LanfheHookClickBench";
  if (RegisterClassW(&windowClass) == 0) return 1;
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW, 600, 400, 400, 300,
                                      nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  SetFocus(window);
  if (GetForegroundWindow() != window) {
    std::fprintf(stderr, "hook_click_host: the bench window is not the foreground window\n");
    return 1;
  }

  // The program's core, its hook then put behind the timing wrapper.
  g_ctrlCombo = ctrlCombo;
  CountingReader reader;
  InputCore core;
  core.SetSettingsReader(&reader);
  if (!core.Start()) {
    std::fprintf(stderr, "hook_click_host: the input core did not start\n");
    return 1;
  }
  g_reads = 0;  // the read at the start does not count
  RemoveMouseHook();
  g_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, TimedHookProc, nullptr, 0);
  if (g_mouseHook == nullptr) {
    std::fprintf(stderr, "hook_click_host: SetWindowsHookExW failed (%lu)\n", GetLastError());
    return 1;
  }
  std::printf("ready %ls\n", kTitle);
  std::fflush(stdout);

  // Checks every 100 ms; one more round after the last release lets its key strokes arrive.
  SetTimer(window, kCheckTimer, 100, nullptr);
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(lifetimeSeconds) * 1000u;
  bool done = false;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window) {
      if (done || static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
      done = g_releaseTicks.size() >= g_clicks;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  core.Stop();
  PrintFigures();
  return 0;
}
