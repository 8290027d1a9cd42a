// Forms on real windows: size from the designed client area, position, border and caption rules,
// the close and end-of-session questions, activation, the notification-area callback, the window
// shape, containers inside forms, modal forms and the message box's focus restore.
#include "platform/PlatformApp.h"
#include "support/WindowTestSupport.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/KeyboardNavigation.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/WinContainer.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WindowHelpers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr char kQueryClose[] = "query close";
constexpr char kCloseRequest[] = "close request";
constexpr char kFirst[] = "first activation";
constexpr char kActivated[] = "activated";
constexpr char kDeactivated[] = "deactivated";
constexpr char kTray[] = "tray";
constexpr char kCreated[] = "created";
constexpr char kShown[] = "shown";
constexpr char kHidden[] = "hidden";

class FormTest : public WindowTest {
 protected:
  static RECT WindowRect(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
  }
  static DWORD Style(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
  static DWORD ExStyle(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)); }
};

TEST_F(FormTest, ADesignedClientAreaGivesThatClientAreaCentredOnTheScreen) {
  DesignedForm form(256, 75);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  const HWND window = form.Handle();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 256);
  EXPECT_EQ(client.bottom, 75);

  RECT expected{0, 0, 256, 75};
  AdjustWindowRectEx(&expected, WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_MINIMIZEBOX | WS_CLIPSIBLINGS |
                                    WS_CLIPCHILDREN,
                     FALSE, WS_EX_CONTROLPARENT);
  const RECT bounds = WindowRect(window);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  EXPECT_EQ(width, expected.right - expected.left);
  EXPECT_EQ(height, expected.bottom - expected.top);
  EXPECT_EQ(form.outerWidth, width);
  EXPECT_EQ(form.outerHeight, height);
  EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), FrameworkWindowMark);
  EXPECT_EQ(form.Create(info), 0) << "one window per form";
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, AFormWithoutADesignedSizeIsCreatedEmpty) {
  CVolWinForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_EQ(form.outerWidth, 0);
  EXPECT_EQ(form.outerHeight, 0);
  form.FormAdapter()->DestroyWindow();
}

struct BorderCase {
  int64_t borderStyle;
  DWORD style;    // under 0x00CB0000 | WS_THICKFRAME
  DWORD exStyle;  // under WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE
};

TEST_F(FormTest, EachBorderStyleGivesItsFrameAndCaptionBits) {
  constexpr DWORD kCaptioned = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // controlBox and minButton default
  const BorderCase cases[] = {
      {0, 0, 0},
      {1, kCaptioned | WS_THICKFRAME, 0},
      {2, kCaptioned, 0},
      {3, kCaptioned | WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {4, kCaptioned, WS_EX_TOOLWINDOW},
      {5, kCaptioned | WS_THICKFRAME, WS_EX_CLIENTEDGE},
      {6, kCaptioned, WS_EX_CLIENTEDGE},
  };
  for (const BorderCase& c : cases) {
    DesignedForm form;
    form.FormAdapter()->borderStyle = c.borderStyle;
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
    EXPECT_EQ(Style(form.Handle()) & (0x00CB0000 | WS_THICKFRAME), c.style) << "borderStyle " << c.borderStyle;
    EXPECT_EQ(ExStyle(form.Handle()) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), c.exStyle)
        << "borderStyle " << c.borderStyle;
    form.FormAdapter()->DestroyWindow();
  }
}

