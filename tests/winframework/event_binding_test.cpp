// Binding handlers to event slots and raising events: reference counts, the owner's teardown, a
// handler that rebinds its own slot, other threads' handlers during the teardown, and an exception
// from a handler that runs inside window creation.
#include "runtime/VolException.h"
#include "support/WindowTestSupport.h"
#include "winframework/EventSlot.h"
#include "winframework/WinControl.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"
#include "winframework/FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr char kFocus[] = "focus";
constexpr char kOther[] = "other";

using EventBindingTest = WindowTest;

TEST_F(EventBindingTest, BindingCountsOneReferencePerSlotAndNullReleasesIt) {
  HandlerOwner owner;
  CVolEventObjectPointer* events = owner.events;
  CVolWinControl control;
  EXPECT_EQ(events->RefCount(), 1);
  control.BindEvent(ControlEvents::kFocusGained, events, &LogPlain<kFocus>);
  EXPECT_EQ(events->RefCount(), 2);
  control.BindEvent(ControlEvents::kFocusGained, events, &LogPlain<kOther>);
  EXPECT_EQ(events->RefCount(), 2) << "the same pointer again changes no count";
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 0);
  EXPECT_EQ(owner.log, (std::vector<std::string>{"other"})) << "the handler was replaced";

  control.BindEvent(ControlEvents::kFocusLost, events, &LogPlain<kFocus>);
  EXPECT_EQ(events->RefCount(), 3);
  control.BindEvent(ControlEvents::kFocusGained, nullptr, nullptr);
  EXPECT_EQ(events->RefCount(), 2);
  owner.log.clear();
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 0);
  EXPECT_TRUE(owner.log.empty());
  EXPECT_EQ(control.ControlEventSlot(ControlEvents::kFocusGained.slot).userData, 0);
}

TEST_F(EventBindingTest, AfterTheOwnersTeardownEventsCallNothingAndTheLastControlFreesThePointer) {
  auto* owner = new HandlerOwner();
  owner->answer = 5;
  CVolEventObjectPointer* events = owner->events;
  events->AddRef();  // the test's own look at the pointer
  auto* first = new CVolWinControl();
  auto* second = new CVolWinControl();
  first->BindEvent(ControlEvents::kFocusGained, events, &LogPlain<kFocus>);
  second->BindEvent(ControlEvents::kFocusGained, events, &LogPlain<kFocus>);
  EXPECT_EQ(first->RaiseEvent(ControlEvents::kFocusGained), 5);

  CVolObject::Delete(owner);  // tears the pointer down first
  EXPECT_EQ(events->Owner(), nullptr);
  EXPECT_EQ(events->RefCount(), 3);  // two slots and the test
  EXPECT_EQ(first->RaiseEvent(ControlEvents::kFocusGained), 0);
  EXPECT_EQ(second->RaiseEvent(ControlEvents::kFocusGained), 0);

  CVolObject::Delete(first);
  EXPECT_EQ(events->RefCount(), 2);
  CVolObject::Delete(second);
  EXPECT_EQ(events->RefCount(), 1);
  EXPECT_TRUE(events->Release()) << "nothing else held it";
}

// The handler moves its own slot to another owner and tears its owner down while it runs.
struct Rebinding {
  static CVolWinControl* control;
  static HandlerOwner* other;
  static int32_t First(CVolObject* owner, CVolObject*, int32_t) {
    control->BindEvent(ControlEvents::kFocusGained, other->events, &LogPlain<kOther>);
    auto* self = static_cast<HandlerOwner*>(owner);
    self->log.push_back("first");
    self->events->TearDown();  // the owner's reference goes; the running call still holds one
    self->events = nullptr;
    return 11;
  }
};
CVolWinControl* Rebinding::control = nullptr;
HandlerOwner* Rebinding::other = nullptr;

TEST_F(EventBindingTest, AHandlerThatRebindsItsSlotFinishesOnItsCopiedCall) {
  HandlerOwner owner;
  HandlerOwner other;
  CVolWinControl control;
  Rebinding::control = &control;
  Rebinding::other = &other;
  control.BindEvent(ControlEvents::kFocusGained, owner.events, &Rebinding::First);
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 11);
  EXPECT_EQ(owner.log, (std::vector<std::string>{"first"}));
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 0);
  EXPECT_EQ(other.log, (std::vector<std::string>{"other"}));
}

// A handler on another thread that holds the call until it is let go.
struct SlowHandler {
  static std::atomic<int> stage;
  static int32_t Run(CVolObject*, CVolObject*, int32_t) {
    stage = 1;
    while (stage == 1) Sleep(1);
    Sleep(50);
    stage = 3;
    return 1;
  }
};
std::atomic<int> SlowHandler::stage{0};

