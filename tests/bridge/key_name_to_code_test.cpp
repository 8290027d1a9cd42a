// The key-name parser: the whole vocabulary, its case rules, the removal of "键" and the texts that
// must give 0.
#include "bridge/KeyNameToCode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
  const wchar_t* name;
  std::int32_t code;
};

void ExpectCodes(const NameCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    EXPECT_EQ(KeyNameToCode(CWString(cases[i].name)), cases[i].code)
        << "name: " << testing::PrintToString(std::wstring(cases[i].name));
  }
}

template <size_t N>
void ExpectCodes(const NameCase (&cases)[N]) {
  ExpectCodes(cases, N);
}

TEST(KeyNameToCode, EnglishWordsMatchInAnyCapitals) {
  const NameCase cases[] = {
      {L"win", 91},          {L"WIN", 91},          {L"Ctrl", 17},         {L"cTRL键", 17},
      {L"SHIFT", 16},        {L"Alt", 18},          {L"BREAK", 3},         {L"break键", 3},
      {L"Tab", 9},           {L"Enter", 13},        {L"ENTER键", 13},      {L"Pause", 19},
      {L"capslock", 20},     {L"CapsLock", 20},     {L"capsLock键", 20},   {L"caps lock", 20},
      {L"Caps Lock", 20},    {L"numlock", 144},     {L"NUM LOCK", 144},    {L"numLock键", 144},
      {L"ScrollLock", 145},  {L"scroll lock", 145}, {L"Esc", 27},          {L"Space", 32},
      {L"PageUp", 33},       {L"Page Up", 33},      {L"pagedown", 34},     {L"PAGE DOWN", 34},
      {L"Home", 36},         {L"END", 35},          {L"Ins", 45},          {L"DEL", 46},
  };
  ExpectCodes(cases);
}

TEST(KeyNameToCode, ChineseAndSymbolForms) {
  const NameCase cases[] = {
      {L"回车", 13},        {L"回车键", 13},      {L"空格键", 32},
      {L"左光标", 37},      {L"\u2190", 37},      {L"左方向键", 37},
      {L"上光标键", 38},    {L"\u2191", 38},      {L"上方向", 38},
      {L"右光标", 39},      {L"\u2192", 39},      {L"右方向键", 39},
      {L"下光标", 40},      {L"\u2193", 40},      {L"下方向", 40},
      {L"分号", 186},       {L";", 186},          {L"等号键", 187},     {L"=", 187},
      {L"逗号", 188},       {L",", 188},          {L"减号", 189},       {L"-", 189},
      {L"圆点键", 190},     {L".", 190},
      // "/" and "\" are different keys; "斜杠" names the "\" key.
      {L"除号", 191},       {L"/", 191},          {L"\u00F7", 191},     {L"斜杠", 220},       {L"\\", 220},
      {L"反撇号", 192},     {L"`", 192},          {L"~", 192},
      {L"左中括号键", 219}, {L"[", 219},          {L"右中括号", 221},   {L"]", 221},
      {L"单引号", 222},     {L"'", 222},
      // The keypad's multiply and add keys.
      {L"乘号", 106},       {L"\u00D7", 106},     {L"加号键", 107},     {L"+", 107},
      {L"退格键", 8},
  };
  ExpectCodes(cases);
}

TEST(KeyNameToCode, DigitsLettersAndFunctionKeys) {
  const NameCase cases[] = {
      {L"0", 48},   {L"5键", 53},  {L"9", 57},    {L"A", 65},     {L"a", 65},     {L"z键", 90},
      {L"Z", 90},   {L"F", 70},    {L"F1", 112},  {L"F5键", 116}, {L"f5", 116},   {L"F9", 120},
      {L"F10", 121}, {L"f12", 123}, {L"F16", 127}, {L"F16键", 127},
      // "键" goes wherever it stands.
      {L"F键5", 116}, {L"F1键6", 127}, {L"键A", 65}, {L"ca键ps lo键ck键键", 20},
  };
  ExpectCodes(cases);
}

TEST(KeyNameToCode, AnythingElseIsZero) {
  const NameCase cases[] = {
      {L"", 0},           {L"键", 0},        {L"键键", 0},      {L"无", 0},
      // Whole text only: no trimming, no partial match.
      {L" A", 0},         {L"A ", 0},        {L"AB", 0},        {L"ctr", 0},       {L"ctrl+", 0},
      {L" caps lock", 0}, {L"caps  lock", 0}, {L"page_up", 0},   {L"F5 ", 0},
      // Function keys end at F16 and take no leading zero.
      {L"F0", 0},         {L"F17", 0},       {L"F01", 0},       {L"F20", 0},       {L"FF5", 0},
      {L"F1x", 0},        {L"F-1", 0},
      {L"10", 0},         {L"-5", 0},        {L"*", 0},
      // Only ASCII capitals are folded: full-width letters and digits are other characters.
      {L"\uFF21", 0},     {L"\uFF23\uFF34\uFF32\uFF2C", 0}, {L"\uFF15", 0},
      // The system's own names (under Wine) are not in the vocabulary.
      {L"Return", 0},     {L"Escape", 0},    {L"Left", 0},      {L"Caps_Lock", 0}, {L"Prior", 0},
  };
  ExpectCodes(cases);
}

}  // namespace
