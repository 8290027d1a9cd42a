#include "bridge/KeyNameToCode.h"

#include <cwchar>

namespace {

struct KeyForm {
  const wchar_t* form;
  std::int32_t code;
};

// Compared with the text made lower case (A-Z only), so "Ctrl" and "CAPS LOCK" match too.
constexpr KeyForm kCaselessForms[] = {
    {L"win", 91},        {L"ctrl", 17},       {L"shift", 16},       {L"alt", 18},
    {L"break", 3},       {L"tab", 9},         {L"enter", 13},       {L"pause", 19},
    {L"capslock", 20},   {L"caps lock", 20},  {L"numlock", 144},    {L"num lock", 144},
    {L"scrolllock", 145}, {L"scroll lock", 145}, {L"esc", 27},      {L"space", 32},
    {L"pageup", 33},     {L"page up", 33},    {L"pagedown", 34},    {L"page down", 34},
    {L"home", 36},       {L"end", 35},        {L"ins", 45},         {L"del", 46},
};

// Compared with the text as it is once "键" is gone.
constexpr KeyForm kExactForms[] = {
    {L"回车", 13},
    {L"空格", 32},
    {L"左光标", 37},   {L"\u2190", 37}, {L"左方向", 37},
    {L"上光标", 38},   {L"\u2191", 38}, {L"上方向", 38},
    {L"右光标", 39},   {L"\u2192", 39}, {L"右方向", 39},
    {L"下光标", 40},   {L"\u2193", 40}, {L"下方向", 40},
    {L"分号", 186},    {L";", 186},
    {L"等号", 187},    {L"=", 187},
    {L"逗号", 188},    {L",", 188},
    {L"减号", 189},    {L"-", 189},
    {L"圆点", 190},    {L".", 190},
    // "除号" is the "/" key; "斜杠" below is the "\" key.
    {L"除号", 191},    {L"/", 191},     {L"\u00F7", 191},
    {L"反撇号", 192},  {L"`", 192},     {L"~", 192},
    {L"左中括号", 219}, {L"[", 219},
    {L"右中括号", 221}, {L"]", 221},
    {L"斜杠", 220},    {L"\\", 220},
    {L"单引号", 222},  {L"'", 222},
    // The numeric keypad's multiply and add keys.
    {L"乘号", 106},    {L"\u00D7", 106},
    {L"加号", 107},    {L"+", 107},
    {L"退格", 8},
};

constexpr wchar_t kKeyWord = L'\u952E';  // "键"
constexpr std::int32_t kCodeF1 = 112;
constexpr std::int32_t kCodeDigit0 = 48;

template <std::size_t N>
std::int32_t FindForm(const KeyForm (&forms)[N], const wchar_t* text) {
  for (const KeyForm& entry : forms) {
    if (std::wcscmp(entry.form, text) == 0) return entry.code;
  }
  return 0;
}

// "A".."Z" give 65..90, "F1".."F16" give 112..127; text is already upper case.
std::int32_t LetterOrFunctionKey(const wchar_t* text) {
  if (text[0] >= L'A' && text[0] <= L'Z' && text[1] == 0) return text[0];
  if (text[0] != L'F' || text[1] < L'1' || text[1] > L'9') return 0;
  int number = text[1] - L'0';
  if (text[2] != 0) {
    // Two digits only as 10..16; "F01" or "F1x" are no keys.
    if (number != 1 || text[2] < L'0' || text[2] > L'6' || text[3] != 0) return 0;
    number = 10 + (text[2] - L'0');
  }
  return kCodeF1 + number - 1;
}

}  // namespace

std::int32_t KeyNameToCode(const CWString& name) {
  CWString text;
  for (const wchar_t* unit = name.GetText(); *unit != 0; ++unit) {
    if (*unit != kKeyWord) text.AppendChar(*unit);
  }
  if (text.IsEmpty()) return 0;

  if (const std::int32_t code = FindForm(kExactForms, text.GetText())) return code;
  const wchar_t* plain = text.GetText();
  if (plain[0] >= L'0' && plain[0] <= L'9' && plain[1] == 0) return kCodeDigit0 + (plain[0] - L'0');

  CWString lower(text);
  if (const std::int32_t code = FindForm(kCaselessForms, lower.ToLowerAscii().GetText())) return code;
  CWString upper(text);
  return LetterOrFunctionKey(upper.ToUpperAscii().GetText());
}
