// The single-instance guard with real copies of a host program (guard_host.exe), and the process and
// window searches it is built on.
#include "runtime/VolMem.h"
#include "runtime/WString.h"
#include "settings/KernelHandle.h"
#include "settings/ProcessTools.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/HostProcess.h"
#include "support/NamedEvents.h"
#include "support/Notices.h"

namespace {

constexpr wchar_t kInstanceEvent[] = L"重复运行";
constexpr wchar_t kMessage[] = L"对不起, 该进程已打开! ";
constexpr wchar_t kDefaultNamePhrase[] = L"你懒得输入，我就写死，略略";
constexpr char kGuardPassed[] = "guard passed";
constexpr DWORD kHostWaitMs = 20000;

std::wstring ExePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring ExeTitle() {
  const std::wstring path = ExePath();
  return path.substr(path.rfind(L'\\') + 1);
}

std::wstring GuardHostPath() {
  const std::wstring path = ExePath();
  return path.substr(0, path.rfind(L'\\') + 1) + L"guard_host.exe";
}

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The window a host announced with "window 0x...", null if it announced none.
HWND HostWindow(HostProcess& host) {
  const std::string& output = host.Output();
  const size_t at = output.find("window 0x");
  if (at == std::string::npos) return nullptr;
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(output.c_str() + at + 9, nullptr, 16)));
}

// A host that shows window (none, shown, minimised, hidden) and runs the guard with eventName; with a
// go event, only once the test signals it.
std::unique_ptr<HostProcess> StartHost(const std::wstring& window, const std::wstring& eventName,
                                       const std::wstring& go = std::wstring()) {
  return HostProcess::Start(GuardHostPath(), window + L" " + eventName + (go.empty() ? L"" : L" " + go));
}

HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }

// A plain top-level window of the test process itself.
class OwnWindow {
 public:
  explicit OwnWindow(bool shown) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, 50, 50, 200, 120, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    if (shown) ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~OwnWindow() { DestroyWindow(window_); }
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;

  HWND get() const { return window_; }
  static constexpr const wchar_t* kClass = L"ProcessToolsTestWindow";
  static constexpr const wchar_t* kTitle = L"process tools test";

 private:
  HWND window_ = nullptr;
};

