// The program's command line: "/exit" in any case and at any place after the program's path asks the
// running copy to end; nothing else means anything.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, OnlyAnExitArgumentAfterTheProgramsPathAsksToEndTheRunningCopy) {
  struct Case {
    const wchar_t* commandLine;
    bool asks;
  };
  const Case cases[] = {
      {L"\"C:\\Program Files\\x\\岚枫禾无线按钮扩展.exe\" /exit", true},
      {L"x.exe /EXIT", true},
      {L"x.exe /Exit", true},
      {L"x.exe other /exit", true},
      {L"x.exe \"/exit\"", true},
      {L"x.exe", false},
      {L"", false},
      {L"x.exe /exitnow", false},
      {L"x.exe exit", false},
      {L"x.exe -exit", false},
      {L"x.exe /ex", false},
      {L"\"C:\\dir /exit\\x.exe\"", false},  // part of the program's own path
      {L"/exit", false},                     // the program's path itself
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsksToEndRunningCopy(ArgumentsOf(c.commandLine)), c.asks)
        << testing::PrintToString(std::wstring(c.commandLine));
  }
}

TEST(CommandLine, ArgumentsAreSplitByTheSystemsQuoteRules) {
  EXPECT_EQ(ArgumentsOf(L"\"C:\\a b\\x.exe\" one \"two three\""),
            (std::vector<std::wstring>{L"C:\\a b\\x.exe", L"one", L"two three"}));
  EXPECT_TRUE(ArgumentsOf(L"").empty());
  EXPECT_TRUE(ArgumentsOf(nullptr).empty());
}

}  // namespace
