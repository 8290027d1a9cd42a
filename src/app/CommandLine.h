// What the program makes of its command line: only "/exit" means something (end the running copy
// instead of starting); every other argument is ignored.
#pragma once

#include <string>
#include <vector>

// The arguments of a whole command line (the program's own path first), split by the system's rules
// for quotes and backslashes.
std::vector<std::wstring> ArgumentsOf(const wchar_t* commandLine);

// True when any argument after the program's path is "/exit", in any case.
bool AsksToEndRunningCopy(const std::vector<std::wstring>& arguments);