TEST_F(EventBindingTest, TheTeardownWaitsForAHandlerRunningOnAnotherThread) {
  auto* owner = new HandlerOwner();
  CVolWinControl control;
  control.BindEvent(ControlEvents::kFocusGained, owner->events, &SlowHandler::Run);
  SlowHandler::stage = 0;
  std::thread raiser([&control] { control.RaiseEvent(ControlEvents::kFocusGained); });
  while (SlowHandler::stage == 0) Sleep(1);
  SlowHandler::stage = 2;
  CVolObject::Delete(owner);  // waits on the call lock
  EXPECT_EQ(SlowHandler::stage, 3) << "the teardown returned while the handler still ran";
  raiser.join();
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 0);
}

// Handlers on two threads, each held until its own thread's gate opens.
struct GatedHandler {
  static std::atomic<int> running;  // handlers running now
  static thread_local HANDLE gate;
  static thread_local HANDLE entered;
  static int32_t Run(CVolObject*, CVolObject*, int32_t) {
    ++running;
    SetEvent(entered);
    WaitForSingleObject(gate, 5000);
    --running;
    return 1;
  }
};
std::atomic<int> GatedHandler::running{0};
thread_local HANDLE GatedHandler::gate = nullptr;
thread_local HANDLE GatedHandler::entered = nullptr;

TEST_F(EventBindingTest, ATeardownOnARaisingThreadWaitsForTheOtherRaisingThread) {
  auto* owner = new HandlerOwner();
  CVolWinControl control;
  control.BindEvent(ControlEvents::kFocusGained, owner->events, &GatedHandler::Run);
  GatedHandler::running = 0;
  const HANDLE gateA = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE gateB = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE enteredA = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE enteredB = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE raisedB = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> runningWhenTornDown{-1};

  // A raises first and, once its handler is done, tears the owner down.
  std::thread a([&] {
    GatedHandler::gate = gateA;
    GatedHandler::entered = enteredA;
    control.RaiseEvent(ControlEvents::kFocusGained);
    CVolObject::Delete(owner);
    runningWhenTornDown = GatedHandler::running.load();
  });
  ASSERT_EQ(WaitForSingleObject(enteredA, 5000), WAIT_OBJECT_0);
  // B raises while A's handler runs.
  std::thread b([&] {
    GatedHandler::gate = gateB;
    GatedHandler::entered = enteredB;
    control.RaiseEvent(ControlEvents::kFocusGained);
    SetEvent(raisedB);
  });
  const HANDLE either[] = {enteredB, raisedB};
  EXPECT_NE(WaitForMultipleObjects(2, either, FALSE, 5000), WAIT_TIMEOUT);

  SetEvent(gateA);
  // A's teardown may not end while B's handler still runs; B is let go after a while in any case.
  for (int i = 0; i < 50 && runningWhenTornDown < 0; ++i) Sleep(10);
  SetEvent(gateB);
  a.join();
  b.join();
  EXPECT_EQ(runningWhenTornDown, 0) << "the owner was torn down while another thread's handler still ran";
  EXPECT_EQ(control.RaiseEvent(ControlEvents::kFocusGained), 0);
  for (HANDLE handle : {gateA, gateB, enteredA, enteredB, raisedB}) CloseHandle(handle);
}

// A form whose created handler throws the runtime exception.
struct ThrowingCreation {
  static int32_t Created(CVolObject* owner, CVolObject*, int32_t) {
    HandlerOwner::Of(owner).log.push_back("created");
    throw CVolException(L"x");
  }
};
int32_t LogLastMessage(CVolObject* owner, CVolObject*, int32_t, HWND, UINT message, WPARAM, LPARAM, MSG*) {
  if (message == WM_NCDESTROY) HandlerOwner::Of(owner).log.push_back("last message");
  return 0;
}

TEST_F(EventBindingTest, AnExceptionFromAHandlerInsideCreationReachesTheCallerOfCreate) {
  HandlerOwner owner;
  DesignedForm form;
  form.BindEvent(ContainerEvents::kCreated, owner.events, &ThrowingCreation::Created);
  form.BindEvent(ControlEvents::kAnyMessage, owner.events, &LogLastMessage);
  form.AttachListener();
  CVolWinCreateInfo info;
  try {
    form.Create(info);
    FAIL() << "no exception";
  } catch (const CVolException& failure) {
    EXPECT_EQ(failure.GetCode(), -1);
    EXPECT_STREQ(failure.GetDescription().GetText(), L"x");
    // The window creation failed and returned inside user32 before the exception went on.
    EXPECT_EQ(owner.log, (std::vector<std::string>{"created", "last message"}));
    EXPECT_FALSE(form.HasWindow());
  }
}

}  // namespace
