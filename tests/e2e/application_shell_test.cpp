// The application shell's start under its top-level exception catcher, in a test build of the shell
// (shell_host.exe) whose start routine throws or creates no window.
#include "ProgramDriver.h"
#include "support/HostProcess.h"
#include "support/Notices.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

using namespace e2e;

std::unique_ptr<HostProcess> StartShell(const wchar_t* routine) {
  return HostProcess::Start(BesideTest(L"shell_host.exe"), routine);
}

TEST(ApplicationShell, AnExceptionFromTheStartIsShownUnderItsCaptionAndEndsWithMinusOne) {
  struct Case {
    const wchar_t* routine;
    const wchar_t* text;
  };
  const Case cases[] = {{L"vol-exception", L"俘获到异常,代码值为: -1, 描述为: x"},
                        {L"std-exception", L"程序在运行时抛出了未被管理的异常"},
                        {L"int-exception", L"程序在运行时抛出了未被管理的异常"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.routine)));
    std::unique_ptr<HostProcess> shell = StartShell(c.routine);
    ASSERT_NE(shell, nullptr);
    const HWND box = WaitForNotice(shell->Id(), kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message box";
    const NoticeText shown = ReadNotice(box);
    EXPECT_EQ(shown.caption, L"运行时异常");
    EXPECT_EQ(shown.text, c.text);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_TRUE(shell->IsRunning()) << "ended before the box was closed";
    ASSERT_TRUE(ClickCentreOf(GetDlgItem(box, IDOK)));
    EXPECT_EQ(shell->WaitForExit(10000), 0xFFFFFFFFu);
    // The C run-time's exit: static destructors, no ExitInstance, no message loop.
    EXPECT_EQ(shell->Output().find("InitInstance"), std::string::npos);
    EXPECT_EQ(shell->Output().find("ExitInstance"), std::string::npos);
    EXPECT_NE(shell->Output().find("static teardown"), std::string::npos);
  }
}

TEST(ApplicationShell, AStartWithoutAMainWindowEndsQuietlyWithZero) {
  std::unique_ptr<HostProcess> shell = StartShell(L"no-window");
  ASSERT_NE(shell, nullptr);
  // A box would keep the process waiting; it ends by itself.
  EXPECT_EQ(shell->WaitForExit(kStartTimeoutMs), 0u);
  EXPECT_NE(shell->Output().find("InitInstance 0\r\nExitInstance\r\nstatic teardown"), std::string::npos)
      << shell->Output();
}

}  // namespace
