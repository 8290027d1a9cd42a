// The form's notification-area icon on real windows, seen in Wine's own tray (icons counted, tips
// read from the tray's process) and clicked with real X input: adding, changing and removing it,
// the tip limit, the clicks that come back as tray events, the removal with the window, and the
// icon added again when the notification area is rebuilt.
#include "support/RealInput.h"
#include "support/WindowTestSupport.h"
#include "support/WineTray.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/OwnedHandles.h"
#include "winframework/TrayIcon.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kTray[] = "tray";

// A new icon handle of the test's own, to be given to a form (which then owns it).
HICON NewIcon() { return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)); }

// An icon handle that has not been destroyed.
bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (GetIconInfo(icon, &info) == FALSE) return false;
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  return true;
}

// A created form, hidden as the program's form is while its icon shows, logging its tray events.
struct TrayForm {
  TrayForm() {
    form.BindEvent(FormEvents::kTrayNotify, owner.events, &LogOne<kTray>);
    CVolWinCreateInfo info;
    created = form.Create(info) == 1;
    if (created) ShowWindow(form.Handle(), SW_HIDE);
  }
  CVWnd_WinForm& Adapter() { return *form.FormAdapter(); }

  HandlerOwner owner;  // outlives the form, whose window goes first
  DesignedForm form;
  bool created = false;
};

// The tips of the tray's icons from left to right (an icon whose tip cannot be read shows so).
std::vector<std::wstring> Tips() {
  std::vector<std::wstring> tips;
  for (const HWND icon : wine_tray::Icons()) tips.push_back(wine_tray::TipOf(icon).value_or(L"<no tooltip>"));
  return tips;
}

class TrayIconTest : public WindowTest {
 protected:
  void SetUp() override {
    if (!wine_tray::RunningUnderWine()) GTEST_SKIP() << "Wine's own tray window is what these tests look at";
    // An icon left by an ended process goes a moment after its end.
    ASSERT_TRUE(PumpUntil([] { return wine_tray::Icons().empty(); }, 3000))
        << "another program's icon is in the tray: " << ::testing::PrintToString(Tips());
  }
  void TearDown() override {
    // Every form of a test has gone with its window by now, on every way out of the test.
    EXPECT_TRUE(wine_tray::Icons().empty()) << "an icon outlived its form: " << ::testing::PrintToString(Tips());
    WindowTest::TearDown();
  }
};

TEST_F(TrayIconTest, AddedOnceThenChangedReplacedAndRemovedWithTheHandlesOwned) {
  TrayForm tray;
  ASSERT_TRUE(tray.created);
  const HICON first = NewIcon();
  tray.Adapter().SetTrayIcon(first, L"first");
  EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"first"}));

  // The same icon again (the close question answered with Cancel while the icon shows): changed, not
  // added a second time, and its handle kept.
  tray.Adapter().SetTrayIcon(first, L"second");
  EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"second"})) << "one icon, changed";
  EXPECT_TRUE(IconAlive(first));
  EXPECT_EQ(tray.Adapter().TrayIconHandle(), first);

  // Another icon: the one icon is changed and the old handle destroyed.
  const HICON other = NewIcon();
  tray.Adapter().SetTrayIcon(other, L"third");
  EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"third"}));
  EXPECT_FALSE(IconAlive(first));
  EXPECT_TRUE(IconAlive(other));
  EXPECT_EQ(tray.Adapter().TrayIconHandle(), other);

  tray.Adapter().SetTrayIcon(nullptr, L"third");
  EXPECT_TRUE(wine_tray::Icons().empty());
  EXPECT_FALSE(IconAlive(other));
  EXPECT_EQ(tray.Adapter().TrayIconHandle(), nullptr);
}

