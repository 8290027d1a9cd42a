// The expected headers of the container listings, spelled by code point so that a wrong encoding in
// the code under test cannot cancel out against the same mistake here.
#pragma once

#include <string>

// "<数组> 总共 N 个成员:"
inline std::wstring FullListingHeader(int total) {
  return L"<\u6570\u7EC4> \u603B\u5171 " + std::to_wstring(total) + L" \u4E2A\u6210\u5458:";
}

// "<数组> 总共 N 个成员,输出了 L 个,还有 R 个未被输出."
inline std::wstring PartListingHeader(int total, int listed, int left) {
  return L"<\u6570\u7EC4> \u603B\u5171 " + std::to_wstring(total) + L" \u4E2A\u6210\u5458,\u8F93\u51FA\u4E86 " +
         std::to_wstring(listed) + L" \u4E2A,\u8FD8\u6709 " + std::to_wstring(left) +
         L" \u4E2A\u672A\u88AB\u8F93\u51FA.";
}
