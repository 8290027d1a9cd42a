// The header that the diagnostic listings of containers (object array, text list) start with.
#pragma once

#include "runtime/WString.h"

#include <cstdint>

// Appends "<数组> 总共 N 个成员:" when every member is listed, else "<数组> 总共 N 个成员,输出了 L 个,
// 还有 N-L 个未被输出.", and answers how many members to list: all of them when maxItems < 0 or total
// is within the limit (maxItems, or 64 when maxItems is 0), otherwise the limit.
int64_t AppendListingHeader(CWString& out, int64_t total, int32_t maxItems);
