// The application's message loop and the modal dialog: pre-translation before dispatch, the idle
// count, the exit code, the end of the main window, and a dialog run with its owner disabled.
#include "platform/PlatformApp.h"
#include "platform/PlatformDialog.h"
#include "platform/PlatformWindow.h"
#include "platform/WindowClass.h"
#include "support/WindowTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kStop = WM_APP + 2;

class PlainWindow : public PlatformWindow {
 public:
  bool Create() {
    RegisterLayerWindowClass(L"LanfhePlatformAppWindow", 0, nullptr, nullptr, nullptr);
    return CreateEx(0, L"LanfhePlatformAppWindow", L"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr);
  }
  int pings = 0;

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != kPing) return false;
    ++pings;
    result = 0;
    return true;
  }
};

// Logs the loop's calls; posts the next message from its idle step.
class LoggingApp : public PlatformApp {
 public:
  std::vector<std::string> log;
  std::vector<UINT> toPost;  // posted one by one whenever the idle sequence ends
  HWND target = nullptr;

  bool PreTranslateMessage(MSG& message) override {
    if (message.message == kPing) log.push_back("pre " + std::to_string(message.wParam));
    if (message.message == kStop) {
      log.push_back("pre stop");
      PostQuitMessage(7);
      return true;  // never dispatched
    }
    return PlatformApp::PreTranslateMessage(message);
  }
  bool OnIdle(long count) override {
    log.push_back("idle " + std::to_string(count));
    const bool more = count < 2;
    if (!more && !toPost.empty()) {
      PostMessageW(target, toPost.front(), toPost.size(), 0);
      toPost.erase(toPost.begin());
    }
    return more;
  }
};

TEST(PlatformApp, PreTranslatesEveryMessageAndRestartsTheIdleCountAfterEach) {
  PlainWindow window;
  ASSERT_TRUE(window.Create());
  LoggingApp app;
  app.target = window.Handle();
  PumpMessages();
  app.toPost = {kPing, kStop};
  EXPECT_EQ(app.Run(), 7) << "the exit code is the wParam of WM_QUIT";
  EXPECT_EQ(app.log, (std::vector<std::string>{"idle 0", "idle 1", "idle 2", "pre 2", "idle 0", "idle 1", "idle 2",
                                               "pre stop"}));
  EXPECT_EQ(window.pings, 1);
  window.DestroyWindow();
  EXPECT_EQ(PlatformWindow::BoundCount(), 0);
}

TEST(PlatformApp, TheEndOfTheMainWindowEndsTheLoopWithZero) {
  PlainWindow window;
  ASSERT_TRUE(window.Create());
  PlatformApp app;
  app.SetMainWindow(&window);
  PostMessageW(window.Handle(), WM_CLOSE, 0, 0);  // the default processing destroys the window
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.MainWindow(), nullptr);
  EXPECT_EQ(window.Handle(), nullptr);
}

TEST(PlatformApp, BaseIdleStepHasWorkOnlyAtCountZero) {
  PlatformApp app;
  EXPECT_TRUE(app.OnIdle(0));
  EXPECT_FALSE(app.OnIdle(1));
  EXPECT_FALSE(app.OnIdle(2));
}

TEST(PlatformApp, OnlyTheLatestApplicationIsCurrent) {
  {
    PlatformApp app;
    EXPECT_EQ(PlatformApp::Current(), &app);
    EXPECT_EQ(app.InstanceHandle(), GetModuleHandleW(nullptr));
  }
  EXPECT_EQ(PlatformApp::Current(), nullptr);
}

// A dialog that ends itself with a value posted to it, and records what it saw.
class EndingDialog : public PlatformDialog {
 public:
  bool initialised = false;
  bool ownerWasDisabled = false;
  HWND owner = nullptr;

 protected:
  BOOL OnInitDialog() override {
    initialised = true;
    PostMessageW(Handle(), kStop, 42, 0);
    return TRUE;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (message != kStop) return false;
    ownerWasDisabled = owner != nullptr && IsWindowEnabled(owner) == FALSE;
    EndDialog(static_cast<INT_PTR>(wParam));
    result = 0;
    return true;
  }
};

std::vector<DWORD> EmptyTemplate(DWORD style) {
  std::vector<DWORD> storage(8, 0);
  DLGTEMPLATE header{};
  header.style = style;
  header.cx = 100;
  header.cy = 50;
  memcpy(storage.data(), &header, sizeof header);
  return storage;
}

TEST(PlatformDialog, RunsModalWithItsOwnerDisabledAndAnswersTheEndValue) {
  PlainWindow owner;
  ASSERT_TRUE(owner.Create());
  EndingDialog dialog;
  dialog.owner = owner.Handle();
  const std::vector<DWORD> storage = EmptyTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
  EXPECT_EQ(dialog.RunModal(reinterpret_cast<const DLGTEMPLATE*>(storage.data()), owner.Handle()), 42);
  EXPECT_TRUE(dialog.initialised);
  EXPECT_TRUE(dialog.ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_EQ(dialog.Handle(), nullptr) << "destroyed when the run ends";
  owner.DestroyWindow();
  EXPECT_EQ(PlatformWindow::BoundCount(), 0);
}

}  // namespace