TEST(ProcessTools, HasItsOwnClassRecord) {
  const CProcessTools tools;
  EXPECT_STREQ(tools.GetClassInfo().name, "rg_n::rg_n41430");
  EXPECT_EQ(&tools.GetClassInfo(), &CProcessTools::ClassInfo());
  EXPECT_TRUE(tools.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(CVolObject().IsKindOf(CProcessTools::ClassInfo()));
  std::unique_ptr<CVolObject> made(CProcessTools::ClassInfo().factory());
  EXPECT_TRUE(made->IsEqual(tools));
}

TEST(ProcessTools, GetModuleFileTitleIsTheFileNameAlone) {
  EXPECT_STREQ(CProcessTools::GetModuleFileTitle().GetText(), L"process_tools_test.exe");
}

// The current process takes part in the search like any other; letter case does not count.
TEST(ProcessTools, FindProcessByNameIgnoresLetterCase) {
  for (const std::wstring& name : {ExeTitle(), Upper(ExeTitle()), Lower(ExeTitle())}) {
    EXPECT_EQ(CProcessTools::FindProcessByName(CWString(name.c_str())), GetCurrentProcessId())
        << std::string(name.begin(), name.end());
  }
  for (const wchar_t* name : {L"no-such-program.exe", L"process_tools_test", L""}) {
    EXPECT_EQ(CProcessTools::FindProcessByName(CWString(name)), 0u);
  }
}

TEST(ProcessTools, FindProcessByNameFindsAnotherProcessWrittenInOtherCase) {
  std::unique_ptr<HostProcess> host = StartHost(L"none", L"process-tools-search");
  ASSERT_TRUE(host);
  ASSERT_TRUE(host->WaitForOutput(kGuardPassed, kHostWaitMs)) << host->Output();

  EXPECT_EQ(CProcessTools::FindProcessByName(CWString(L"GUARD_HOST.EXE")), host->Id());
  EXPECT_EQ(CProcessTools::FindOtherProcessByName(CWString(L"Guard_Host.exe")), host->Id());
}

TEST(ProcessTools, FindOtherProcessByNamePassesOverTheCurrentProcess) {
  EXPECT_EQ(CProcessTools::FindOtherProcessByName(CWString(ExeTitle().c_str())), 0u);
}

TEST(ProcessTools, FindProcessWindowWithoutTimeAnswersNullAtOnce) {
  const OwnWindow own(true);
  for (int32_t limit : {0, -1, INT32_MIN}) {
    EXPECT_EQ(CProcessTools::FindProcessWindow(GetCurrentProcessId(), CWString(), CWString(), limit), nullptr) << limit;
  }
  // The same search with time finds the window.
  EXPECT_EQ(CProcessTools::FindProcessWindow(GetCurrentProcessId(), CWString(), CWString(), 1000), own.get());
}

TEST(ProcessTools, FindProcessWindowAppliesItsFilters) {
  const OwnWindow own(true);
  struct Case {
    const wchar_t* classFilter;
    const wchar_t* titleFilter;
    bool found;
  };
  const Case cases[] = {
      {OwnWindow::kClass, L"", true},
      {L"", OwnWindow::kTitle, true},
      {OwnWindow::kClass, OwnWindow::kTitle, true},
      {L"NoSuchWindowClass", L"", false},
      {L"", L"no such title", false},
  };
  for (const Case& c : cases) {
    const HWND expected = c.found ? own.get() : nullptr;
    EXPECT_EQ(CProcessTools::FindProcessWindow(GetCurrentProcessId(), CWString(c.classFilter), CWString(c.titleFilter),
                                               200),
              expected);
  }
}

TEST(ProcessTools, FindProcessWindowGivesUpAfterItsTime) {
  const OwnWindow hidden(false);
  const DWORD start = GetTickCount();
  EXPECT_EQ(CProcessTools::FindProcessWindow(GetCurrentProcessId(), CWString(), CWString(), 150), nullptr);
  EXPECT_GE(GetTickCount() - start, 150u);
}

TEST(ProcessTools, FindProcessNameWindow) {
  const HWND none = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
  EXPECT_EQ(CProcessTools::FindProcessNameWindow(CWString(L"no-such-program.exe")), none);
  // The process exists but shows no window.
  EXPECT_EQ(CProcessTools::FindProcessNameWindow(CWString(ExeTitle().c_str())), nullptr);
  const OwnWindow own(true);
  EXPECT_EQ(CProcessTools::FindProcessNameWindow(CWString(Upper(ExeTitle()).c_str())), own.get());
}

TEST(ProcessTools, ShowTimedMessageIsOwnedByTheFirstVisibleWindow) {
  const OwnWindow own(true);
  NoticeText seen;
  HWND seenOwner = nullptr;
  std::thread closer([&] {
    if (HWND box = WaitForNotice(GetCurrentProcessId(), kHostWaitMs)) {
      seen = ReadNotice(box);
      seenOwner = OwnerOf(box);
      ConfirmNotice(box);
    }
  });
  const int32_t answer = CProcessTools::ShowTimedMessage(CWString(L"第一行\n"), CWString(L"标题"));
  closer.join();

  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen.caption, L"标题");
  EXPECT_EQ(seen.text, L"第一行\n");
  EXPECT_EQ(seenOwner, own.get());
}

// Every guard test needs the shared event name to itself: nothing else may hold "重复运行".
class SingleInstanceGuard : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(EventExists(kInstanceEvent)) << "another program holds the event; the guard tests cannot run";
  }

  // The first copy, past the guard.
  std::unique_ptr<HostProcess> StartFirstCopy(const wchar_t* window) {
    std::unique_ptr<HostProcess> first = StartHost(window, kInstanceEvent);
    if (first && !first->WaitForOutput(kGuardPassed, kHostWaitMs)) {
      ADD_FAILURE() << "the first copy did not pass the guard: " << first->Output();
      return nullptr;
    }
    return first;
  }
};

TEST_F(SingleInstanceGuard, FirstCopyCreatesTheEventWhichGoesWithIt) {
  std::unique_ptr<HostProcess> first = StartFirstCopy(L"none");
  ASSERT_TRUE(first);
  EXPECT_TRUE(EventExists(kInstanceEvent));
  first.reset();
  EXPECT_FALSE(EventExists(kInstanceEvent));
}

struct BringUpCase {
  const wchar_t* firstWindow;  // how the running copy shows its window
  bool visibleAfter;
  bool topmostAfter;
  bool leftInactive;  // restoring a minimised window activates it; making it topmost must not
};

class SecondCopy : public SingleInstanceGuard, public testing::WithParamInterface<BringUpCase> {};

