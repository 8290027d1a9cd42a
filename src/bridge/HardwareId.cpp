#include "bridge/HardwareId.h"

#include <cwchar>

namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::wstring UpperCopy(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) c = Upper(c);
  return out;
}

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  c = Upper(c);
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// digits hex digits at text[at...]; false when they are not all there.
bool ReadHex(const std::wstring& text, std::size_t at, int digits, unsigned& value) {
  if (at + static_cast<std::size_t>(digits) > text.size()) return false;
  value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = HexValue(text[at + static_cast<std::size_t>(i)]);
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return true;
}

// The text after tag (upper case) in segment, as far as the next '&', when it is digits hex digits.
bool TaggedHex(const std::wstring& segment, const wchar_t* tag, int digits, unsigned& value, std::size_t& end) {
  const std::size_t at = segment.find(tag);
  if (at == std::wstring::npos) return false;
  const std::size_t start = at + std::wcslen(tag);
  if (!ReadHex(segment, start, digits, value)) return false;
  end = start + static_cast<std::size_t>(digits);
  return end == segment.size() || segment[end] == L'&';
}

std::wstring Hex(unsigned value, int digits) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring out(static_cast<std::size_t>(digits), L'0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return out;
}

HardwareIdParts PartsOfSegment(const std::wstring& segment) {
  HardwareIdParts parts;
  unsigned vendor = 0, product = 0, value = 0;
  std::size_t end = 0;
  // The ids open the segment, as in every USB and HID device name.
  if (segment.compare(0, 4, L"VID_") != 0 || !TaggedHex(segment, L"VID_", 4, vendor, end)) return parts;
  if (!TaggedHex(segment, L"&PID_", 4, product, end)) return parts;
  parts.hasIds = true;
  parts.vendor = static_cast<std::uint16_t>(vendor);
  parts.product = static_cast<std::uint16_t>(product);
  if (TaggedHex(segment, L"&MI_", 2, value, end)) parts.interfacePart = L"MI_" + Hex(value, 2);
  if (TaggedHex(segment, L"&COL", 2, value, end)) parts.collectionPart = L"COL" + Hex(value, 2);
  return parts;
}

}  // namespace

HardwareIdParts HardwareIdPartsOf(const std::wstring& deviceName) {
  if (deviceName.empty() || deviceName.size() > kMaxDeviceNameUnits) return HardwareIdParts{};
  const std::wstring name = UpperCopy(deviceName);
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find(L'#', start);
    if (end == std::wstring::npos) end = name.size();
    const HardwareIdParts parts = PartsOfSegment(name.substr(start, end - start));
    if (parts.hasIds) return parts;
    start = end + 1;
  }
  return HardwareIdParts{};
}

std::wstring FormatHardwareId(std::uint16_t vendor, std::uint16_t product, const std::wstring& interfacePart,
                              const std::wstring& collectionPart) {
  std::wstring id = L"VID_" + Hex(vendor, 4) + L"&PID_" + Hex(product, 4);
  if (!interfacePart.empty()) id += L"&" + interfacePart;
  if (!collectionPart.empty()) id += L"&" + collectionPart;
  return id;
}

std::wstring HardwareIdFromDeviceName(const std::wstring& deviceName) {
  const HardwareIdParts parts = HardwareIdPartsOf(deviceName);
  if (!parts.hasIds) return std::wstring();
  return FormatHardwareId(parts.vendor, parts.product, parts.interfacePart, parts.collectionPart);
}

std::wstring NormalizeStoredHardwareId(const std::wstring& stored) {
  if (stored.size() > kMaxDeviceNameUnits) return std::wstring();
  const std::wstring upper = UpperCopy(stored);
  if (!PartsOfSegment(upper).hasIds) return std::wstring();
  return upper;
}
