// What a raw-input device handle names: its hardware id and a name to show. Read once per handle
// (handles change when a device comes back, so the directory is emptied on every arrival and removal).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct DeviceIdentity {
  std::wstring hardwareId;   // empty: the device cannot be told apart from others
  std::wstring displayName;  // the product name, else "VID_xxxx PID_yyyy", else empty
};

// The device opened by its raw-input name with no access rights (mice are held by the system, but
// their attributes and strings can still be read): vendor and product from its attributes, else from
// the ids written in the name; the interface and collection parts from the name.
DeviceIdentity ReadDeviceIdentity(const std::wstring& deviceName);

// "VID_046D PID_C52B" for an id beginning "VID_046D&PID_C52B"; empty for one without.
std::wstring ShortNameOfHardwareId(const std::wstring& hardwareId);

class DeviceDirectory {
 public:
  // The identity of a raw-input device handle; empty for null (an injected press) and for a handle
  // the system no longer knows.
  const DeviceIdentity& IdentityOf(HANDLE device);
  // Devices came or went: handles are read again.
  void Forget() { known_.clear(); }
  // The identities of the mice present now.
  std::vector<DeviceIdentity> PresentMice();

 private:
  std::map<HANDLE, DeviceIdentity> known_;
  DeviceIdentity none_;
};
