// Handlers that let go of the very object whose message they run in: a handler that deletes, resets
// or reassigns its own control or form, one that destroys its form's window and goes on using the
// form, and a default button whose click deletes its form while Enter is being processed. Nothing
// may be written into an object after it was freed.
#include "FreedMemoryWatch.h"
#include "platform/WindowClass.h"
#include "support/WindowTestSupport.h"
#include "winframework/Buttons.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/KeyboardNavigation.h"
#include "winframework/WinControl.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kRunAction = WM_USER + 31;
constexpr const wchar_t* kTracedClass = L"LanfheTracedAdapterWindow";

// Outlives every adapter of a test, so that code after an early deletion does not write into it.
std::vector<std::string>* g_lifeLog = nullptr;

// An adapter that logs its deletion and runs an action as the handler of one message.
class TracedAdapter : public PlatformWindow {
 public:
  std::function<void()> action;
  ~TracedAdapter() override { g_lifeLog->push_back("adapter deleted"); }

 protected:
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != kRunAction) return false;
    const std::function<void()> run = action;  // the action may let go of this adapter
    run();
    g_lifeLog->push_back("handler returned");
    result = 0;
    return true;
  }
};

class TracedControl : public CVolWinControl {
 public:
  TracedControl() : CVolWinControl(new TracedAdapter()) {}
  TracedAdapter& Traced() const { return *static_cast<TracedAdapter*>(Adapter()); }
  bool MakeWindow() {
    return RegisterLayerWindowClass(kTracedClass, 0, nullptr, nullptr, nullptr) &&
           Adapter()->CreateEx(0, kTracedClass, L"", WS_OVERLAPPED, 0, 0, 60, 40, nullptr, nullptr);
  }
};

class HandlerLifetimeTest : public WindowTest {
 protected:
  void SetUp() override { g_lifeLog = &lifeLog; }
  void TearDown() override {
    WindowTest::TearDown();
    g_lifeLog = nullptr;
  }
  std::vector<std::string> lifeLog;
};

TEST_F(HandlerLifetimeTest, AHandlerThatLetsGoOfItsOwnControlKeepsTheAdapterUntilItReturns) {
  const struct {
    const char* name;
    void (*letGo)(TracedControl*& control);
  } cases[] = {
      {"deletes", [](TracedControl*& control) {
         CVolObject::Delete(control);
         control = nullptr;
       }},
      {"resets", [](TracedControl*& control) { control->Reset(); }},
      {"reassigns", [](TracedControl*& control) {
         CVolWinControl other;
         control->AssignFrom(other);
       }},
  };
  for (const auto& c : cases) {
    lifeLog.clear();
    auto* control = new TracedControl();
    ASSERT_TRUE(control->MakeWindow()) << c.name;
    const HWND window = control->Handle();
    control->Traced().action = [&control, &c] { c.letGo(control); };
    {
      FreedMemoryWatch watch;
      SendMessageW(window, kRunAction, 0, 0);
      EXPECT_EQ(watch.BlocksWrittenAfterFree(), 0u) << c.name;
    }
    EXPECT_EQ(lifeLog, (std::vector<std::string>{"handler returned", "adapter deleted"})) << c.name;
    EXPECT_FALSE(IsWindow(window)) << c.name;
    if (control != nullptr) {
      EXPECT_FALSE(control->HasWindow()) << c.name;
      CVolObject::Delete(control);
    }
  }
}

// The form lets go of itself from the handler of one of its own messages.
struct SelfRelease {
  static CVolWinForm* form;
  static int how;  // 0 deletes, 1 resets, 2 reassigns
  static int32_t Run(CVolObject*, CVolObject*, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG*) {
    if (message != kRunAction) return 0;
    if (how == 0) {
      CVolObject::Delete(form);
      form = nullptr;
    } else if (how == 1) {
      form->Reset();
    } else {
      DesignedForm other;
      form->AssignFrom(other);
    }
    return 1;
  }
};
CVolWinForm* SelfRelease::form = nullptr;
int SelfRelease::how = 0;

TEST_F(HandlerLifetimeTest, AFormThatDeletesResetsOrReassignsItselfInItsHandlerLosesOnlyItsWindow) {
  for (int how = 0; how < 3; ++how) {
    HandlerOwner owner;
    auto* form = new DesignedForm();
    form->BindEvent(ControlEvents::kAnyMessage, owner.events, &SelfRelease::Run);
    CVolWinCreateInfo info;
    ASSERT_EQ(form->Create(info), 1);
    const HWND window = form->Handle();
    SelfRelease::form = form;
    SelfRelease::how = how;
    {
      FreedMemoryWatch watch;
      SendMessageW(window, kRunAction, 0, 0);
      EXPECT_EQ(watch.BlocksWrittenAfterFree(), 0u) << "case " << how;
    }
    EXPECT_FALSE(IsWindow(window)) << "case " << how;
    if (SelfRelease::form != nullptr) {
      EXPECT_FALSE(SelfRelease::form->HasWindow()) << "case " << how;
      CVolObject::Delete(SelfRelease::form);
    }
  }
}

