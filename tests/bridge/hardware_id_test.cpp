// Hardware ids read from raw-input device names, and stored ids checked, as tables.
#include "bridge/HardwareId.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(HardwareIdFromDeviceName, ReadsTheIdsAndTheInterfaceAndCollectionParts) {
  struct Case {
    std::wstring name;
    std::wstring id;
  };
  const Case cases[] = {
      // USB receivers, with and without the interface and collection parts, in either letter case.
      {L"\\\\?\\HID#VID_046D&PID_C52B&MI_01&Col01#7&2a3b4c5d&0&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}",
       L"VID_046D&PID_C52B&MI_01&COL01"},
      {L"\\\\?\\hid#vid_046d&pid_c52b&mi_01&col02#7&2a3b4c5d&0&0001#{378de44c-56ef-11d1-bc8c-00a0c91405dd}",
       L"VID_046D&PID_C52B&MI_01&COL02"},
      {L"\\\\?\\HID#VID_1A2C&PID_0E24&MI_00#8&1f0e&0&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}",
       L"VID_1A2C&PID_0E24&MI_00"},
      {L"\\\\?\\HID#VID_1A2C&PID_0E24&Col03#8&1f0e&0&0002#{378de44c-56ef-11d1-bc8c-00a0c91405dd}",
       L"VID_1A2C&PID_0E24&COL03"},
      // The per-port instance part is never taken in.
      {L"\\\\?\\HID#VID_1A2C&PID_0E24#9&33aa&1&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", L"VID_1A2C&PID_0E24"},
      // Wine's virtual mouse.
      {L"\\\\?\\HID#VID_845E&PID_0001#0&0000&0&0#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", L"VID_845E&PID_0001"},
      // Bluetooth names carry the ids in another form; the attributes are the source there.
      {L"\\\\?\\HID#{00001124-0000-1000-8000-00805f9b34fb}_VID&0002046d_PID&b016&Col01#8&1a2b&0&0000#{378de44c-"
       L"56ef-11d1-bc8c-00a0c91405dd}",
       L""},
      {L"\\\\?\\ACPI#PNP0F13#4&2a3b&0#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", L""},
      {L"\\\\?\\HID#VID_12&PID_0E24#x", L""},      // too few digits
      {L"\\\\?\\HID#VID_12G4&PID_0E24#x", L""},    // not hex
      {L"\\\\?\\HID#VID_1234&PID_0E245#x", L""},   // too many
      {L"\\\\?\\HID#VID_1234#x", L""},             // no product
      {L"", L""},
      {std::wstring(kMaxDeviceNameUnits + 1, L'A'), L""},
      {L"\\\\?\\HID#VID_1A2C&PID_0E24" + std::wstring(kMaxDeviceNameUnits, L'#'), L""},  // over-long
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(HardwareIdFromDeviceName(c.name)), Narrow(c.id)) << Narrow(c.name.substr(0, 120));
  }
}

TEST(FormatHardwareId, UpperCaseFourDigitIds) {
  EXPECT_EQ(Narrow(FormatHardwareId(0x46d, 0xc52b, L"MI_01", L"COL01")), "VID_046D&PID_C52B&MI_01&COL01");
  EXPECT_EQ(Narrow(FormatHardwareId(0x845e, 1, L"", L"")), "VID_845E&PID_0001");
  EXPECT_EQ(Narrow(FormatHardwareId(0, 0xffff, L"", L"COL02")), "VID_0000&PID_FFFF&COL02");
}

TEST(NormalizeStoredHardwareId, AStoredIdCountsOnlyWithVendorAndProduct) {
  struct Case {
    std::wstring stored;
    std::wstring id;
  };
  const Case cases[] = {
      {L"VID_046D&PID_C52B&MI_01&COL01", L"VID_046D&PID_C52B&MI_01&COL01"},
      {L"vid_845e&pid_0001", L"VID_845E&PID_0001"},
      {L"", L""},
      {L"abc", L""},
      {L"VID_046D", L""},
      {L"PID_C52B&VID_046D", L""},
      {L"VID_04&PID_C52B", L""},
      {std::wstring(kMaxDeviceNameUnits + 1, L'V'), L""},
  };
  for (const Case& c : cases) EXPECT_EQ(Narrow(NormalizeStoredHardwareId(c.stored)), Narrow(c.id)) << Narrow(c.stored);
}

}  // namespace
