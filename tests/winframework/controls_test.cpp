// Buttons, check boxes and combo boxes on a real form: their creation steps and styles, the click
// and combo events (with real keys and clicks where the system's own behaviour matters), the
// default push button, colours, and the key list.
#include "support/RealInput.h"
#include "support/WindowTestSupport.h"
#include "winframework/Buttons.h"
#include "winframework/ComboBox.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/KeyboardNavigation.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kClicked[] = "clicked";
constexpr char kEditChanged[] = "edit changed";
constexpr char kDropDown[] = "drop down";
constexpr char kCloseUp[] = "close up";
constexpr char kFocus[] = "focus gained";
constexpr char kFocusLost[] = "focus lost";

// A form of the program's size with its three kinds of control at the program's places.
class ControlsTest : public WindowTest {
 protected:
  void SetUp() override {
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
  }
  void TearDown() override {
    if (form.HasWindow()) form.FormAdapter()->DestroyWindow();
    WindowTest::TearDown();
  }

  // A creation record for a child of the form.
  CVolWinCreateInfo Child(int left, int top, int width, int height, int id) {
    return ChildCreateInfo(form, left, top, width, height, id);
  }

  HWND EditOf(const CVolComboBox& combo) { return FindWindowExW(combo.Handle(), nullptr, L"Edit", nullptr); }

  // The display's keyboard for the form: a real click into an empty part of it (a window another test
  // left may keep the keyboard otherwise), then the focus on focus.
  void ClaimKeyboard(HWND focus = nullptr) {
    ASSERT_TRUE(RunXdotool(L"mousemove " + ScreenPositionOf(form.Handle(), 250, 70) + L" click 1"));
    ASSERT_TRUE(PumpUntilInputReleased([](const MSG& msg) { return msg.message == WM_LBUTTONUP; }, 5000,
                                       &PreTranslateWindowChain));
    ASSERT_TRUE(BringToFront(form.Handle(), focus));
  }

  HandlerOwner owner;
  DesignedForm form;
};

TEST_F(ControlsTest, NewControlsCarryTheirClassesDefaultStyles) {
  EXPECT_EQ(CVolCheckBox().Wrapper()->style, 0x14012003u);
  EXPECT_EQ(CVolPushButton().Wrapper()->style, 0x14012000u);
  EXPECT_EQ(CVolComboBox().Wrapper()->style, 0x14010002u);
  EXPECT_STREQ(CVolCheckBox().GetClassInfo().name, "rg_n10458::rg_n10716");
  EXPECT_STREQ(CVolPushButton().GetClassInfo().name, "rg_n10458::rg_n10754");
  EXPECT_STREQ(CVolComboBox().GetClassInfo().name, "rg_n10458::rg_n10936");
  EXPECT_TRUE(CVolCheckBox().IsKindOf(CVolButtonBase::ClassInfo()));
  EXPECT_FALSE(CVolPushButton().IsKindOf(CVolCheckBox::ClassInfo()));
}

