#include "winframework/KeyNormalization.h"

namespace {

struct NamedKey {
  int code;
  const wchar_t* name;
};

constexpr NamedKey kNamedKeys[] = {
    {0x01, L"LButton"}, {0x02, L"RButton"},  {0x03, L"Break"},     {0x04, L"MButton"},  {0x05, L"XButton1"},
    {0x06, L"XButton2"}, {0x08, L"Backspace"}, {0x09, L"Tab"},     {0x0C, L"PadCenter"}, {0x0D, L"Enter"},
    {0x10, L"Shift"},   {0x11, L"Ctrl"},     {0x12, L"Alt"},       {0x13, L"Pause"},    {0x14, L"CapsLock"},
    {0x1B, L"ESC"},     {0x20, L"Space"},    {0x21, L"PageUp"},    {0x22, L"PageDown"}, {0x23, L"End"},
    {0x24, L"Home"},    {0x25, L"Left"},     {0x26, L"Up"},        {0x27, L"Right"},    {0x28, L"Down"},
    {0x2D, L"Ins"},     {0x2E, L"Del"},      {0x6A, L"PadMul"},    {0x6B, L"PadPlus"},  {0x90, L"NumLock"},
    {0x91, L"ScrollLock"}, {0xBA, L";"},     {0xBB, L"="},         {0xBC, L","},        {0xBD, L"-"},
    {0xBE, L"."},       {0xBF, L"/"},        {0xC0, L"`"},         {0xDB, L"["},        {0xDC, L"\\"},
    {0xDD, L"]"},       {0xDE, L"'"},
};

constexpr const wchar_t* kDigitNames[10] = {L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"};
constexpr const wchar_t* kLetterNames[26] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I",
                                             L"J", L"K", L"L", L"M", L"N", L"O", L"P", L"Q", L"R",
                                             L"S", L"T", L"U", L"V", L"W", L"X", L"Y", L"Z"};
constexpr const wchar_t* kFunctionKeyNames[16] = {L"F1", L"F2",  L"F3",  L"F4",  L"F5",  L"F6",  L"F7",  L"F8",
                                                  L"F9", L"F10", L"F11", L"F12", L"F13", L"F14", L"F15", L"F16"};

// The 256 entries, built once.
struct KeyNameTable {
  const wchar_t* names[256];
  KeyNameTable() {
    for (auto& name : names) name = L"";
    for (const NamedKey& key : kNamedKeys) names[key.code] = key.name;
    for (int i = 0; i < 10; ++i) names[0x30 + i] = kDigitNames[i];
    for (int i = 0; i < 26; ++i) names[0x41 + i] = kLetterNames[i];
    for (int i = 0; i < 16; ++i) names[0x70 + i] = kFunctionKeyNames[i];
  }
};

const KeyNameTable& Table() {
  static const KeyNameTable table;
  return table;
}

bool IsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

const wchar_t* VolKeyName(int code) {
  if (code < 0 || code > 255) return L"";
  return Table().names[code];
}

int32_t NormalizeKeyCode(WPARAM wParam) {
  int32_t code = static_cast<int32_t>(wParam & 0xFF);
  if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) code = '0' + (code - VK_NUMPAD0);
  else if (code == VK_SUBTRACT) code = VK_OEM_MINUS;
  else if (code == VK_DECIMAL) code = VK_OEM_PERIOD;
  else if (code == VK_DIVIDE) code = VK_OEM_2;
  if (code == 0 || VolKeyName(code)[0] == 0) return 0;
  int32_t modifiers = 0;
  if (code != VK_CONTROL && IsDown(VK_CONTROL)) modifiers |= kModifierCtrl;
  if (code != VK_SHIFT && IsDown(VK_SHIFT)) modifiers |= kModifierShift;
  if (code != VK_MENU && IsDown(VK_MENU)) modifiers |= kModifierAlt;
  return code + modifiers;
}

int32_t MouseModifierFlags(WPARAM wParam) {
  int32_t flags = 0;
  if ((wParam & MK_CONTROL) != 0) flags |= kModifierCtrl;
  if ((wParam & MK_SHIFT) != 0) flags |= kModifierShift;
  if (IsDown(VK_MENU)) flags |= kModifierAlt;
  return flags;
}
