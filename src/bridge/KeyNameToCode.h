// The parser that turns a key name (the combo box's text) into a virtual-key code.
#pragma once

#include "runtime/WString.h"

#include <cstdint>

// Every "键" in name is removed first, wherever it stands; what is left must equal one of the
// vocabulary's forms as a whole (no trimming, no partial match). English words match in any mix of
// capitals, single letters and "F1".."F16" in either case; Chinese and symbol forms as written.
// 0 for anything else, the empty text included.
std::int32_t KeyNameToCode(const CWString& name);
