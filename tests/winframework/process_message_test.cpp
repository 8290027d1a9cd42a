// The generic translation of window messages into control events, through a real form window and a
// real edit control: which slot a message raises, with which arguments, and what the handler's answer
// does to the message.
#include "platform/PlatformWindow.h"
#include "support/WindowTestSupport.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/KeyNormalization.h"
#include "winframework/ListenerForwarding.h"
#include "winframework/WinContainer.h"
#include "winframework/WinControl.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kMouse[] = "mouse";
constexpr char kWheel[] = "wheel";
constexpr char kKey[] = "key";
constexpr char kChar[] = "char";

// Arrow key states for a row: which modifiers are held while the message is processed.
enum Held { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

void HoldKeys(int held) {
  BYTE state[256] = {};
  if (held & kCtrl) state[VK_CONTROL] = 0x80;
  if (held & kShift) state[VK_SHIFT] = 0x80;
  if (held & kAlt) state[VK_MENU] = 0x80;
  SetKeyboardState(state);
}

class ProcessMessageTest : public WindowTest {
 protected:
  void SetUp() override {
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
    for (const auto& event : {ControlEvents::kLeftButtonDown, ControlEvents::kLeftButtonUp,
                              ControlEvents::kLeftDoubleClick, ControlEvents::kRightButtonDown,
                              ControlEvents::kRightButtonUp, ControlEvents::kMiddleButtonDown,
                              ControlEvents::kMiddleButtonUp, ControlEvents::kMouseMove}) {
      form.BindEvent(event, owner.events, &LogThree<kMouse>);
    }
    form.BindEvent(ControlEvents::kWheel, owner.events, &LogTwo<kWheel>);
    form.BindEvent(ControlEvents::kKeyDown, owner.events, &LogTwo<kKey>);
    form.BindEvent(ControlEvents::kKeyUp, owner.events, &LogTwo<kKey>);
  }
  void TearDown() override {
    HoldKeys(kNone);
    if (form.HasWindow()) form.Wrapper()->Window()->DestroyWindow();
    WindowTest::TearDown();
  }

  HandlerOwner owner;
  DesignedForm form;
};

struct MessageCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int held;
  const char* expected;  // the logged event, or "" for none
};

TEST_F(ProcessMessageTest, MessagesRaiseTheirEventsWithTheirArguments) {
  const MessageCase cases[] = {
      {"left down at (3, 4)", WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4), kNone, "mouse 3 4 0"},
      {"negative coordinates", WM_MOUSEMOVE, 0, MAKELPARAM(-5, -7), kNone, "mouse -5 -7 0"},
      {"Ctrl+left click", WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(1, 2), kNone, "mouse 1 2 8192"},
      {"Ctrl+Shift+left click", WM_LBUTTONUP, MK_CONTROL | MK_SHIFT, MAKELPARAM(1, 2), kNone, "mouse 1 2 40960"},
      {"Alt from the key state", WM_RBUTTONUP, 0, 0, kAlt, "mouse 0 0 16384"},
      {"right double click raises nothing", WM_RBUTTONDBLCLK, 0, 0, kNone, ""},
      {"middle double click raises nothing", WM_MBUTTONDBLCLK, 0, 0, kNone, ""},
      {"wheel +240", WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0, kNone, "wheel 2 0"},
      {"wheel -120 with Ctrl", WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0, kNone,
       "wheel -1 8192"},
      {"wheel -60 is no notch", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0, kNone, "wheel 0 0"},
      {"A", WM_KEYDOWN, 'A', 0, kNone, "key 65 0"},
      {"Ctrl+A", WM_KEYDOWN, 'A', 0, kCtrl, "key 65 8192"},
      {"Ctrl+Shift+Alt+A", WM_SYSKEYDOWN, 'A', 0, kCtrl | kShift | kAlt, "key 65 57344"},
      {"Ctrl alone does not mark itself", WM_KEYDOWN, VK_CONTROL, 0, kCtrl, "key 17 0"},
      {"keypad 5 is the digit 5", WM_KEYUP, VK_NUMPAD5, 0, kNone, "key 53 0"},
      {"keypad minus", WM_KEYDOWN, VK_SUBTRACT, 0, kNone, "key 189 0"},
      {"keypad point", WM_KEYDOWN, VK_DECIMAL, 0, kShift, "key 190 32768"},
      {"keypad divide", WM_SYSKEYUP, VK_DIVIDE, 0, kNone, "key 191 0"},
      {"keypad plus keeps its code", WM_KEYDOWN, VK_ADD, 0, kNone, "key 107 0"},
      {"an unnamed key is 0 without modifiers", WM_KEYDOWN, VK_LWIN, 0, kCtrl, "key 0 0"},
      {"only the low byte counts", WM_KEYDOWN, 0x100 + 'B', 0, kNone, "key 66 0"},
  };
  for (const MessageCase& c : cases) {
    owner.log.clear();
    HoldKeys(c.held);
    SendMessageW(form.Handle(), c.message, c.wParam, c.lParam);
    const std::vector<std::string> expected =
        c.expected[0] != 0 ? std::vector<std::string>{c.expected} : std::vector<std::string>{};
    EXPECT_EQ(owner.log, expected) << c.name;
  }
}

