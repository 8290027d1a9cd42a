// The window layer on real windows: binding from the first message, dispatch with Default at most
// once, reflection of a parent's notifications to the child's object, exceptions kept away from
// user32, unbinding after the last message and self-deletion.
#include "platform/PlatformApp.h"
#include "platform/PlatformControls.h"
#include "platform/PlatformWindow.h"
#include "platform/WindowClass.h"
#include "support/WindowTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kTestClass = L"LanfhePlatformTestWindow";

void RegisterTestClass() {
  ASSERT_TRUE(RegisterLayerWindowClass(kTestClass, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr));
}

// Records the messages it sees and lets a test decide what one of them does.
class RecordingWindow : public PlatformWindow {
 public:
  std::vector<UINT> seen;
  UINT throwOn = 0;
  UINT destroyOn = 0;
  bool recreateAfterDestroy = false;  // the handler that destroyed the window makes a new one
  bool defaultTwiceOn = false;
  std::vector<std::string>* lifeLog = nullptr;  // outlives the object
  std::vector<std::string> childNotes;

  ~RecordingWindow() override {
    if (lifeLog != nullptr) lifeLog->push_back("deleted");
  }

  bool Create(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    return CreateEx(0, kTestClass, L"test", style, 10, 10, 200, 100, parent, nullptr);
  }

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    seen.push_back(message);
    if (message == throwOn && throwOn != 0) throw std::runtime_error("from the window procedure");
    if (message == destroyOn && destroyOn != 0) {
      DestroyWindow();
      if (lifeLog != nullptr) lifeLog->push_back(Handle() == nullptr ? "destroyed, unbound" : "destroyed, bound");
      if (recreateAfterDestroy && lifeLog != nullptr) lifeLog->push_back(Create() ? "created again" : "not created");
      if (lifeLog != nullptr) lifeLog->push_back("handler ends");
      result = 0;
      return true;
    }
    if (defaultTwiceOn && message == WM_USER + 1) {
      const LRESULT first = Default();
      const LRESULT second = Default();
      result = first == second ? first : -1;
      return true;
    }
    return false;
  }
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    childNotes.push_back(message == WM_COMMAND ? "command " + std::to_string(HIWORD(wParam)) : "ctlcolor");
    result = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    return true;
  }
};

class PlatformWindowTest : public WindowTest {
 protected:
  void SetUp() override { RegisterTestClass(); }
};

TEST_F(PlatformWindowTest, BindsFromTheFirstMessageAndUnbindsAfterTheLast) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create());
  const HWND handle = window.Handle();
  EXPECT_EQ(PlatformWindow::FromHandle(handle), &window);
  EXPECT_EQ(PlatformWindow::BoundCount(), 1);
  ASSERT_FALSE(window.seen.empty());
  // The object saw the window's creation from the start: nothing reached DefWindowProcW unbound.
  EXPECT_TRUE(window.seen.front() == WM_GETMINMAXINFO || window.seen.front() == WM_NCCREATE);
  EXPECT_FALSE(window.Create()) << "an object has one window";

  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(PlatformWindow::FromHandle(handle), nullptr);
}

TEST_F(PlatformWindowTest, DefaultReachesThePreviousProcedureOnlyOncePerMessage) {
  static int previousCalls = 0;
  previousCalls = 0;
  WNDCLASSW plain{};
  plain.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER + 1) return ++previousCalls;
    return DefWindowProcW(w, m, wp, lp);
  };
  plain.hInstance = GetModuleHandleW(nullptr);
  plain.lpszClassName = L"LanfhePlatformPlain";
  RegisterClassW(&plain);
  const HWND handle = CreateWindowExW(0, L"LanfhePlatformPlain", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                      plain.hInstance, nullptr);
  ASSERT_NE(handle, nullptr);

  RecordingWindow window;
  window.defaultTwiceOn = true;
  ASSERT_TRUE(window.Subclass(handle));
  EXPECT_EQ(SendMessageW(handle, WM_USER + 1, 0, 0), 1) << "both calls answer the one result";
  EXPECT_EQ(previousCalls, 1);

  window.DestroyWindow();
}