// The height handed to the window creation of every COMBOBOX, seen through a CBT hook.
struct ComboCreationSpy {
  static std::vector<int> heights;
  static std::vector<DWORD> styles;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      if (!IS_INTRESOURCE(create->lpszClass) && _wcsicmp(create->lpszClass, L"COMBOBOX") == 0) {
        heights.push_back(create->cy);
        styles.push_back(static_cast<DWORD>(create->style));
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};
std::vector<int> ComboCreationSpy::heights;
std::vector<DWORD> ComboCreationSpy::styles;

TEST_F(ControlsTest, ADropDownComboIsCreatedAtLeast160HighAndASimpleOneAsAsked) {
  ComboCreationSpy::heights.clear();
  ComboCreationSpy::styles.clear();
  const HHOOK hook = SetWindowsHookExW(WH_CBT, &ComboCreationSpy::Hook, nullptr, GetCurrentThreadId());
  CVolComboBox dropDown;
  CVolWinCreateInfo dropDownInfo = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(dropDown.Create(dropDownInfo), 1);
  CVolComboBox tall;
  CVolWinCreateInfo tallInfo = Child(0, 0, 50, 200, 104);
  ASSERT_EQ(tall.Create(tallInfo), 1);
  CVolComboBox simple;
  simple.Wrapper()->style = (simple.Wrapper()->style & ~3u) | CBS_SIMPLE;
  CVolWinCreateInfo simpleInfo = Child(0, 40, 50, 30, 105);
  ASSERT_EQ(simple.Create(simpleInfo), 1);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(ComboCreationSpy::heights, (std::vector<int>{160, 200, 30}));

  // Asked for: the scroll bar belongs to the dropped list, where the system moves it.
  EXPECT_EQ(ComboCreationSpy::styles[0], 0x14010002u | WS_CHILD | WS_VSCROLL | CBS_AUTOHSCROLL);
  RECT placed{};
  GetWindowRect(dropDown.Handle(), &placed);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 29) << "plain pixels, whatever the display scale";
  EXPECT_EQ(placed.top, 14);
  EXPECT_EQ(GetDlgCtrlID(dropDown.Handle()), 101);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dropDown.Handle(), WM_GETFONT, 0, 0)), dropDown.Wrapper()->Font());
  EXPECT_EQ(SendMessageW(dropDown.Handle(), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ControlsTest, TheEditChildIsSubclassedUntilItGoes) {
  CVolComboBox combo;
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  const HWND edit = EditOf(combo);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetPropW(edit, L"_VolComboBoxObject"), combo.Adapter());
  const auto ownProcedure = reinterpret_cast<LONG_PTR>(GetPropW(edit, L"_VolComboBoxEditProc"));
  EXPECT_NE(ownProcedure, 0);
  EXPECT_NE(GetWindowLongPtrW(edit, GWLP_WNDPROC), ownProcedure);
  SendMessageW(edit, WM_NCDESTROY, 0, 0);  // the edit's last message
  EXPECT_EQ(GetPropW(edit, L"_VolComboBoxObject"), nullptr);
  EXPECT_EQ(GetPropW(edit, L"_VolComboBoxEditProc"), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), ownProcedure);
}

TEST_F(ControlsTest, TheCreationTextIsSetWithoutAnEditChange) {
  CVolComboBox combo;
  combo.BindEvent(ComboEvents::kEditChanged, owner.events, &LogPlain<kEditChanged>);
  combo.AttachListener();
  combo.SetControlText(L"起始");
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  EXPECT_STREQ(combo.GetControlText().GetText(), L"起始");
  EXPECT_TRUE(owner.log.empty());
}

// While the framework sets the text, the system's own change notification arrives as it would on a
// system that sends one.
int32_t NotifyEditChange(CVolObject*, CVolObject* sender, int32_t, HWND window, UINT message, WPARAM, LPARAM, MSG*) {
  if (message == WM_SETTEXT) {
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(window));
  }
  (void)sender;
  return 0;
}

TEST_F(ControlsTest, TextSetByTheProgramRaisesNoEditChangeButTypingDoes) {
  CVolComboBox combo;
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  combo.BindEvent(ComboEvents::kEditChanged, owner.events, &LogPlain<kEditChanged>);
  combo.BindEvent(ControlEvents::kAnyMessage, owner.events, &NotifyEditChange);
  combo.AttachListener();
  combo.SetControlText(L"F5键");
  EXPECT_STREQ(combo.GetControlText().GetText(), L"F5键");
  EXPECT_TRUE(owner.log.empty()) << "the framework's own text change";
  // The same notification outside the framework's text change is the user's.
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(101, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo.Handle()));
  EXPECT_EQ(owner.log, (std::vector<std::string>{kEditChanged}));

  owner.log.clear();
  ClaimKeyboard(EditOf(combo));
  ASSERT_TRUE(RunXdotool(L"key End type xy"));
  EXPECT_TRUE(PumpUntil([&] { return owner.log.size() >= 2; }, 10000, &PreTranslateWindowChain));
  EXPECT_EQ(owner.log, (std::vector<std::string>{kEditChanged, kEditChanged})) << "one per typed character";
  EXPECT_STREQ(combo.GetControlText().GetText(), L"F5键xy");
}

// Logs key events with their sender; answers nonzero (swallows) for the Delete key.
struct KeyLog {
  static CVolObject* expectedSender;
  static int32_t Down(CVolObject* owner, CVolObject* sender, int32_t, int32_t key, int32_t modifiers) {
    HandlerOwner::Of(owner).log.push_back((sender == expectedSender ? "combo down " : "other down ") +
                                          std::to_string(key) + " " + std::to_string(modifiers));
    return key == VK_DELETE ? 1 : 0;
  }
};
CVolObject* KeyLog::expectedSender = nullptr;

