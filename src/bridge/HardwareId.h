// A device's hardware id: what of its raw-input device name stays the same in any USB port
// and after the receiver is plugged in again: "VID_xxxx&PID_yyyy", then the interface ("&MI_zz") and
// collection ("&COLnn") parts where the name has them, all in upper case. Matching compares these,
// never raw-input handles, which change when a device comes back.
#pragma once

#include <cstdint>
#include <string>

// Names longer than this are not read (no device name comes near it).
inline constexpr std::size_t kMaxDeviceNameUnits = 1024;

struct HardwareIdParts {
  bool hasIds = false;  // "VID_" and "PID_" with four hex digits each were found
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
  std::wstring interfacePart;   // "MI_01" or empty
  std::wstring collectionPart;  // "COL01" or empty
};

// The parts written in a raw-input device name ("\\?\HID#VID_046D&PID_C52B&MI_01&Col01#...#{...}"),
// in either letter case, from its first '#'-separated segment that holds them. Names without ids
// (Bluetooth names carry them in another form), empty and over-long names give no ids.
HardwareIdParts HardwareIdPartsOf(const std::wstring& deviceName);

// "VID_046D&PID_C52B" plus "&MI_01" and "&COL01" where present.
std::wstring FormatHardwareId(std::uint16_t vendor, std::uint16_t product, const std::wstring& interfacePart,
                              const std::wstring& collectionPart);

// The hardware id written in a name; empty without ids.
std::wstring HardwareIdFromDeviceName(const std::wstring& deviceName);

// A stored hardware id as the program uses it (upper case), or empty when the text does not begin
// with a vendor and product id: every device then.
std::wstring NormalizeStoredHardwareId(const std::wstring& stored);