TEST_F(PlatformWindowTest, ParentHandsControlNotificationsToTheControlsObject) {
  RecordingWindow parent;
  ASSERT_TRUE(parent.Create());
  PlatformButton button;
  ASSERT_TRUE(button.Create(0, L"b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 40, 20, parent.Handle(), 7));
  RecordingWindow child;  // an object behind a second, plain child
  ASSERT_TRUE(child.Create(parent.Handle(), WS_CHILD));

  // A subclassed system control keeps its own behaviour.
  EXPECT_EQ(SendMessageW(button.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  SendMessageW(parent.Handle(), WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(child.Handle()));
  EXPECT_EQ(child.childNotes, (std::vector<std::string>{"command 0"}));
  const LRESULT brush = SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.Handle()));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(child.childNotes.size(), 2u);

  // A command from a window without an object stays with the parent.
  SendMessageW(parent.Handle(), WM_COMMAND, MAKEWPARAM(3, 0), reinterpret_cast<LPARAM>(parent.Handle()));
  EXPECT_EQ(child.childNotes.size(), 2u);

  parent.DestroyWindow();
  EXPECT_EQ(button.Handle(), nullptr) << "children go with their parent, and unbind";
  EXPECT_EQ(child.Handle(), nullptr);
}

TEST_F(PlatformWindowTest, AnExceptionInCreationReachesTheCreatorAfterTheWindowIsGone) {
  RecordingWindow window;
  window.throwOn = WM_CREATE;
  try {
    window.Create();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "from the window procedure");
    // Creation failed inside user32 and returned before the exception was thrown again.
    EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(window.Handle(), nullptr);
  }
}

TEST_F(PlatformWindowTest, AnExceptionInADispatchedMessageComesOutOfThePump) {
  RecordingWindow window;
  ASSERT_TRUE(window.Create());
  window.throwOn = WM_USER + 5;
  PostMessageW(window.Handle(), WM_USER + 5, 0, 0);
  PlatformApp app;
  EXPECT_THROW(app.PumpMessage(), std::runtime_error);
  EXPECT_NO_THROW(PlatformWindow::RethrowPendingException()) << "thrown once";
  window.DestroyWindow();
}

TEST_F(PlatformWindowTest, DestroyedInsideItsOwnHandlerTheObjectStaysUsableUntilTheHandlerReturns) {
  std::vector<std::string> lifeLog;
  auto* window = new RecordingWindow();
  window->lifeLog = &lifeLog;
  window->destroyOn = WM_CLOSE;
  window->SetAutoDelete(true);
  ASSERT_TRUE(window->Create());
  const HWND handle = window->Handle();
  // The handler destroys the window and reads the object afterwards: the window is no longer
  // reported, and the object deletes itself only once the outermost message is done.
  SendMessageW(handle, WM_CLOSE, 0, 0);
  EXPECT_EQ(lifeLog, (std::vector<std::string>{"destroyed, unbound", "handler ends", "deleted"}));
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(PlatformWindow::FromHandle(handle), nullptr);
}

TEST_F(PlatformWindowTest, AHandlerThatDestroyedItsWindowCanGiveTheObjectANewOne) {
  std::vector<std::string> lifeLog;
  auto* window = new RecordingWindow();
  window->lifeLog = &lifeLog;
  window->destroyOn = WM_CLOSE;
  window->recreateAfterDestroy = true;
  window->SetAutoDelete(true);
  ASSERT_TRUE(window->Create());
  const HWND first = window->Handle();
  SendMessageW(first, WM_CLOSE, 0, 0);
  // Stops here otherwise: the object may be gone.
  ASSERT_EQ(lifeLog, (std::vector<std::string>{"destroyed, unbound", "created again", "handler ends"}))
      << "the object with its new window outlives the message of the old one";
  const HWND second = window->Handle();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(PlatformWindow::FromHandle(second), window);
  EXPECT_EQ(PlatformWindow::FromHandle(first), nullptr);

  lifeLog.clear();
  window->destroyOn = 0;
  ::DestroyWindow(second);
  EXPECT_EQ(lifeLog, (std::vector<std::string>{"deleted"}));
}

TEST_F(PlatformWindowTest, CreatingAWindowOfASystemClassFailsAndLeavesNoWindow) {
  constexpr const wchar_t* kTitle = L"LanfheSystemClassWindow";
  RecordingWindow window;
  EXPECT_FALSE(window.CreateEx(0, L"Button", kTitle, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
  EXPECT_EQ(window.Handle(), nullptr);
  EXPECT_EQ(FindWindowW(L"Button", kTitle), nullptr) << "the unbound window was left behind";
}

TEST_F(PlatformWindowTest, AnObjectDestroyedWithItsWindowStillThereDestroysIt) {
  HWND handle = nullptr;
  {
    RecordingWindow window;
    ASSERT_TRUE(window.Create());
    handle = window.Handle();
  }
  EXPECT_FALSE(IsWindow(handle));
}

TEST_F(PlatformWindowTest, WindowClassesAreRegisteredOncePerName) {
  EXPECT_TRUE(RegisterLayerWindowClass(kTestClass, 0, nullptr, nullptr, nullptr));
  EXPECT_TRUE(RegisterLayerWindowClass(L"", 0, nullptr, nullptr, nullptr));
  WNDCLASSEXW found{};
  found.cbSize = sizeof found;
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"VolWindow", &found));
  EXPECT_EQ(found.lpfnWndProc, PlatformWindow::LayerProcedure());
}

}  // namespace