TEST_F(FormTest, BoxesFollowTheirPropertiesAfterCreationToo) {
  DesignedForm form;
  form.SetMaxButton(true);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_EQ(Style(form.Handle()) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), static_cast<DWORD>(WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  form.SetMaxButton(false);
  form.SetMinButton(false);
  EXPECT_EQ(Style(form.Handle()) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0u);
  form.SetControlBox(false);
  EXPECT_EQ(Style(form.Handle()) & WS_SYSMENU, 0u);
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, AnEmptyTitleWithASystemMenuShowsTheApplicationName) {
  DesignedForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_STREQ(form.GetControlText().GetText(), L"岚枫禾无线控制");
  form.FormAdapter()->DestroyWindow();

  DesignedForm bare;
  bare.FormAdapter()->controlBox = false;
  CVolWinCreateInfo bareInfo;
  ASSERT_EQ(bare.Create(bareInfo), 1);
  EXPECT_STREQ(bare.GetControlText().GetText(), L"");
  EXPECT_EQ(Style(bare.Handle()) & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_DLGFRAME))
      << "no caption without a title or a system menu";
  bare.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, TextIsStoredWithoutAWindowAndUsedForIt) {
  DesignedForm form;
  form.SetControlText(L"标题");
  EXPECT_STREQ(form.GetControlText().GetText(), L"标题");
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  wchar_t title[16] = {};
  GetWindowTextW(form.Handle(), title, 16);
  EXPECT_STREQ(title, L"标题");
  form.SetControlText(L"新");
  EXPECT_STREQ(form.GetControlText().GetText(), L"新");
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, AnOwnedFormIsAPopUpAndAChildFormStaysAChild) {
  DesignedForm owner;
  CVolWinCreateInfo ownerInfo;
  ASSERT_EQ(owner.Create(ownerInfo), 1);

  DesignedForm owned;
  CVolWinCreateInfo info;
  info.parentWindow = owner.Adapter();
  ASSERT_EQ(owned.Create(info), 1);
  EXPECT_EQ(Style(owned.Handle()) & (WS_POPUP | WS_CHILD), static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(GetWindow(owned.Handle(), GW_OWNER), owner.Handle());

  DesignedForm child(50, 20);
  child.Wrapper()->style |= WS_CHILD;
  CVolWinCreateInfo childInfo;
  childInfo.parentWindow = owner.Adapter();
  ASSERT_EQ(child.Create(childInfo), 1);
  EXPECT_EQ(Style(child.Handle()) & (WS_POPUP | WS_CHILD), static_cast<DWORD>(WS_CHILD));
  EXPECT_EQ(GetParent(child.Handle()), owner.Handle());
  RECT placed = WindowRect(child.Handle());
  MapWindowPoints(nullptr, owner.Handle(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 0) << "a child's default position is 0";

  owner.FormAdapter()->DestroyWindow();
  EXPECT_FALSE(owned.HasWindow()) << "an owned window goes with its owner";
}

// Answers of the two close events, set per case.
struct CloseAnswers {
  static int32_t request;
  static int32_t query;
  static int32_t Request(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back(kCloseRequest);
    return request;
  }
  static int32_t Query(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back(kQueryClose);
    return query;
  }
};
int32_t CloseAnswers::request = 0;
int32_t CloseAnswers::query = 0;

TEST_F(FormTest, TheCloseProtocolAsksTheRequestThenTheQueryAndOnlyThenCloses) {
  const struct {
    int32_t request;
    int32_t query;
    std::vector<std::string> asked;
    bool closes;
  } cases[] = {
      {1, 0, {kCloseRequest}, false},
      {0, 1, {kCloseRequest, kQueryClose}, false},
      {0, 0, {kCloseRequest, kQueryClose}, true},
  };
  for (const auto& c : cases) {
    HandlerOwner owner;
    DesignedForm form;
    form.BindEvent(FormEvents::kCloseRequest, owner.events, &CloseAnswers::Request);
    form.BindEvent(FormEvents::kQueryClose, owner.events, &CloseAnswers::Query);
    CloseAnswers::request = c.request;
    CloseAnswers::query = c.query;
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(owner.log, c.asked);
    EXPECT_EQ(form.HasWindow(), !c.closes);
    if (form.HasWindow()) form.FormAdapter()->DestroyWindow();
  }
}

TEST_F(FormTest, TheEndOfTheSessionAsksOnlyTheQuery) {
  HandlerOwner owner;
  DesignedForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_EQ(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << "nothing bound: allowed";
  form.BindEvent(FormEvents::kCloseRequest, owner.events, &CloseAnswers::Request);
  form.BindEvent(FormEvents::kQueryClose, owner.events, &CloseAnswers::Query);
  CloseAnswers::query = 1;
  EXPECT_EQ(SendMessageW(form.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(owner.log, (std::vector<std::string>{kQueryClose}));
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, TrayCallbacksBecomeTrayNotifyCodes) {
  HandlerOwner owner;
  DesignedForm form;
  form.BindEvent(FormEvents::kTrayNotify, owner.events, &LogOne<kTray>);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  const struct {
    LPARAM mouseMessage;
    const char* raised;
  } cases[] = {
      {WM_MOUSEMOVE, ""},       {WM_LBUTTONDOWN, ""}, {WM_LBUTTONUP, "tray 1"}, {WM_LBUTTONDBLCLK, "tray 2"},
      {WM_RBUTTONDOWN, ""},     {WM_RBUTTONUP, "tray 3"}, {WM_CONTEXTMENU, "tray 3"}, {WM_MBUTTONUP, ""},
      {NIN_BALLOONSHOW, ""},   {static_cast<LPARAM>(0x100000202), ""},
  };
  for (const auto& c : cases) {
    owner.log.clear();
    EXPECT_EQ(SendMessageW(form.Handle(), WM_VOL_TRAYNOTIFY, kTrayIconId, c.mouseMessage), 0);
    const std::vector<std::string> expected =
        c.raised[0] != 0 ? std::vector<std::string>{c.raised} : std::vector<std::string>{};
    EXPECT_EQ(owner.log, expected) << "lParam " << c.mouseMessage;
  }
  form.FormAdapter()->DestroyWindow();
}

// Regions cover the same pixels (the system may store a region in fewer, merged rectangles).
bool SameArea(HRGN a, HRGN b) {
  GdiObject<HRGN> difference(CreateRectRgn(0, 0, 0, 0));
  return CombineRgn(difference.Get(), a, b, RGN_XOR) == NULLREGION;
}

TEST_F(FormTest, ShapesAreSetAsWindowRegions) {
  EXPECT_EQ(RoundedCornerDiameter(200, 100), 20);
  EXPECT_EQ(RoundedCornerDiameter(100, 300), 20);
  CVolWinForm form;
  CVolWinCreateInfo info;
  info.left = 10;
  info.top = 10;
  info.width = 200;
  info.height = 100;
  ASSERT_EQ(form.Create(info), 1);
  const HWND window = form.Handle();
  GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR) << "the rectangle has no region";

  form.SetWindowShape(2);
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  GdiObject<HRGN> rounded(CreateRoundRectRgn(0, 0, 200, 100, 20, 20));
  EXPECT_TRUE(SameArea(region.Get(), rounded.Get()));

  form.SetWindowShape(1);
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  GdiObject<HRGN> ellipse(CreateEllipticRgn(0, 0, 200, 100));
  EXPECT_TRUE(SameArea(region.Get(), ellipse.Get()));

  SetWindowPos(window, nullptr, 0, 0, 100, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  form.SetWindowShape(2);
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  GdiObject<HRGN> resized(CreateRoundRectRgn(0, 0, 100, 300, 20, 20));
  EXPECT_TRUE(SameArea(region.Get(), resized.Get()));

  form.SetWindowShape(0);
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR);
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, ActivationRaisesTheFirstActivationOnceAndThenActivatedAndDeactivated) {
  HandlerOwner owner;
  DesignedForm form;
  form.BindEvent(FormEvents::kFirstActivate, owner.events, &LogPlain<kFirst>);
  form.BindEvent(FormEvents::kActivated, owner.events, &LogPlain<kActivated>);
  form.BindEvent(FormEvents::kDeactivated, owner.events, &LogPlain<kDeactivated>);
  form.SetVisible(false);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_TRUE(owner.log.empty()) << "a hidden form is not activated";
  DesignedForm other;
  form.SetVisible(true);
  SetActiveWindow(form.Handle());
  CVolWinCreateInfo otherInfo;
  ASSERT_EQ(other.Create(otherInfo), 1);  // shown, takes the activation
  SetActiveWindow(other.Handle());
  SetActiveWindow(form.Handle());
  EXPECT_EQ(owner.log, (std::vector<std::string>{kFirst, kActivated, kDeactivated, kActivated}));
  other.FormAdapter()->DestroyWindow();
  form.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, VisibilityWithoutAWindowIsTheStoredStyle) {
  HandlerOwner owner;
  DesignedForm form;
  form.SetVisible(false);
  EXPECT_FALSE(form.IsVisible());
  EXPECT_EQ(form.Wrapper()->style & WS_VISIBLE, 0u);
  form.BindEvent(ContainerEvents::kShown, owner.events, &LogPlain<kShown>);
  form.BindEvent(ContainerEvents::kHidden, owner.events, &LogPlain<kHidden>);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  form.SetVisible(true);
  form.SetVisible(false);
  EXPECT_EQ(owner.log, (std::vector<std::string>{kShown, kHidden}));
  form.FormAdapter()->DestroyWindow();
}

int32_t LogControlCreated(CVolObject* owner, CVolObject*, int32_t, CVolWinControl* parent, int32_t id) {
  HandlerOwner::Of(owner).log.push_back("control created in " + std::string(parent != nullptr ? parent->GetClassInfo().name : "nothing") +
                                        " as " + std::to_string(id));
  return 0;
}

// A container inside a form: its own window class, the framework mark, its events.
TEST_F(FormTest, AContainerIsAVolContainerChildOfItsForm) {
  HandlerOwner owner;
  DesignedForm form;
  CVolWinCreateInfo formInfo;
  ASSERT_EQ(form.Create(formInfo), 1);
  CVolWindowBase container;
  container.Wrapper()->style |= WS_TABSTOP;
  container.BindEvent(ContainerEvents::kCreated, owner.events, &LogPlain<kCreated>);
  container.BindEvent(ControlEvents::kCreated, owner.events, &LogControlCreated);
  CVolWinCreateInfo info;
  info.parentWindow = form.Adapter();
  info.parentControl = &form;
  info.left = 5;
  info.top = 6;
  info.width = 50;
  info.height = 40;
  info.controlId = 9;
  ASSERT_EQ(container.Create(info), 1);
  const HWND window = container.Handle();
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  EXPECT_STREQ(className, L"VolContainer");
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), FrameworkWindowMark);
  EXPECT_EQ(GetDlgCtrlID(window), 9);
  EXPECT_EQ(Style(window) & (WS_CHILD | WS_TABSTOP), static_cast<DWORD>(WS_CHILD)) << "never a tab stop";
  EXPECT_NE(ExStyle(window) & WS_EX_CONTROLPARENT, 0u);
  EXPECT_EQ(owner.log, (std::vector<std::string>{kCreated, "control created in rg_n10458::CVolWinForm as 9"}));
  EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  form.FormAdapter()->DestroyWindow();
  EXPECT_FALSE(container.HasWindow());
}

// The modal form ends itself with a value once its host is ready.
struct ModalRun {
  static HWND ownerDisabledSeen;
  static HWND owner;
  static int32_t Ready(CVolObject* owner, CVolObject* sender, int32_t) {
    HandlerOwner::Of(owner).log.push_back("dialog init");
    auto* form = static_cast<CVolWinForm*>(sender);
    ownerDisabledSeen = IsWindowEnabled(ModalRun::owner) ? nullptr : ModalRun::owner;
    PostMessageW(form->FormAdapter()->FrameWindow(), WM_VOL_HOSTNOTIFY, kHostEnd, 42);
    return 0;
  }
};
HWND ModalRun::ownerDisabledSeen = nullptr;
HWND ModalRun::owner = nullptr;

TEST_F(FormTest, AModalFormAnswersItsResultAndGivesTheFocusBack) {
  HandlerOwner owner;
  DesignedForm main;
  CVolWinCreateInfo mainInfo;
  ASSERT_EQ(main.Create(mainInfo), 1);
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, main.Handle(), nullptr,
                                    nullptr, nullptr);
  SetActiveWindow(main.Handle());
  SetFocus(edit);
  ASSERT_EQ(GetFocus(), edit);

  DesignedForm modal(120, 40);
  modal.BindEvent(FormEvents::kDialogInit, owner.events, &ModalRun::Ready);
  modal.BindEvent(ContainerEvents::kCreated, owner.events, &LogPlain<kCreated>);
  ModalRun::owner = main.Handle();
  CVolWinCreateInfo info;
  info.parentWindow = main.Adapter();
  info.modal = 1;
  EXPECT_EQ(modal.Create(info), 1);
  EXPECT_EQ(info.modalResult, 42);
  EXPECT_EQ(owner.log, (std::vector<std::string>{kCreated, "dialog init"}));
  EXPECT_EQ(ModalRun::ownerDisabledSeen, main.Handle());
  EXPECT_FALSE(modal.HasWindow());
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_EQ(GetFocus(), edit);
  main.FormAdapter()->DestroyWindow();
}

// An application whose loop offers messages to the window chain, as the program's does.
class ChainApp : public PlatformApp {
 public:
  bool PreTranslateMessage(MSG& message) override {
    return PlatformApp::PreTranslateMessage(message) || PreTranslateWindowChain(message);
  }
};

// What a modal form does once its host is ready, set per case.
struct ModalScript {
  static std::function<void(CVolWinForm& form)> onReady;
  static int32_t Ready(CVolObject*, CVolObject* sender, int32_t) {
    onReady(*static_cast<CVolWinForm*>(sender));
    return 0;
  }
};
std::function<void(CVolWinForm& form)> ModalScript::onReady;

// Ends a modal run that a refusal kept going.
constexpr int32_t kKeptOpen = 5;
// Ends a modal run that nothing else ended, so that a failing case cannot hang the test.
constexpr int32_t kNeverEnded = -99;
void EndAfterAWhile(HWND host) {
  SetTimer(host, 1, 3000, [](HWND window, UINT, UINT_PTR, DWORD) {
    PostMessageW(window, WM_VOL_HOSTNOTIFY, kHostEnd, kNeverEnded);
  });
}
struct ModalCloseAnswers {
  static int32_t request;
  static int32_t query;
  static HWND host;
  static int32_t Request(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back(kCloseRequest);
    if (request != 0) PostMessageW(host, WM_VOL_HOSTNOTIFY, kHostEnd, kKeptOpen);
    return request;
  }
  static int32_t Query(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back(kQueryClose);
    if (query != 0) PostMessageW(host, WM_VOL_HOSTNOTIFY, kHostEnd, kKeptOpen);
    return query;
  }
};
int32_t ModalCloseAnswers::request = 0;
int32_t ModalCloseAnswers::query = 0;
HWND ModalCloseAnswers::host = nullptr;

TEST_F(FormTest, AModalFormEndsWithEscItsCloseProtocolAndTheEndOfItsWindow) {
  DesignedForm main;
  CVolWinCreateInfo mainInfo;
  ASSERT_EQ(main.Create(mainInfo), 1);
  ChainApp app;
  app.SetMainWindow(main.Adapter());
  const struct {
    const char* name;
    int32_t request;
    int32_t query;
    void (*act)(CVolWinForm& form);
    std::vector<std::string> asked;
    int32_t result;
  } cases[] = {
      {"Esc", 0, 0, [](CVolWinForm& form) { PostMessageW(form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }, {}, -1},
      {"close refused by the request", 1, 0,
       [](CVolWinForm& form) { PostMessageW(form.FormAdapter()->FrameWindow(), WM_CLOSE, 0, 0); }, {kCloseRequest},
       kKeptOpen},
      {"close refused by the query", 0, 1,
       [](CVolWinForm& form) { PostMessageW(form.FormAdapter()->FrameWindow(), WM_CLOSE, 0, 0); },
       {kCloseRequest, kQueryClose}, kKeptOpen},
      {"close allowed", 0, 0,
       [](CVolWinForm& form) { PostMessageW(form.FormAdapter()->FrameWindow(), WM_CLOSE, 0, 0); },
       {kCloseRequest, kQueryClose}, -1},
      {"the form's window destroyed", 0, 0, [](CVolWinForm& form) { form.FormAdapter()->DestroyWindow(); }, {}, -1},
  };
  for (const auto& c : cases) {
    HandlerOwner owner;
    DesignedForm modal(120, 40);
    modal.BindEvent(FormEvents::kDialogInit, owner.events, &ModalScript::Ready);
    modal.BindEvent(FormEvents::kCloseRequest, owner.events, &ModalCloseAnswers::Request);
    modal.BindEvent(FormEvents::kQueryClose, owner.events, &ModalCloseAnswers::Query);
    ModalCloseAnswers::request = c.request;
    ModalCloseAnswers::query = c.query;
    ModalScript::onReady = [&c](CVolWinForm& form) {
      ModalCloseAnswers::host = form.FormAdapter()->FrameWindow();
      EndAfterAWhile(ModalCloseAnswers::host);
      c.act(form);
    };
    CVolWinCreateInfo info;
    info.parentWindow = main.Adapter();
    info.modal = 1;
    EXPECT_EQ(modal.Create(info), 1) << c.name;
    EXPECT_EQ(info.modalResult, c.result) << c.name;
    EXPECT_EQ(owner.log, c.asked) << c.name;
    EXPECT_FALSE(modal.HasWindow()) << c.name;
    EXPECT_TRUE(IsWindowEnabled(main.Handle())) << c.name;
  }
  app.SetMainWindow(nullptr);
  main.FormAdapter()->DestroyWindow();
}

// Inside its host the form is a plain child that fills a client area of its designed size.
TEST_F(FormTest, AHostedFormHasNoFrameOfItsOwnAndItsDesignedClientSize) {
  DesignedForm main;
  CVolWinCreateInfo mainInfo;
  ASSERT_EQ(main.Create(mainInfo), 1);
  for (int32_t fixed : {0, 1}) {
    HandlerOwner owner;
    DesignedForm modal(256, 75);
    modal.BindEvent(FormEvents::kDialogInit, owner.events, &ModalScript::Ready);
    DWORD formStyle = 0;
    RECT formClient{};
    RECT hostClient{};
    ModalScript::onReady = [&](CVolWinForm& form) {
      formStyle = static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
      GetClientRect(form.Handle(), &formClient);
      GetClientRect(form.FormAdapter()->FrameWindow(), &hostClient);
      PostMessageW(form.FormAdapter()->FrameWindow(), WM_VOL_HOSTNOTIFY, kHostEnd, 1);
    };
    CVolWinCreateInfo info;
    info.parentWindow = main.Adapter();
    info.modal = 1;
    info.fixedDialogFrame = fixed;
    ASSERT_EQ(modal.Create(info), 1);
    ASSERT_EQ(info.modalResult, 1);
    EXPECT_EQ(formStyle & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), 0u) << "a second title bar, fixed " << fixed;
    EXPECT_EQ(hostClient.right, 256) << "fixed " << fixed;
    EXPECT_EQ(hostClient.bottom, 75) << "fixed " << fixed;
    EXPECT_EQ(formClient.right, 256) << "fixed " << fixed;
    EXPECT_EQ(formClient.bottom, 75) << "fixed " << fixed;
  }
  main.FormAdapter()->DestroyWindow();
}

// A menu with one item, owned by the menu object that a creation record holds.
HMENU AttachNewMenu(CVolWinCreateInfo& info) {
  const HMENU handle = CreateMenu();
  AppendMenuW(handle, MF_STRING, 1, L"项");
  CVolMenu* menu = new CVolMenu(handle, nullptr);
  info.menu.SetRef(menu);
  menu->Release();
  return handle;
}

TEST_F(FormTest, AFormsMenuIsDestroyedOnlyByTheMenuObjectNotWithTheWindow) {
  HMENU modelessMenu = nullptr;
  {
    DesignedForm form;
    CVolWinCreateInfo info;
    modelessMenu = AttachNewMenu(info);
    ASSERT_EQ(form.Create(info), 1);
    EXPECT_EQ(GetMenu(form.Handle()), modelessMenu);
    form.FormAdapter()->DestroyWindow();
    EXPECT_TRUE(IsMenu(modelessMenu)) << "the window took the menu object's menu with it";
  }
  EXPECT_FALSE(IsMenu(modelessMenu)) << "the menu object destroys its menu";

  DesignedForm main;
  CVolWinCreateInfo mainInfo;
  ASSERT_EQ(main.Create(mainInfo), 1);
  HMENU hostMenu = nullptr;
  {
    HandlerOwner owner;
    DesignedForm modal(120, 40);
    modal.BindEvent(FormEvents::kDialogInit, owner.events, &ModalScript::Ready);
    HMENU shown = nullptr;
    ModalScript::onReady = [&shown](CVolWinForm& form) {
      shown = GetMenu(form.FormAdapter()->FrameWindow());
      PostMessageW(form.FormAdapter()->FrameWindow(), WM_VOL_HOSTNOTIFY, kHostEnd, 1);
    };
    CVolWinCreateInfo info;
    info.parentWindow = main.Adapter();
    info.modal = 1;
    hostMenu = AttachNewMenu(info);
    ASSERT_EQ(modal.Create(info), 1);
    EXPECT_EQ(shown, hostMenu) << "the host shows the form's menu";
    EXPECT_TRUE(IsMenu(hostMenu)) << "the host took the menu object's menu with it";
  }
  EXPECT_FALSE(IsMenu(hostMenu));
  main.FormAdapter()->DestroyWindow();
}

TEST_F(FormTest, AFormClassNameOfASystemClassFailsWithoutLeavingAWindow) {
  constexpr const wchar_t* kTitle = L"系统类的窗体";
  DesignedForm form;
  form.FormAdapter()->className = CWString(L"Button");
  form.SetControlText(kTitle);
  CVolWinCreateInfo info;
  EXPECT_EQ(form.Create(info), 0);
  EXPECT_FALSE(form.HasWindow());
  EXPECT_EQ(FindWindowW(L"Button", kTitle), nullptr);
}

// Closes the first message box that appears with the given caption, from another thread.
class MessageBoxCloser {
 public:
  explicit MessageBoxCloser(const wchar_t* caption) : thread_([this, caption] {
    for (int i = 0; i < 500 && !stop_; ++i) {
      const HWND box = FindWindowW(L"#32770", caption);
      if (box != nullptr && IsWindowVisible(box)) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        closed_ = true;
        return;
      }
      Sleep(10);
    }
  }) {}
  ~MessageBoxCloser() {
    stop_ = true;
    thread_.join();
  }
  bool Closed() const { return closed_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> closed_{false};
  std::thread thread_;
};

TEST_F(FormTest, AMessageBoxGivesTheFocusBackToTheWindowThatHadIt) {
  DesignedForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, form.Handle(), nullptr,
                                    nullptr, nullptr);
  SetActiveWindow(form.Handle());
  SetFocus(edit);
  int result = 0;
  {
    MessageBoxCloser closer(L"测试标题");
    result = ShowMessageBox(&form, L"测试", MB_OK, L"测试标题");
    EXPECT_TRUE(closer.Closed());
  }
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(GetFocus(), edit);
  form.FormAdapter()->DestroyWindow();
}

}  // namespace