// Mouse and key events skip their key-state reads when nothing is bound; whether something is bound
// is asked of the message's own slot, whatever else is bound.
TEST_F(ProcessMessageTest, OnlyTheMessagesOwnSlotDecidesWhetherItIsRaised) {
  for (const auto& event : {ControlEvents::kLeftButtonDown, ControlEvents::kLeftButtonUp,
                            ControlEvents::kLeftDoubleClick, ControlEvents::kRightButtonDown,
                            ControlEvents::kMiddleButtonDown, ControlEvents::kMiddleButtonUp,
                            ControlEvents::kMouseMove}) {
    form.BindEvent(event, nullptr, nullptr);
  }
  form.BindEvent(ControlEvents::kKeyDown, nullptr, nullptr);
  const MessageCase cases[] = {
      {"left down, unbound", WM_LBUTTONDOWN, 0, 0, kAlt, ""},
      {"mouse move, unbound", WM_MOUSEMOVE, 0, 0, kAlt, ""},
      {"right up, still bound", WM_RBUTTONUP, 0, MAKELPARAM(1, 2), kAlt, "mouse 1 2 16384"},
      {"key down, unbound", WM_KEYDOWN, 'A', 0, kAlt, ""},
      {"key up, still bound", WM_KEYUP, 'A', 0, kAlt, "key 65 16384"},
  };
  for (const MessageCase& c : cases) {
    owner.log.clear();
    HoldKeys(c.held);
    SendMessageW(form.Handle(), c.message, c.wParam, c.lParam);
    const std::vector<std::string> expected =
        c.expected[0] != 0 ? std::vector<std::string>{c.expected} : std::vector<std::string>{};
    EXPECT_EQ(owner.log, expected) << c.name;
  }
}

// A handler's nonzero answer consumes the message: the default processing never sees it.
TEST_F(ProcessMessageTest, ANonzeroAnswerConsumesTheMessage) {
  // The default processing of Alt+F4 closes the window.
  constexpr LPARAM kAltDown = 1 << 29;
  owner.answer = 1;
  SendMessageW(form.Handle(), WM_SYSKEYDOWN, VK_F4, kAltDown);
  PumpMessages();
  EXPECT_TRUE(form.HasWindow());
  owner.answer = 0;
  SendMessageW(form.Handle(), WM_SYSKEYDOWN, VK_F4, kAltDown);
  PumpMessages();
  EXPECT_FALSE(form.HasWindow()) << "passed on, the key closes the form";
}

// The any-message event comes before all others and can consume everything.
int32_t SwallowMouse(CVolObject* owner, CVolObject*, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG* msg) {
  HandlerOwner::Of(owner).log.push_back(msg->message == message ? "any" : "any with another record");
  return message == WM_LBUTTONDOWN ? 1 : 0;
}

TEST_F(ProcessMessageTest, TheAnyMessageEventComesFirstAndCanConsume) {
  form.BindEvent(ControlEvents::kAnyMessage, owner.events, &SwallowMouse);
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(owner.log, (std::vector<std::string>{"any"}));
  owner.log.clear();
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(owner.log, (std::vector<std::string>{"any", "mouse 0 0 0"}));
}

// A control over a real edit field: its adapter forwards every message to the control first.
class EditAdapter : public PlatformWindow {
 public:
  IBaseEventListener* listener = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (ForwardToListener(listener, *this, message, wParam, lParam)) return 0;
    return PlatformWindow::WindowProc(message, wParam, lParam);
  }
};

class TestEdit : public CVolWinControl, public IBaseEventListener {
 public:
  TestEdit() : CVolWinControl(new EditAdapter()) {}
  ~TestEdit() override { Edit().listener = nullptr; }
  bool Create(HWND parent) {
    Edit().listener = this;
    return Edit().CreateSubclassedEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr);
  }
  bool OnWindowMessage(MSG& msg) override { return ProcessMessage(msg) != 0; }
  EditAdapter& Edit() { return *static_cast<EditAdapter*>(Adapter()); }
};

