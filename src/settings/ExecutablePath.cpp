#include "settings/ExecutablePath.h"

namespace {

// The longest path the system's wide path functions take, with its closing NUL.
constexpr DWORD kLongestPathUnits = 32768;

}  // namespace

bool ReadModuleFilePath(HMODULE module, std::wstring& path, ModuleFileNameCall call) {
  path.clear();
  std::wstring buffer;
  for (DWORD units = MAX_PATH;; units = units * 2 < kLongestPathUnits ? units * 2 : kLongestPathUnits) {
    buffer.assign(units, L'\0');
    const DWORD length = call(module, &buffer[0], units);
    if (length == 0) return false;
    // A path that fills the whole buffer was cut off (older systems then leave out even the NUL).
    if (length < units) {
      path.assign(buffer.data(), length);
      return true;
    }
    if (units == kLongestPathUnits) return false;
  }
}
