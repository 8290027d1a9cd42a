#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace {

struct LocalFreer {
  void operator()(LPWSTR* block) const { LocalFree(block); }
};

}  // namespace

std::vector<std::wstring> ArgumentsOf(const wchar_t* commandLine) {
  std::vector<std::wstring> arguments;
  // CommandLineToArgvW answers the program's own path for an empty text.
  if (commandLine == nullptr || *commandLine == L'\0') return arguments;
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreer> argv(CommandLineToArgvW(commandLine, &count));
  if (!argv) return arguments;
  for (int i = 0; i < count; ++i) arguments.emplace_back(argv.get()[i]);
  return arguments;
}

bool AsksToEndRunningCopy(const std::vector<std::wstring>& arguments) {
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (CompareStringOrdinal(arguments[i].c_str(), -1, L"/exit", -1, TRUE) == CSTR_EQUAL) return true;
  }
  return false;
}
