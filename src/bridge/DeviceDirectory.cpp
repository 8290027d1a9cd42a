#include "bridge/DeviceDirectory.h"

#include "bridge/HardwareId.h"
#include "runtime/VolException.h"
#include "settings/DynamicImportTable.h"
#include "settings/DynamicImports.h"
#include "settings/KernelHandle.h"

namespace {

// hid.dll, loaded the first time a device is read; without it the ids come from the names.
bool HidFunctionsReady() {
  static const bool ready = [] {
    try {
      return LoadDynamicImports(g_hidImports) == 1;
    } catch (const CVolException&) {
      return false;
    }
  }();
  return ready;
}

std::wstring RawInputDeviceName(HANDLE device) {
  UINT units = 0;
  if (GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, nullptr, &units) != 0 || units == 0 ||
      units > kMaxDeviceNameUnits + 1) {
    return std::wstring();
  }
  std::wstring name(units, L'\0');
  if (GetRawInputDeviceInfoW(device, RIDI_DEVICENAME, &name[0], &units) == static_cast<UINT>(-1)) {
    return std::wstring();
  }
  name.resize(wcsnlen(name.c_str(), name.size()));
  return name;
}

}  // namespace

std::wstring ShortNameOfHardwareId(const std::wstring& hardwareId) {
  // "VID_046D&PID_C52B..." -> "VID_046D PID_C52B"
  if (hardwareId.size() < 17 || hardwareId.compare(0, 4, L"VID_") != 0 || hardwareId.compare(8, 5, L"&PID_") != 0) {
    return std::wstring();
  }
  return hardwareId.substr(0, 8) + L" " + hardwareId.substr(9, 8);
}

DeviceIdentity ReadDeviceIdentity(const std::wstring& deviceName) {
  DeviceIdentity identity;
  if (deviceName.empty() || deviceName.size() > kMaxDeviceNameUnits) return identity;
  const HardwareIdParts parts = HardwareIdPartsOf(deviceName);
  bool haveIds = parts.hasIds;
  std::uint16_t vendor = parts.vendor;
  std::uint16_t product = parts.product;

  if (HidFunctionsReady()) {
    const KernelHandle device(CreateFileW(deviceName.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    if (device) {
      HidAttributes attributes{};
      attributes.size = sizeof attributes;
      if (HidImportAddress<HidGetAttributesFunction>(kHidGetAttributes)(device.get(), &attributes)) {
        haveIds = true;
        vendor = attributes.vendorId;
        product = attributes.productId;
      }
      wchar_t productName[127] = {};  // the longest string a HID device can hold, with its NUL
      if (HidImportAddress<HidGetProductStringFunction>(kHidGetProductString)(device.get(), productName,
                                                                             sizeof productName - sizeof(wchar_t))) {
        identity.displayName.assign(productName, wcsnlen(productName, 126));
      }
    }
  }
  if (!haveIds) return identity;
  identity.hardwareId = FormatHardwareId(vendor, product, parts.interfacePart, parts.collectionPart);
  if (identity.displayName.empty()) identity.displayName = ShortNameOfHardwareId(identity.hardwareId);
  return identity;
}

const DeviceIdentity& DeviceDirectory::IdentityOf(HANDLE device) {
  if (device == nullptr) return none_;
  const auto found = known_.find(device);
  if (found != known_.end()) return found->second;
  return known_[device] = ReadDeviceIdentity(RawInputDeviceName(device));
}

std::vector<DeviceIdentity> DeviceDirectory::PresentMice() {
  std::vector<DeviceIdentity> mice;
  UINT count = 0;
  if (GetRawInputDeviceList(nullptr, &count, sizeof(RAWINPUTDEVICELIST)) != 0 || count == 0) return mice;
  std::vector<RAWINPUTDEVICELIST> devices(count);
  const UINT listed = GetRawInputDeviceList(devices.data(), &count, sizeof(RAWINPUTDEVICELIST));
  if (listed == static_cast<UINT>(-1)) return mice;
  for (UINT i = 0; i < listed; ++i) {
    if (devices[i].dwType == RIM_TYPEMOUSE) mice.push_back(IdentityOf(devices[i].hDevice));
  }
  return mice;
}