TEST_P(SecondCopy, ShowsTheNoticeBringsUpTheRunningCopyAndEnds) {
  const BringUpCase& c = GetParam();
  std::unique_ptr<HostProcess> first = StartFirstCopy(c.firstWindow);
  ASSERT_TRUE(first);
  const HWND firstWindow = HostWindow(*first);
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_FALSE(IsTopmost(firstWindow));

  // The second copy shows its own window first, as the program shows its form before the guard.
  std::unique_ptr<HostProcess> second = StartHost(L"shown", kInstanceEvent);
  ASSERT_TRUE(second);
  const HWND box = WaitForNotice(second->Id(), kHostWaitMs);
  ASSERT_NE(box, nullptr) << second->Output();
  const NoticeText notice = ReadNotice(box);
  EXPECT_EQ(notice.caption, L"友情提醒");
  EXPECT_EQ(notice.text, kMessage);
  EXPECT_EQ(OwnerOf(box), HostWindow(*second));
  ConfirmNotice(box);

  EXPECT_EQ(second->WaitForExit(kHostWaitMs), 0u);
  EXPECT_EQ(second->Output().find(kGuardPassed), std::string::npos) << "the second copy ran on after the guard";
  EXPECT_TRUE(first->IsRunning());
  EXPECT_EQ(IsWindowVisible(firstWindow) != FALSE, c.visibleAfter);
  EXPECT_FALSE(IsIconic(firstWindow));
  EXPECT_EQ(IsTopmost(firstWindow), c.topmostAfter);
  if (c.leftInactive) {
    EXPECT_NE(GetForegroundWindow(), firstWindow);
  }
}

INSTANTIATE_TEST_SUITE_P(RunningCopyWindow, SecondCopy,
                         testing::Values(BringUpCase{L"shown", true, true, true},
                                         BringUpCase{L"minimised", true, true, false},
                                         BringUpCase{L"hidden", false, false, true}),
                         [](const testing::TestParamInfo<BringUpCase>& info) {
                           const std::wstring name = info.param.firstWindow;
                           return std::string(name.begin(), name.end());
                         });

// A copy that meets itself first in the process list must still bring up the running copy's window,
// not its own. The list holds processes in start order here: the late copy is started first and
// held before its guard until the running copy is in place.
TEST_F(SingleInstanceGuard, SecondCopyListedFirstBringsUpTheRunningCopy) {
  const wchar_t kGo[] = L"process-tools-test-go";
  KernelHandle go(CreateEventW(nullptr, TRUE, FALSE, kGo));
  ASSERT_TRUE(go);
  std::unique_ptr<HostProcess> second = StartHost(L"shown", kInstanceEvent, kGo);
  ASSERT_TRUE(second);
  ASSERT_TRUE(second->WaitForOutput("waiting", kHostWaitMs)) << second->Output();
  std::unique_ptr<HostProcess> first = StartFirstCopy(L"shown");
  ASSERT_TRUE(first);
  const HWND firstWindow = HostWindow(*first);
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_EQ(CProcessTools::FindProcessByName(CWString(L"guard_host.exe")), second->Id())
      << "the late copy does not come first in the process list: this test shows nothing";

  SetEvent(go.get());
  const HWND box = WaitForNotice(second->Id(), kHostWaitMs);
  ASSERT_NE(box, nullptr) << second->Output();
  ConfirmNotice(box);
  EXPECT_EQ(second->WaitForExit(kHostWaitMs), 0u);
  EXPECT_EQ(second->Output().find(kGuardPassed), std::string::npos);
  EXPECT_TRUE(IsTopmost(firstWindow));
}

TEST_F(SingleInstanceGuard, OfTwentyCopiesStartedAtOnceExactlyOneRuns) {
  constexpr int kCopies = 20;
  // All copies wait, started and with their windows up, for one go: they then reach the guard as
  // nearly at the same moment as processes can. (A guard that looks for the event and creates it
  // in a second step lets two of them run in most attempts here.)
  const wchar_t kGo[] = L"process-tools-test-twenty";
  KernelHandle go(CreateEventW(nullptr, TRUE, FALSE, kGo));
  ASSERT_TRUE(go);
  std::vector<std::unique_ptr<HostProcess>> copies;
  for (int i = 0; i < kCopies; ++i) {
    copies.push_back(StartHost(L"shown", kInstanceEvent, kGo));
    ASSERT_TRUE(copies.back());
  }
  for (auto& copy : copies) ASSERT_TRUE(copy->WaitForOutput("waiting", kHostWaitMs)) << copy->Output();
  SetEvent(go.get());

  // Confirms every notice until each copy has either ended or passed the guard.
  std::vector<bool> noticed(kCopies, false);
  const DWORD start = GetTickCount();
  for (;;) {
    bool settled = true;
    for (int i = 0; i < kCopies; ++i) {
      if (!copies[i]->IsRunning() || copies[i]->Output().find(kGuardPassed) != std::string::npos) continue;
      settled = false;
      if (HWND box = FindNotice(copies[i]->Id())) {
        noticed[i] = true;
        ConfirmNotice(box);
      }
    }
    if (settled || GetTickCount() - start >= 45000) break;
    Sleep(20);
  }

  int running = 0;
  for (int i = 0; i < kCopies; ++i) {
    HostProcess& copy = *copies[i];
    if (copy.IsRunning()) {
      ++running;
      EXPECT_NE(copy.Output().find(kGuardPassed), std::string::npos) << "copy " << i << " still runs in the guard";
      EXPECT_FALSE(noticed[i]) << "copy " << i;
    } else {
      EXPECT_EQ(copy.WaitForExit(0), 0u) << "copy " << i;
      EXPECT_TRUE(noticed[i]) << "copy " << i << " ended without a notice";
      EXPECT_EQ(copy.Output().find(kGuardPassed), std::string::npos) << "copy " << i;
    }
  }
  EXPECT_EQ(running, 1);
}