// The handler destroys its form's window and goes on with the form at once.
struct DestroyAndGoOn {
  static CVolWinForm* form;
  static std::vector<std::string> seen;
  static int32_t Run(CVolObject*, CVolObject*, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG*) {
    if (message != kRunAction) return 0;
    form->FormAdapter()->DestroyWindow();
    seen.push_back(form->HasWindow() ? "has a window" : "no window");
    seen.push_back(form->Handle() == nullptr ? "no handle" : "a handle");
    form->SetControlText(L"新的标题");
    CVolWinCreateInfo info;
    seen.push_back(form->Create(info) == 1 ? "created" : "not created");
    return 1;
  }
};
CVolWinForm* DestroyAndGoOn::form = nullptr;
std::vector<std::string> DestroyAndGoOn::seen;

TEST_F(HandlerLifetimeTest, AfterItsHandlerDestroyedTheWindowTheFormReportsNoneAndCanBeCreatedAgain) {
  HandlerOwner owner;
  DesignedForm form;
  form.BindEvent(ControlEvents::kAnyMessage, owner.events, &DestroyAndGoOn::Run);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  const HWND first = form.Handle();
  DestroyAndGoOn::form = &form;
  DestroyAndGoOn::seen.clear();
  SendMessageW(first, kRunAction, 0, 0);
  EXPECT_EQ(DestroyAndGoOn::seen, (std::vector<std::string>{"no window", "no handle", "created"}));
  ASSERT_TRUE(form.HasWindow());
  EXPECT_NE(form.Handle(), first);
  EXPECT_STREQ(form.GetControlText().GetText(), L"新的标题") << "the text set meanwhile is the new window's";
  form.FormAdapter()->DestroyWindow();
}

// The default button's click deletes the form while the form's Enter processing runs.
struct DeletingClick {
  static CVolWinForm* form;
  static int32_t Run(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back("clicked");
    CVolObject::Delete(form);
    form = nullptr;
    return 0;
  }
};
CVolWinForm* DeletingClick::form = nullptr;

// A form with the default button 102, "保存", which is not a member of the form: the button stays
// when its click deletes the form.
class EnterFixture {
 public:
  EnterFixture() {
    form = new DesignedForm();
    CVolWinCreateInfo info;
    created = form->Create(info) == 1;
    if (!created) return;
    window = form->Handle();
    button.SetControlText(L"保存");
    CVolWinCreateInfo buttonInfo = ChildCreateInfo(*form, 10, 10, 80, 30, 102);
    created = button.Create(buttonInfo) == 1;
    button.BindEvent(ButtonEvents::kClicked, owner.events, &DeletingClick::Run);
    button.AttachListener();
    SetWindowLongPtrW(button.Handle(), GWL_STYLE,
                      (GetWindowLongPtrW(button.Handle(), GWL_STYLE) & ~0xF) | BS_DEFPUSHBUTTON);
    form->FormAdapter()->defaultButtonId = 102;
    DeletingClick::form = form;
  }
  ~EnterFixture() {
    if (DeletingClick::form != nullptr) CVolObject::Delete(DeletingClick::form);
  }
  EnterFixture(const EnterFixture&) = delete;
  EnterFixture& operator=(const EnterFixture&) = delete;

  HandlerOwner owner;
  CVolPushButton button;
  DesignedForm* form = nullptr;
  HWND window = nullptr;
  bool created = false;
};

TEST_F(HandlerLifetimeTest, ADefaultButtonThatDeletesItsFormOnEnterEndsTheFormCleanly) {
  EnterFixture fixture;
  ASSERT_TRUE(fixture.created);
  MSG enter{fixture.window, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  {
    FreedMemoryWatch watch;
    EXPECT_TRUE(PreTranslateWindowChain(enter));
    EXPECT_EQ(watch.BlocksWrittenAfterFree(), 0u);
  }
  EXPECT_EQ(fixture.owner.log, (std::vector<std::string>{"clicked"}));
  EXPECT_EQ(DeletingClick::form, nullptr);
  EXPECT_FALSE(IsWindow(fixture.window));
  EXPECT_FALSE(fixture.button.HasWindow());
}

// The form's filter run on its own, outside the form's window procedure (as a caller other than the
// window chain may run it): the adapter is gone once the dialog processing returns.
TEST_F(HandlerLifetimeTest, TheFormFilterTouchesNoFormThatItsEnterDeleted) {
  EnterFixture fixture;
  ASSERT_TRUE(fixture.created);
  MSG enter{fixture.window, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  {
    FreedMemoryWatch watch;
    EXPECT_TRUE(RunFormFilter(*fixture.form->FormAdapter(), enter));
    EXPECT_GT(watch.BlocksFreed(), 0u);
    EXPECT_EQ(watch.BlocksWrittenAfterFree(), 0u) << "the filter wrote into the freed form adapter";
  }
  EXPECT_EQ(fixture.owner.log, (std::vector<std::string>{"clicked"}));
  EXPECT_FALSE(IsWindow(fixture.window));
}

}  // namespace