TEST_F(TrayIconTest, TheTrayShowsTheTipCutTo126Units) {
  std::wstring units200;
  for (int i = 0; i < 200; ++i) units200 += i % 10 == 9 ? L'禾' : static_cast<wchar_t>(L'0' + i % 10);
  const struct {
    const wchar_t* tip;
    std::wstring shown;
  } cases[] = {
      {units200.c_str(), units200.substr(0, 126)},  // added with it
      {L"岚枫禾无线按钮扩展", L"岚枫禾无线按钮扩展"},
      {units200.c_str() + 73, units200.substr(73, 126)},  // 127 units
      {units200.c_str() + 74, units200.substr(74, 126)},  // 126 units
      {L"", L""},
      {nullptr, L""},
  };
  TrayForm tray;
  ASSERT_TRUE(tray.created);
  const HICON icon = NewIcon();
  for (const auto& c : cases) {
    tray.Adapter().SetTrayIcon(icon, c.tip);
    EXPECT_EQ(Tips(), std::vector<std::wstring>{c.shown});
  }
}

TEST_F(TrayIconTest, NoIconAskedWhileNoneShowsSendsNothing) {
  TrayForm tray;
  ASSERT_TRUE(tray.created);
  tray.Adapter().SetTrayIcon(nullptr, L"岚枫禾无线按钮扩展");
  EXPECT_TRUE(wine_tray::Icons().empty()) << "an add without an icon would show an empty one";
  EXPECT_EQ(tray.Adapter().TrayIconHandle(), nullptr);
  const NOTIFYICONDATAW record = MakeNotifyIconRecord(tray.form.Handle(), nullptr, L"岚枫禾无线按钮扩展");
  EXPECT_EQ(record.uFlags, 0u);
  EXPECT_EQ(record.hIcon, nullptr);

  // A form without a window ignores the request and takes no handle.
  DesignedForm unmade;
  const OwnedIcon icon(NewIcon());
  unmade.FormAdapter()->SetTrayIcon(icon.Get(), L"岚枫禾无线按钮扩展");
  EXPECT_TRUE(wine_tray::Icons().empty());
  EXPECT_EQ(unmade.FormAdapter()->TrayIconHandle(), nullptr);
  EXPECT_TRUE(IconAlive(icon.Get()));
}