struct CharAnswer {
  static int32_t value;
  static int32_t Replace(CVolObject* owner, CVolObject*, int32_t, int32_t character) {
    HandlerOwner::Of(owner).log.push_back("char " + std::to_string(character));
    return value;
  }
};
int32_t CharAnswer::value = 0;

TEST_F(ProcessMessageTest, ACharacterIsReplacedSwallowedOrPassedOnByTheAnswer) {
  TestEdit edit;
  ASSERT_TRUE(edit.Create(form.Handle()));
  edit.BindEvent(ControlEvents::kCharacter, owner.events, &CharAnswer::Replace);
  const struct {
    int32_t answer;
    const wchar_t* expectedText;
  } steps[] = {{0x41, L"A"}, {-1, L"A"}, {0, L"Ab"}};
  for (const auto& step : steps) {
    CharAnswer::value = step.answer;
    SendMessageW(edit.Handle(), WM_CHAR, L'b', 1);
    EXPECT_STREQ(edit.GetControlText().GetText(), step.expectedText) << "answer " << step.answer;
  }
  EXPECT_EQ(owner.log, (std::vector<std::string>{"char 98", "char 98", "char 98"}));
}

// An HDROP as the shell hands it over: DROPFILES, then the paths, each NUL-ended, and one more NUL.
HGLOBAL MakeDrop(const std::vector<std::wstring>& paths) {
  size_t units = 1;
  for (const auto& path : paths) units += path.size() + 1;
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
  for (const auto& path : paths) {
    std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    text += path.size() + 1;
  }
  *text = 0;
  GlobalUnlock(memory);
  return memory;
}

struct DropLog {
  static std::vector<std::vector<std::wstring>> drops;
  static int32_t Dropped(CVolObject*, CVolObject*, int32_t, const CMStringArray& paths) {
    std::vector<std::wstring> copy;
    for (int64_t i = 0; i < paths.GetCount(); ++i) copy.push_back(paths.GetAt(i));
    drops.push_back(copy);
    return 0;
  }
};
std::vector<std::vector<std::wstring>> DropLog::drops;

TEST_F(ProcessMessageTest, ADropRaisesOneEventWithEveryPathWholeInDropOrder) {
  DropLog::drops.clear();
  form.BindEvent(ControlEvents::kFilesDropped, owner.events, &DropLog::Dropped);
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'd') + L"\\file.txt";
  const std::vector<std::wstring> paths = {L"C:\\first.txt", longPath, L"D:\\third"};
  ASSERT_GT(longPath.size(), 260u);
  SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  ASSERT_EQ(DropLog::drops.size(), 1u);
  EXPECT_EQ(DropLog::drops[0], paths);
}

int32_t LogSetCursor(CVolObject* owner, CVolObject*, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG*) {
  if (message == WM_SETCURSOR) HandlerOwner::Of(owner).log.push_back("parent asked for the cursor");
  return 0;
}

// A child's default processing of WM_SETCURSOR first asks its parent: the parent hearing nothing
// shows that the child's own cursor consumed the message.
TEST_F(ProcessMessageTest, ACursorHeldByTheWrapperIsSetOnSetCursorAndConsumesIt) {
  CVolWindowBase child;
  CVolWinCreateInfo info = ChildCreateInfo(form, 0, 0, 50, 30, 9);
  ASSERT_EQ(child.Create(info), 1);
  form.BindEvent(ControlEvents::kAnyMessage, owner.events, &LogSetCursor);
  const HWND window = child.Handle();

  SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(owner.log, (std::vector<std::string>{"parent asked for the cursor"})) << "without a cursor the default decides";

  owner.log.clear();
  const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  child.Wrapper()->cursor = cross;
  EXPECT_EQ(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 0);
  EXPECT_TRUE(owner.log.empty()) << "the default processing ran although the cursor was set";
  EXPECT_EQ(GetCursor(), cross);
}

TEST(KeyNormalization, NamedCodesAreTheNinetyFourOfTheTable) {
  int named = 0;
  for (int code = 0; code < 256; ++code) named += VolKeyName(code)[0] != 0 ? 1 : 0;
  EXPECT_EQ(named, 94);
  EXPECT_STREQ(VolKeyName(0x0D), L"Enter");
  EXPECT_STREQ(VolKeyName(0xDC), L"\\");
  EXPECT_STREQ(VolKeyName(0x7F), L"F16");
  EXPECT_STREQ(VolKeyName(0x60), L"") << "keypad digits have no name of their own";
  EXPECT_STREQ(VolKeyName(-1), L"");
  EXPECT_STREQ(VolKeyName(256), L"");
}

}  // namespace