TEST_F(ControlsTest, KeysTypedIntoTheEditFieldAreTheCombosAndCanBeSwallowed) {
  CVolComboBox combo;
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  KeyLog::expectedSender = &combo;
  combo.BindEvent(ControlEvents::kKeyDown, owner.events, &KeyLog::Down);
  combo.AttachListener();
  combo.SetControlText(L"ab");
  ClaimKeyboard(EditOf(combo));
  ASSERT_TRUE(RunXdotool(L"key Home Delete shift+End"));
  EXPECT_TRUE(PumpUntil([&] { return owner.log.size() >= 4; }, 10000, &PreTranslateWindowChain));
  EXPECT_EQ(owner.log, (std::vector<std::string>{"combo down 36 0", "combo down 46 0", "combo down 16 0",
                                                 "combo down 35 32768"}));
  EXPECT_STREQ(combo.GetControlText().GetText(), L"ab") << "the Delete key was swallowed";
}

TEST_F(ControlsTest, AChosenItemIsConfirmedOnceTheEditTextShowsIt) {
  CVolComboBox combo;
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  combo.InsertItem(-1, L"第一");
  combo.InsertItem(-1, L"第二");
  static CVolComboBox* seen = nullptr;
  seen = &combo;
  struct Confirm {
    static int32_t Run(CVolObject* owner, CVolObject*, int32_t) {
      const CWString text = seen->GetControlText();
      HandlerOwner::Of(owner).log.push_back(text.IsEqual(CWString(L"第二")) ? "confirmed 第二" : "confirmed other");
      return 0;
    }
  };
  combo.BindEvent(ComboEvents::kSelectionConfirmed, owner.events, &Confirm::Run);
  combo.BindEvent(ComboEvents::kDropDown, owner.events, &LogPlain<kDropDown>);
  combo.BindEvent(ComboEvents::kCloseUp, owner.events, &LogPlain<kCloseUp>);
  combo.AttachListener();
  ClaimKeyboard(EditOf(combo));

  RECT bounds{};
  GetWindowRect(combo.Handle(), &bounds);
  const int arrowX = bounds.right - 6;
  const int arrowY = (bounds.top + bounds.bottom) / 2;
  ASSERT_TRUE(RunXdotool(L"mousemove " + std::to_wstring(arrowX) + L" " + std::to_wstring(arrowY) + L" click 1"));
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(combo.Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3000,
                        &PreTranslateWindowChain));
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo.Handle(), &parts);
  RECT second{};
  SendMessageW(parts.hwndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  MapWindowPoints(parts.hwndList, nullptr, reinterpret_cast<POINT*>(&second), 2);
  ASSERT_TRUE(RunXdotool(L"mousemove " + std::to_wstring((second.left + second.right) / 2) + L" " +
                         std::to_wstring((second.top + second.bottom) / 2) + L" click 1"));
  EXPECT_TRUE(PumpUntil([&] { return owner.log.size() >= 3; }, 10000, &PreTranslateWindowChain));
  EXPECT_EQ(owner.log, (std::vector<std::string>{kDropDown, kCloseUp, "confirmed 第二"}));
}

TEST_F(ControlsTest, TheCombosFocusEventsComeFromItsFocusNotifications) {
  CVolComboBox combo;
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  combo.BindEvent(ControlEvents::kFocusGained, owner.events, &LogPlain<kFocus>);
  combo.BindEvent(ControlEvents::kFocusLost, owner.events, &LogPlain<kFocusLost>);
  combo.AttachListener();
  // The combo answers its own WM_SETFOCUS with CBN_SETFOCUS to the form: one event, not two.
  SendMessageW(combo.Handle(), WM_SETFOCUS, 0, 0);
  EXPECT_EQ(owner.log, (std::vector<std::string>{kFocus}));
  owner.log.clear();
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(101, CBN_SETFOCUS), reinterpret_cast<LPARAM>(combo.Handle()));
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(101, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(combo.Handle()));
  EXPECT_EQ(owner.log, (std::vector<std::string>{kFocus, kFocusLost}));
}

