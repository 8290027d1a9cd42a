// CWString against the standard library and the C run time: appends of short pieces, and Format
// against std::wstring building and _snwprintf.
#include "BenchClock.h"
#include "runtime/WString.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

template <typename Work>
double NsPerOp(int ops, Work work) {
  work();  // warm-up
  const double start = BenchSeconds();
  work();
  return (BenchSeconds() - start) * 1e9 / ops;
}

volatile size_t g_sink;

}  // namespace

int main() {
  constexpr int kStrings = 200;
  constexpr int kPieces = 500;
  const wchar_t* pieces[] = {L"a", L"bc", L"def", L"ghij", L"\u4E2D\u6587"};

  const double appendVol = NsPerOp(kStrings * kPieces, [&] {
    for (int s = 0; s < kStrings; ++s) {
      CWString text;
      for (int i = 0; i < kPieces; ++i) text.Append(pieces[i % 5]);
      g_sink = static_cast<size_t>(text.GetBuffer().GetLength());
    }
  });
  const double appendStd = NsPerOp(kStrings * kPieces, [&] {
    for (int s = 0; s < kStrings; ++s) {
      std::wstring text;
      for (int i = 0; i < kPieces; ++i) text += pieces[i % 5];
      g_sink = text.size();
    }
  });
  std::printf("append of short pieces:  CWString %7.1f ns, std::wstring %7.1f ns, CWString/std %5.2f\n", appendVol,
              appendStd, appendVol / appendStd);

  constexpr int kFormats = 100000;
  const double formatVol = NsPerOp(kFormats, [&] {
    CWString text;
    for (int i = 0; i < kFormats; ++i) {
      text.Format(L"%d. %s: 0x%I64X", i, L"name", static_cast<unsigned long long>(i) * 977);
      g_sink = static_cast<size_t>(text.GetBuffer().GetLength());
    }
  });
  const double formatCrt = NsPerOp(kFormats, [&] {
    wchar_t buffer[128];
    for (int i = 0; i < kFormats; ++i) {
      g_sink = static_cast<size_t>(
          _snwprintf(buffer, 128, L"%d. %ls: 0x%I64X", i, L"name", static_cast<unsigned long long>(i) * 977));
    }
  });
  const double formatStd = NsPerOp(kFormats, [&] {
    for (int i = 0; i < kFormats; ++i) {
      std::wstring text = std::to_wstring(i) + L". " + L"name" + L": 0x";
      wchar_t hex[17];
      _snwprintf(hex, 17, L"%I64X", static_cast<unsigned long long>(i) * 977);
      text += hex;
      g_sink = text.size();
    }
  });
  std::printf("format \"%%d. %%s: 0x%%I64X\": CWString %7.1f ns, _snwprintf %7.1f ns, std::wstring %7.1f ns\n",
              formatVol, formatCrt, formatStd);
  std::printf("  CWString/_snwprintf %5.2f, CWString/std::wstring %5.2f\n", formatVol / formatCrt, formatVol / formatStd);
  return 0;
}