// A second copy that meets the event as it ends: confirms its notice and expects it to end with 0
// without passing the guard.
void ExpectStoppedByTheGuard(HostProcess& copy) {
  const HWND box = WaitForNotice(copy.Id(), kHostWaitMs);
  ASSERT_NE(box, nullptr) << "no notice: " << copy.Output();
  EXPECT_EQ(ReadNotice(box).caption, L"友情提醒");
  ConfirmNotice(box);
  EXPECT_EQ(copy.WaitForExit(kHostWaitMs), 0u);
  EXPECT_EQ(copy.Output().find(kGuardPassed), std::string::npos) << "the copy ran on after the guard";
}

// A copy started elevated makes the event at a level a normal copy may not open: its creation is
// refused with ERROR_ACCESS_DENIED, which still means that another copy runs. An event whose access
// list grants nothing is refused the same way.
TEST_F(SingleInstanceGuard, AnEventItMayNotOpenMeansAnotherCopyRuns) {
  SECURITY_DESCRIPTOR descriptor{};
  ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  ACL nothingGranted{};
  ASSERT_TRUE(InitializeAcl(&nothingGranted, sizeof nothingGranted, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &nothingGranted, FALSE));
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  KernelHandle running(CreateEventW(&attributes, FALSE, FALSE, kInstanceEvent));
  ASSERT_TRUE(running);
  ASSERT_EQ(CreateEventExW(nullptr, kInstanceEvent, 0, EVENT_ALL_ACCESS), nullptr);
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << "the event can be opened: this test shows nothing";

  std::unique_ptr<HostProcess> second = StartHost(L"shown", kInstanceEvent);
  ASSERT_TRUE(second);
  ExpectStoppedByTheGuard(*second);
}

// The guard's test and its mark are one step: an event that another process creates at the last
// moment before that step stops the copy. (A guard that first looks for the event and then creates
// it, without looking at the creation's answer, runs on here every time.)
TEST_F(SingleInstanceGuard, AnEventMadeByAnotherProcessJustBeforeTheGuardCreatesItsOwnStopsTheCopy) {
  const wchar_t kGo[] = L"process-tools-test-inside";
  KernelHandle go(CreateEventW(nullptr, TRUE, FALSE, kGo));
  ASSERT_TRUE(go);
  std::unique_ptr<HostProcess> copy = StartHost(L"shown", kInstanceEvent, std::wstring(kGo) + L" inside");
  ASSERT_TRUE(copy);
  ASSERT_TRUE(copy->WaitForOutput("waiting inside", kHostWaitMs)) << copy->Output();

  KernelHandle other(CreateEventW(nullptr, FALSE, FALSE, kInstanceEvent));
  ASSERT_TRUE(other);
  ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the copy made the event before its step";
  SetEvent(go.get());
  ExpectStoppedByTheGuard(*copy);
}

// The MD5 text of the phrase's bytes in the system ANSI code page; empty when it has no such bytes.
std::wstring DerivedEventName() {
  char bytes[128] = {};
  const int count = WideCharToMultiByte(CP_ACP, 0, kDefaultNamePhrase, -1, bytes, sizeof bytes, nullptr, nullptr);
  if (count < 2) return std::wstring();
  CVolMem buffer;
  buffer.AppendBytes(bytes, count - 1);
  return buffer.Md5Hex().GetText();
}

TEST_F(SingleInstanceGuard, ANullNameStandsForTheDerivedName) {
  const std::wstring derived = DerivedEventName();
  ASSERT_EQ(derived.size(), 32u);
  ASSERT_EQ(derived.find_first_not_of(L"0123456789abcdef"), std::wstring::npos);
  ASSERT_FALSE(EventExists(derived.c_str()));

  std::unique_ptr<HostProcess> first = StartHost(L"none", L"null");
  ASSERT_TRUE(first);
  ASSERT_TRUE(first->WaitForOutput(kGuardPassed, kHostWaitMs)) << first->Output();
  EXPECT_TRUE(EventExists(derived.c_str()));
  EXPECT_FALSE(EventExists(kDefaultNamePhrase));
  EXPECT_FALSE(EventExists(kInstanceEvent));
}

}  // namespace