TEST_F(ControlsTest, ItemsAreInsertedWithItemDataZeroAndOnlyIntoAWindow) {
  CVolComboBox combo;
  EXPECT_EQ(combo.InsertItem(0, L"无窗口"), -1);
  CVolWinCreateInfo info = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  EXPECT_EQ(combo.InsertItem(-1, L"a"), 0);
  EXPECT_EQ(combo.InsertItem(-1, nullptr), 1);
  EXPECT_EQ(combo.InsertItem(0, L"b"), 0);
  EXPECT_EQ(combo.InsertItem(7, L"beyond"), -1) << "the list refuses an index past its end";
  EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), 3);
  wchar_t text[8] = {};
  SendMessageW(combo.Handle(), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMDATA, i, 0), 0);
}

TEST_F(ControlsTest, ADefaultPushButtonBecomesTheFormsDefaultButton) {
  CVolPushButton plain;
  CVolWinCreateInfo plainInfo = Child(157, 6, 88, 32, 101);
  ASSERT_EQ(plain.Create(plainInfo), 1);
  EXPECT_EQ(form.FormAdapter()->defaultButtonId, 0);
  EXPECT_EQ(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0) >> 16, 0) << "no default id";

  CVolPushButton defaultButton;
  defaultButton.Wrapper()->style = (defaultButton.Wrapper()->style & ~0xFu) | BS_DEFPUSHBUTTON;
  CVolWinCreateInfo info = Child(157, 40, 88, 32, 102);
  ASSERT_EQ(defaultButton.Create(info), 1);
  EXPECT_EQ(form.FormAdapter()->defaultButtonId, 102);
  EXPECT_EQ(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0), static_cast<LRESULT>(0x534B0000 | 102));
  ShowWindow(form.Handle(), SW_HIDE);
  EXPECT_EQ(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0) >> 16, 0) << "only a visible form answers";
}

struct CheckState {
  static HWND box;
  static int32_t Clicked(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back("clicked, check " + std::to_string(SendMessageW(box, BM_GETCHECK, 0, 0)));
    return 0;
  }
};
HWND CheckState::box = nullptr;

TEST_F(ControlsTest, AClickOnACheckBoxRaisesTheClickAfterTheStateToggled) {
  CVolCheckBox check;
  check.BindEvent(ButtonEvents::kClicked, owner.events, &CheckState::Clicked);
  check.AttachListener();
  check.SetControlText(L"启用组合键(Ctrl+组合键)");
  CVolWinCreateInfo info = Child(29, 46, 184, 16, 103);
  ASSERT_EQ(check.Create(info), 1);
  CheckState::box = check.Handle();
  ClaimKeyboard();
  ASSERT_TRUE(RunXdotool(L"mousemove " + ScreenPositionOf(check.Handle(), 6, 8) + L" click 1"));
  EXPECT_TRUE(PumpUntil([&] { return !owner.log.empty(); }, 10000, &PreTranslateWindowChain));
  ASSERT_TRUE(RunXdotool(L"click 1"));
  EXPECT_TRUE(PumpUntil([&] { return owner.log.size() >= 2; }, 10000, &PreTranslateWindowChain));
  EXPECT_EQ(owner.log, (std::vector<std::string>{"clicked, check 1", "clicked, check 0"}));
}

TEST_F(ControlsTest, ReflectedColourRequestsAnswerTheControlsColoursAndBrush) {
  CVolPushButton button;
  CVolWinCreateInfo buttonInfo = Child(157, 6, 88, 32, 102);
  ASSERT_EQ(button.Create(buttonInfo), 1);
  CVolComboBox combo;
  CVolWinCreateInfo comboInfo = Child(29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(comboInfo), 1);
  button.ButtonAdapter()->textColor = RGB(1, 2, 3);
  combo.ComboAdapter()->backColor = RGB(9, 8, 7);
  const HDC dc = GetDC(form.Handle());
  const LRESULT buttonBrush =
      SendMessageW(form.Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button.Handle()));
  EXPECT_NE(buttonBrush, 0);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  const LRESULT comboBrush =
      SendMessageW(form.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(combo.Handle()));
  EXPECT_NE(comboBrush, 0);
  EXPECT_EQ(GetBkColor(dc), RGB(9, 8, 7));
  ReleaseDC(form.Handle(), dc);
}

}  // namespace
