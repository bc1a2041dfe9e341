#include "native/usbport/win32/win32_device_source.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>
#include <winioctl.h>
#include <usbprint.h>

#include "sys/win32/handle.h"
#include "sys/win32/text.h"

namespace prn::usbport {

namespace {

using win32::FileHandle;
using win32::RegKey;
using win32::U;
using win32::W;

constexpr wchar_t kEnumKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\";
constexpr wchar_t kUsbPrintInterfaces[] =
    L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

struct DeviceInfoSetTraits {
  using Handle = HDEVINFO;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { SetupDiDestroyDeviceInfoList(h); }
};
using DeviceInfoSet = win32::UniqueHandle<DeviceInfoSetTraits>;

RegKey OpenKey(HKEY parent, const std::wstring& path) {
  RegKey key;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) key.Reset();
  return key;
}

ustring ReadText(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (!key || RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
    return {};
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  return U(text.c_str());
}

std::optional<uint32_t> ReadNumber(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!key || RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

ustring DeviceText(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t buffer[512] = {};
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr, reinterpret_cast<BYTE*>(buffer),
                                         sizeof buffer - sizeof(wchar_t), nullptr)) {
    return {};
  }
  return U(buffer);
}

ustring InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
  wchar_t buffer[MAX_DEVICE_ID_LEN + 1] = {};
  if (!SetupDiGetDeviceInstanceIdW(set, &device, buffer, MAX_DEVICE_ID_LEN, nullptr)) return {};
  return U(buffer);
}

// "\??\USB#…" names the device in the kernel's namespace; CreateFileW wants "\\?\USB#…".
std::wstring DevicePath(const ustring& symbolicName) {
  std::wstring path = win32::Wide(symbolicName);
  if (path.rfind(L"\\??\\", 0) == 0) path.replace(0, 4, L"\\\\?\\");
  return path;
}

}  // namespace

std::vector<UsbPrintDevice> Win32DeviceSource::Devices() {
  std::vector<UsbPrintDevice> devices;
  DeviceInfoSet set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT));
  if (!set) return devices;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set.Get(), i, &device); ++i) {
    UsbPrintDevice found;
    found.instanceId = InstanceId(set.Get(), device);
    found.service = DeviceText(set.Get(), device, SPDRP_SERVICE);
    if (found.instanceId.empty() || found.service.empty()) continue;
    RegKey parameters = OpenKey(HKEY_LOCAL_MACHINE, kEnumKey + win32::Wide(found.instanceId) + L"\\Device Parameters");
    found.symbolicName = ReadText(parameters.Get(), L"SymbolicName");
    devices.push_back(found);
  }
  return devices;
}

std::vector<PrinterInterface> Win32DeviceSource::PrinterInterfaces() {
  std::vector<PrinterInterface> interfaces;
  RegKey classKey = OpenKey(HKEY_LOCAL_MACHINE, kUsbPrintInterfaces);
  if (!classKey) return interfaces;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(classKey.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    RegKey entryKey = OpenKey(classKey.Get(), name);
    RegKey control = OpenKey(entryKey.Get(), L"#\\Control");
    RegKey parameters = OpenKey(entryKey.Get(), L"#\\Device Parameters");
    PrinterInterface entry;
    entry.deviceInstance = ReadText(entryKey.Get(), L"DeviceInstance");
    entry.linked = ReadNumber(control.Get(), L"Linked");
    entry.portNumber = ReadNumber(parameters.Get(), L"Port Number");
    interfaces.push_back(entry);
  }
  return interfaces;
}

bool Win32DeviceSource::Read1284Reply(const ustring& symbolicName, std::string& reply, uint32_t& error) {
  FileHandle device(CreateFileW(DevicePath(symbolicName).c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!device) {
    error = GetLastError();
    return false;
  }
  std::string buffer(k1284ReplyBytes, '\0');
  DWORD returned = 0;
  if (!DeviceIoControl(device.Get(), IOCTL_USBPRINT_GET_1284_ID, nullptr, 0, buffer.data(),
                       static_cast<DWORD>(buffer.size()), &returned, nullptr)) {
    error = GetLastError();
    return false;
  }
  reply = buffer.substr(0, returned);
  return true;
}

}  // namespace prn::usbport