// The raw tray callbacks that reach a window. Wine sends them rather than posting, so they never pass
// through the queue; a hook on this thread sees them as they are delivered.
class TrayCallbackRecorder {
 public:
  explicit TrayCallbackRecorder(HWND window) : window_(window) {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Record, nullptr, GetCurrentThreadId());
  }
  ~TrayCallbackRecorder() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  TrayCallbackRecorder(const TrayCallbackRecorder&) = delete;
  TrayCallbackRecorder& operator=(const TrayCallbackRecorder&) = delete;

  bool Hooked() const { return hook_ != nullptr; }
  size_t Count(LPARAM mouseMessage) const {
    return static_cast<size_t>(std::count(seen.begin(), seen.end(), mouseMessage));
  }

  std::vector<LPARAM> seen;

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ != nullptr && call->hwnd == current_->window_ &&
        call->message == WM_VOL_TRAYNOTIFY) {
      current_->seen.push_back(call->lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static TrayCallbackRecorder* current_;
  HWND window_;
  HHOOK hook_ = nullptr;
};

TrayCallbackRecorder* TrayCallbackRecorder::current_ = nullptr;

// Moves the pointer off the tray when it goes, so that no later hover reaches an icon.
struct PointerAway {
  ~PointerAway() { RunXdotool("mousemove 640 1000"); }
};

std::string MoveTo(POINT point) { return "mousemove " + std::to_string(point.x) + " " + std::to_string(point.y); }

TEST_F(TrayIconTest, RealClicksOnTheIconRaiseTheirCodesAndMovementNothing) {
  ASSERT_TRUE(XdotoolAvailable()) << "xdotool is missing (scripts/setup.sh installs it)";
  TrayForm tray;
  ASSERT_TRUE(tray.created);
  tray.Adapter().SetTrayIcon(NewIcon(), L"岚枫禾无线按钮扩展");
  const std::vector<HWND> icons = wine_tray::Icons();
  ASSERT_EQ(icons.size(), 1u);
  const POINT centre = wine_tray::CentreOf(icons[0]);
  TrayCallbackRecorder raw(tray.form.Handle());
  ASSERT_TRUE(raw.Hooked());
  const PointerAway pointerAway;

  // Each action ends with its last callback; the one before a double click ended differently, so the
  // right click lies between the double and the single left click.
  const struct {
    const char* what;
    std::string input;
    LPARAM lastCallback;
    size_t lastCallbackCount;
    std::vector<std::string> raised;
  } cases[] = {
      {"movement onto the icon", "mousemove 640 600 " + MoveTo(centre), WM_MOUSEMOVE, 1, {}},
      {"double click", "click --repeat 2 --delay 80 1", WM_LBUTTONUP, 2, {"tray 1", "tray 2", "tray 1"}},
      {"right click", "click 3", WM_RBUTTONUP, 1, {"tray 3"}},
      {"left click", "click 1", WM_LBUTTONUP, 1, {"tray 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    raw.seen.clear();
    tray.owner.log.clear();
    ASSERT_TRUE(RunXdotool(c.input));
    EXPECT_TRUE(PumpUntil([&] { return raw.Count(c.lastCallback) >= c.lastCallbackCount; }, 3000))
        << "callbacks seen: " << ::testing::PrintToString(raw.seen);
    EXPECT_EQ(tray.owner.log, c.raised) << "callbacks seen: " << ::testing::PrintToString(raw.seen);
  }
}

TEST_F(TrayIconTest, DestroyingTheWindowRemovesItsIconAtOnce) {
  // Wine also drops the icon of a window that went without removing it, but only a moment later:
  // right after the destruction only the form's own removal has emptied the tray.
  const struct {
    const char* what;
    void (*destroy)(std::unique_ptr<TrayForm>&);
  } cases[] = {
      {"the window destroyed", [](std::unique_ptr<TrayForm>& tray) { tray->form.FormAdapter()->DestroyWindow(); }},
      {"the form object deleted", [](std::unique_ptr<TrayForm>& tray) { tray.reset(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto tray = std::make_unique<TrayForm>();
    ASSERT_TRUE(tray->created);
    const HICON icon = NewIcon();
    tray->Adapter().SetTrayIcon(icon, L"岚枫禾无线按钮扩展");
    ASSERT_EQ(wine_tray::Icons().size(), 1u);
    c.destroy(tray);
    EXPECT_TRUE(wine_tray::Icons().empty());
    EXPECT_FALSE(IconAlive(icon)) << "the form owned the handle";
    if (tray != nullptr) {
      EXPECT_EQ(tray->Adapter().TrayIconHandle(), nullptr);
    }
  }
}

TEST_F(TrayIconTest, ARebuiltNotificationAreaGetsTheIconBackButNoneFromAFormWithout) {
  ASSERT_TRUE(XdotoolAvailable()) << "xdotool is missing (scripts/setup.sh installs it)";
  TrayForm holder;
  TrayForm without;
  ASSERT_TRUE(holder.created);
  ASSERT_TRUE(without.created);
  holder.Adapter().SetTrayIcon(NewIcon(), L"holder");
  // The other form showed an icon once and holds none now.
  without.Adapter().SetTrayIcon(NewIcon(), L"without");
  without.Adapter().SetTrayIcon(nullptr, nullptr);
  ASSERT_EQ(Tips(), (std::vector<std::wstring>{L"holder"}));

  // The shell loses every icon when its notification area is rebuilt.
  NOTIFYICONDATAW lost{};
  lost.cbSize = sizeof lost;
  lost.hWnd = holder.form.Handle();
  lost.uID = kTrayIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
  ASSERT_TRUE(wine_tray::Icons().empty());

  ASSERT_TRUE(PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
  EXPECT_TRUE(PumpUntil([] { return !wine_tray::Icons().empty(); }, 3000));
  PumpMessages();  // the broadcast was posted to both forms at once: both have seen it now
  EXPECT_EQ(Tips(), (std::vector<std::wstring>{L"holder"}));
  EXPECT_NE(holder.Adapter().TrayIconHandle(), nullptr);

  // Added with the same record: its clicks still reach the form.
  const std::vector<HWND> icons = wine_tray::Icons();
  ASSERT_EQ(icons.size(), 1u);
  const PointerAway pointerAway;
  ASSERT_TRUE(RunXdotool(MoveTo(wine_tray::CentreOf(icons[0])) + " click 1"));
  EXPECT_TRUE(PumpUntil([&] { return !holder.owner.log.empty(); }, 3000));
  EXPECT_EQ(holder.owner.log, std::vector<std::string>{"tray 1"});
}

}  // namespace
