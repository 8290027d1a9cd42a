// Forms behave like dialogs, with real keys (xdotool) on a form holding a combo box, a push button
// and a check box, and messages pumped through the window chain's pre-translation as the
// application's loop does; and the chain itself, window by window.
#include "support/RealInput.h"
#include "support/WindowTestSupport.h"
#include "winframework/Buttons.h"
#include "winframework/ComboBox.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/KeyboardNavigation.h"
#include "winframework/WinContainer.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kClicked[] = "clicked";
constexpr char kCommand[] = "command";
constexpr char kKeyDown[] = "key down";
constexpr char kPlainClicked[] = "plain clicked";

int32_t KeepOpen(CVolObject* owner, CVolObject*, int32_t) {
  HandlerOwner::Of(owner).log.push_back("close request");
  return 1;
}

// A form whose own look at messages swallows the key A.
class SwallowingForm : public DesignedForm {
 public:
  int32_t OnPreTranslate(HWND, UINT message, WPARAM wParam, LPARAM, MSG&) override {
    return message == WM_KEYDOWN && wParam == 'A' ? 0 : 1;
  }
};

template <typename Form>
class NavigationTest : public WindowTest {
 protected:
  void SetUp() override {
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
    Place(combo, 29, 14, 112, 30, 101);
    saveButton.SetControlText(L"保存");
    Place(saveButton, 157, 6, 88, 32, 102);
    check.SetControlText(L"启用组合键(Ctrl+组合键)");
    Place(check, 29, 46, 184, 16, 103);
    saveButton.BindEvent(ButtonEvents::kClicked, owner.events, &LogPlain<kClicked>);
    saveButton.AttachListener();
    combo.BindEvent(ControlEvents::kKeyDown, owner.events, &LogTwo<kKeyDown>);
    combo.AttachListener();
    check.AttachListener();
    edit = FindWindowExW(combo.Handle(), nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
  }
  void TearDown() override {
    if (form.HasWindow()) form.FormAdapter()->DestroyWindow();
    WindowTest::TearDown();
  }

  void Place(CVolWinControl& control, int left, int top, int width, int height, int id) {
    CVolWinCreateInfo info = ChildCreateInfo(form, left, top, width, height, id);
    ASSERT_EQ(control.Create(info), 1);
  }

  // Real keys to the window with the focus, then the queue handled as the application's loop does,
  // until the keys have been released and nothing more has come for a while. A real click into an
  // empty part of the form first: the display's keyboard then goes to the form whatever window had
  // it before (a window another test left may keep it otherwise).
  void Keys(HWND focus, const std::wstring& keys) {
    ASSERT_TRUE(RunXdotool(L"mousemove " + ScreenPositionOf(form.Handle(), 250, 70) + L" click 1"));
    ASSERT_TRUE(PumpUntilInputReleased([](const MSG& msg) { return msg.message == WM_LBUTTONUP; }, 5000,
                                       &PreTranslateWindowChain))
        << "the click into the form did not arrive";
    ASSERT_TRUE(BringToFront(form.Handle(), focus));
    ASSERT_TRUE(RunXdotool(L"key " + keys));
    const bool released = PumpUntilInputReleased(
        [](const MSG& msg) { return msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP; }, 5000,
        &PreTranslateWindowChain);
    EXPECT_TRUE(released) << "the keys did not arrive: " << std::string(keys.begin(), keys.end());
  }

  HandlerOwner owner;
  Form form;
  CVolComboBox combo;
  CVolPushButton saveButton;
  CVolCheckBox check;
  HWND edit = nullptr;
};

using KeyboardNavigation = NavigationTest<DesignedForm>;

TEST_F(KeyboardNavigation, TabMovesFromTheEditFieldThroughTheTabStops) {
  Keys(edit, L"Tab");
  EXPECT_EQ(GetFocus(), saveButton.Handle());
  EXPECT_TRUE(owner.log.empty()) << "Tab out of the edit field is the form's, not the combo box's";
  Keys(saveButton.Handle(), L"Tab");
  EXPECT_EQ(GetFocus(), check.Handle());
  Keys(saveButton.Handle(), L"shift+Tab");
  EXPECT_EQ(GetFocus(), edit) << "back into the combo box's edit field";
  Keys(edit, L"shift+Tab");
  EXPECT_EQ(GetFocus(), check.Handle()) << "around the end";
}

// A multi-line edit wants Tab for itself, so the dialog processing leaves the focus there (on
// Windows the edit also inserts a tab character): only the form's own step moves the focus on.
TEST_F(KeyboardNavigation, TabLeavesAMultiLineEditThroughTheFormsOwnStep) {
  const HWND multiLine = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE, 2, 2, 24,
                                         40, form.Handle(), reinterpret_cast<HMENU>(104), nullptr, nullptr);
  ASSERT_NE(multiLine, nullptr);
  ASSERT_NE(SendMessageW(multiLine, WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTALLKEYS, 0) << "the edit wants Tab";
  Keys(multiLine, L"Tab");
  EXPECT_EQ(GetWindowTextLengthW(multiLine), 0) << "Tab went into the edit";
  EXPECT_EQ(GetFocus(), edit) << "the next tab stop after the last one is the combo box's edit field";
  Keys(edit, L"shift+Tab");
  EXPECT_EQ(GetFocus(), multiLine);
  Keys(multiLine, L"shift+Tab");
  EXPECT_EQ(GetWindowTextLengthW(multiLine), 0);
  EXPECT_EQ(GetFocus(), check.Handle());
}

TEST_F(KeyboardNavigation, EscAsksTheCloseProtocol) {
  form.BindEvent(FormEvents::kCloseRequest, owner.events, &KeepOpen);
  Keys(edit, L"Escape");
  EXPECT_EQ(owner.log, (std::vector<std::string>{"close request"})) << "posted WM_CLOSE, not the combo box's key";
  EXPECT_TRUE(form.HasWindow());
}

TEST_F(KeyboardNavigation, WithoutEscClosingEscReachesTheFocusedControl) {
  form.FormAdapter()->escCloses = false;
  form.BindEvent(FormEvents::kCloseRequest, owner.events, &KeepOpen);
  Keys(edit, L"Escape");
  EXPECT_EQ(owner.log, (std::vector<std::string>{"key down 27 0"}));
}

TEST_F(KeyboardNavigation, EnterPressesOnlyADefaultButton) {
  Keys(edit, L"Return");
  Keys(check.Handle(), L"Return");
  EXPECT_EQ(owner.log, (std::vector<std::string>{"key down 13 0"})) << "no button pressed";

  owner.log.clear();
  SetWindowLongPtrW(saveButton.Handle(), GWL_STYLE,
                    (GetWindowLongPtrW(saveButton.Handle(), GWL_STYLE) & ~0xF) | BS_DEFPUSHBUTTON);
  form.FormAdapter()->defaultButtonId = 102;
  Keys(edit, L"Return");
  EXPECT_EQ(owner.log, (std::vector<std::string>{kClicked})) << "the default button fires";
}

// The default id names a plain push button: the system sends its command for Enter, and the form
// drops it, since Enter presses only a default push button.
TEST_F(KeyboardNavigation, EnterDropsTheCommandOfAPlainPushButtonNamedAsDefault) {
  CVolPushButton plain;
  plain.SetControlText(L"另");
  Place(plain, 220, 40, 30, 20, 104);
  ASSERT_EQ(GetWindowLongPtrW(plain.Handle(), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
  plain.BindEvent(ButtonEvents::kClicked, owner.events, &LogPlain<kPlainClicked>);
  plain.AttachListener();
  form.FormAdapter()->defaultButtonId = 104;

  Keys(edit, L"Return");
  EXPECT_TRUE(owner.log.empty()) << "Enter pressed a plain push button";

  // "保存" focused: the form is no dialog, so the focus does not make it a default push button, the
  // system again sends the default id's command, and nothing is pressed.
  Keys(saveButton.Handle(), L"Return");
  EXPECT_TRUE(owner.log.empty()) << "Enter pressed a button while \"保存\" had the focus";

  // A focused default push button is pressed itself, not the one the default id names.
  SetWindowLongPtrW(saveButton.Handle(), GWL_STYLE,
                    (GetWindowLongPtrW(saveButton.Handle(), GWL_STYLE) & ~0xF) | BS_DEFPUSHBUTTON);
  Keys(saveButton.Handle(), L"Return");
  EXPECT_EQ(owner.log, (std::vector<std::string>{kClicked}));
}

int32_t LogCommand(CVolObject* owner, CVolObject*, int32_t, int32_t id) {
  HandlerOwner::Of(owner).log.push_back("command " + std::to_string(id));
  return 1;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (OpenClipboard(nullptr) == FALSE) return text;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    const auto* units = static_cast<const wchar_t*>(GlobalLock(data));
    if (units != nullptr) text = units;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
}

TEST_F(KeyboardNavigation, CtrlCInAnEditFieldIsTheEditsEvenWithAnAccelerator) {
  EmptyTheClipboard();  // text from an earlier run must not pass the test
  ASSERT_EQ(ClipboardText(), L"");
  ACCEL copy{FVIRTKEY | FCONTROL, 'C', 500};
  CVolMenu* menu = new CVolMenu(nullptr, CreateAcceleratorTableW(&copy, 1));
  form.FormAdapter()->menu.SetRef(menu);
  menu->Release();
  form.BindEvent(FormEvents::kCommand, owner.events, &LogCommand);

  combo.SetControlText(L"复制这个");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  Keys(edit, L"ctrl+c");
  EXPECT_EQ(ClipboardText(), L"复制这个");
  Keys(check.Handle(), L"ctrl+c");
  EXPECT_EQ(owner.log, (std::vector<std::string>{"key down 17 0", "key down 67 8192", kCommand + std::string(" 500")}))
      << "outside an edit field the accelerator takes it";
}

using SwallowingNavigation = NavigationTest<SwallowingForm>;

TEST_F(SwallowingNavigation, AFormThatConsumesAMessageSeesItFirst) {
  Keys(edit, L"a b");
  EXPECT_STREQ(combo.GetControlText().GetText(), L"b");
  EXPECT_EQ(owner.log, (std::vector<std::string>{"key down 66 0"})) << "the control never saw the A";
}

// Windows along the chain: a form owned by another form, a container in it, a plain edit in that.
int32_t LogPreTranslate(CVolObject* owner, CVolObject* sender, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG*) {
  if (message == WM_VOL_PRETRANSLATE) {
    HandlerOwner::Of(owner).log.push_back(std::string("offered to ") + sender->GetClassInfo().name);
  }
  return 0;
}

struct PlainChildSpy {
  static WNDPROC previous;
  static int offered;
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VOL_PRETRANSLATE) ++offered;
    return CallWindowProcW(previous, window, message, wParam, lParam);
  }
};
WNDPROC PlainChildSpy::previous = nullptr;
int PlainChildSpy::offered = 0;

class ConsumingContainer : public CVolWindowBase {};

using PreTranslateChain = WindowTest;

TEST_F(PreTranslateChain, OffersKeyboardAndMouseMessagesToMarkedWindowsUpToTheTopLevelWindow) {
  HandlerOwner owner;
  DesignedForm ownerForm;
  CVolWinCreateInfo ownerInfo;
  ASSERT_EQ(ownerForm.Create(ownerInfo), 1);
  DesignedForm form;
  CVolWinCreateInfo formInfo;
  formInfo.parentWindow = ownerForm.Adapter();
  ASSERT_EQ(form.Create(formInfo), 1);
  CVolWindowBase container;
  CVolWinCreateInfo containerInfo;
  containerInfo.parentWindow = form.Adapter();
  containerInfo.left = 0;
  containerInfo.top = 0;
  containerInfo.width = 100;
  containerInfo.height = 50;
  ASSERT_EQ(container.Create(containerInfo), 1);
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, container.Handle(), nullptr,
                                    nullptr, nullptr);
  PlainChildSpy::offered = 0;
  PlainChildSpy::previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlainChildSpy::Proc)));
  for (CVolWinControl* window : std::vector<CVolWinControl*>{&ownerForm, &form, &container}) {
    window->BindEvent(ControlEvents::kAnyMessage, owner.events, &LogPreTranslate);
  }

  MSG key{edit, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_TRUE(PreTranslateWindowChain(key)) << "the form's dialog processing took it";
  EXPECT_EQ(owner.log,
            (std::vector<std::string>{"offered to rg_n10458::rg_n10464", "offered to rg_n10458::CVolWinForm"}))
      << "the container, then the form; never the owner above the pop-up";
  EXPECT_EQ(PlainChildSpy::offered, 0) << "a window without the mark is passed over";

  owner.log.clear();
  MSG mouse{container.Handle(), WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
  PreTranslateWindowChain(mouse);
  EXPECT_EQ(owner.log.size(), 2u);

  owner.log.clear();
  MSG other{edit, WM_TIMER, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(PreTranslateWindowChain(other));
  EXPECT_TRUE(owner.log.empty()) << "only keyboard and mouse messages";

  // The form's answer consumes: its own look returned 0.
  SwallowingForm swallowing;
  CVolWinCreateInfo swallowingInfo;
  ASSERT_EQ(swallowing.Create(swallowingInfo), 1);
  MSG swallowed{swallowing.Handle(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_TRUE(PreTranslateWindowChain(swallowed));
  EXPECT_EQ(SendMessageW(swallowing.Handle(), WM_VOL_PRETRANSLATE, reinterpret_cast<WPARAM>(&swallowed), 0), 0)
      << "a request without the mark is refused";

  swallowing.FormAdapter()->DestroyWindow();
  ownerForm.FormAdapter()->DestroyWindow();
}

}  // namespace

namespace {

// The form posts the caption drag to itself instead of letting the press through.
TEST_F(PreTranslateChain, DraggingByTheClientAreaStartsFromTheFormAndStaticPartsOnly) {
  DesignedForm form;
  form.FormAdapter()->dragByClient = true;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  const HWND label = CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 0, 0, 40, 16, form.Handle(),
                                     nullptr, nullptr, nullptr);
  const HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 50, 0, 40, 16,
                                      form.Handle(), nullptr, nullptr, nullptr);
  const struct {
    HWND target;
    bool drags;
  } cases[] = {{form.Handle(), true}, {label, true}, {button, false}};
  for (const auto& c : cases) {
    MSG press{c.target, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {100, 200}};
    const bool consumed = PreTranslateWindowChain(press);
    MSG posted{};
    const bool drag = PeekMessageW(&posted, form.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
    EXPECT_EQ(drag, c.drags);
    if (c.drags) {
      EXPECT_TRUE(consumed);
      EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
      EXPECT_EQ(posted.lParam, MAKELPARAM(100, 200));
    }
  }
  form.FormAdapter()->DestroyWindow();
}

}  // namespace
