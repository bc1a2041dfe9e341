#include "sys/win32/device_install.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <newdev.h>
#include <setupapi.h>

#include <vector>

#include "sys/win32/handle.h"
#include "sys/win32/hardening.h"

namespace prn::win32 {

namespace {

// GUID_DEVCLASS_USB
constexpr GUID kUsbClass = {0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

template <typename Function>
Function Lookup(const Module& module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module.Get(), name)));
}

uint32_t Status(BOOL ok) { return ok ? 0 : static_cast<uint32_t>(GetLastError()); }

}  // namespace

struct Win32DeviceInstallApi::Functions {
  Functions()
      : setupapi(LoadSystemLibrary(L"setupapi.dll")),
        newdev(LoadSystemLibrary(L"newdev.dll")),
        cfgmgr(LoadSystemLibrary(L"cfgmgr32.dll")),
        classGuidsFromName(Lookup<decltype(&SetupDiClassGuidsFromNameA)>(setupapi, "SetupDiClassGuidsFromNameA")),
        getClassDevs(Lookup<decltype(&SetupDiGetClassDevsA)>(setupapi, "SetupDiGetClassDevsA")),
        callClassInstaller(Lookup<decltype(&SetupDiCallClassInstaller)>(setupapi, "SetupDiCallClassInstaller")),
        enumDeviceInfo(Lookup<decltype(&SetupDiEnumDeviceInfo)>(setupapi, "SetupDiEnumDeviceInfo")),
        getDeviceRegistryProperty(Lookup<decltype(&SetupDiGetDeviceRegistryPropertyA)>(
            setupapi, "SetupDiGetDeviceRegistryPropertyA")),
        getDeviceInstanceId(
            Lookup<decltype(&SetupDiGetDeviceInstanceIdA)>(setupapi, "SetupDiGetDeviceInstanceIdA")),
        deleteDeviceInfo(Lookup<decltype(&SetupDiDeleteDeviceInfo)>(setupapi, "SetupDiDeleteDeviceInfo")),
        destroyDeviceInfoList(
            Lookup<decltype(&SetupDiDestroyDeviceInfoList)>(setupapi, "SetupDiDestroyDeviceInfoList")),
        copyOemInf(Lookup<decltype(&SetupCopyOEMInfA)>(setupapi, "SetupCopyOEMInfA")),
        updateDriver(Lookup<decltype(&UpdateDriverForPlugAndPlayDevicesA)>(newdev,
                                                                           "UpdateDriverForPlugAndPlayDevicesA")),
        locateDevNode(Lookup<decltype(&CM_Locate_DevNode_ExA)>(cfgmgr, "CM_Locate_DevNode_ExA")),
        reenumerateDevNode(Lookup<decltype(&CM_Reenumerate_DevNode_Ex)>(cfgmgr, "CM_Reenumerate_DevNode_Ex")) {}

  Module setupapi;
  Module newdev;
  Module cfgmgr;
  decltype(&SetupDiClassGuidsFromNameA) classGuidsFromName;
  decltype(&SetupDiGetClassDevsA) getClassDevs;
  decltype(&SetupDiCallClassInstaller) callClassInstaller;
  decltype(&SetupDiEnumDeviceInfo) enumDeviceInfo;
  decltype(&SetupDiGetDeviceRegistryPropertyA) getDeviceRegistryProperty;
  decltype(&SetupDiGetDeviceInstanceIdA) getDeviceInstanceId;
  decltype(&SetupDiDeleteDeviceInfo) deleteDeviceInfo;
  decltype(&SetupDiDestroyDeviceInfoList) destroyDeviceInfoList;
  decltype(&SetupCopyOEMInfA) copyOemInf;
  decltype(&UpdateDriverForPlugAndPlayDevicesA) updateDriver;
  decltype(&CM_Locate_DevNode_ExA) locateDevNode;
  decltype(&CM_Reenumerate_DevNode_Ex) reenumerateDevNode;
};

namespace {

class Win32DeviceInfoSet : public sys::DeviceInfoSet {
 public:
  Win32DeviceInfoSet(const Win32DeviceInstallApi::Functions& api, HDEVINFO set) : api_(api), set_(set) {}
  ~Win32DeviceInfoSet() override { api_.destroyDeviceInfoList(set_); }
  Win32DeviceInfoSet(const Win32DeviceInfoSet&) = delete;
  Win32DeviceInfoSet& operator=(const Win32DeviceInfoSet&) = delete;

  uint32_t CallClassInstaller(uint32_t request) override {
    if (!api_.callClassInstaller) return ERROR_PROC_NOT_FOUND;
    return Status(api_.callClassInstaller(request, set_, nullptr));
  }

  uint32_t SelectDevice(uint32_t index) override {
    if (!api_.enumDeviceInfo) return ERROR_PROC_NOT_FOUND;
    device_ = {};
    device_.cbSize = sizeof(SP_DEVINFO_DATA);
    return Status(api_.enumDeviceInfo(set_, index, &device_));
  }

  uint32_t HardwareIds(std::span<char> buffer, uint32_t& required) override {
    if (!api_.getDeviceRegistryProperty) return ERROR_PROC_NOT_FOUND;
    DWORD size = 0;
    BOOL ok = api_.getDeviceRegistryProperty(set_, &device_, SPDRP_HARDWAREID, nullptr,
                                             buffer.empty() ? nullptr : reinterpret_cast<BYTE*>(buffer.data()),
                                             static_cast<DWORD>(buffer.size()), &size);
    uint32_t status = Status(ok);
    required = size;
    return status;
  }

  uint32_t InstanceId(std::span<char> buffer) override {
    if (!api_.getDeviceInstanceId) return ERROR_PROC_NOT_FOUND;
    return Status(api_.getDeviceInstanceId(set_, &device_, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr));
  }

  uint32_t RemoveCurrentDevice() override {
    if (!api_.deleteDeviceInfo) return ERROR_PROC_NOT_FOUND;
    return Status(api_.deleteDeviceInfo(set_, &device_));
  }

 private:
  const Win32DeviceInstallApi::Functions& api_;
  HDEVINFO set_;
  SP_DEVINFO_DATA device_{};
};

}  // namespace

Win32DeviceInstallApi::Win32DeviceInstallApi() = default;
Win32DeviceInstallApi::~Win32DeviceInstallApi() = default;

const Win32DeviceInstallApi::Functions& Win32DeviceInstallApi::Api() {
  if (!functions_) functions_ = std::make_unique<Functions>();
  return *functions_;
}

uint32_t Win32DeviceInstallApi::CountClassGuids(const std::string& className, uint32_t& count) {
  if (!Api().classGuidsFromName) return ERROR_PROC_NOT_FOUND;
  DWORD required = 0;
  uint32_t status = Status(Api().classGuidsFromName(className.c_str(), nullptr, 0, &required));
  count = required;
  return status;
}

uint32_t Win32DeviceInstallApi::OpenAllDevices(std::unique_ptr<sys::DeviceInfoSet>& set) {
  if (!Api().getClassDevs || !Api().destroyDeviceInfoList) return ERROR_PROC_NOT_FOUND;
  HDEVINFO devices = Api().getClassDevs(&kUsbClass, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (devices == INVALID_HANDLE_VALUE) return static_cast<uint32_t>(GetLastError());
  set = std::make_unique<Win32DeviceInfoSet>(Api(), devices);
  return 0;
}

uint32_t Win32DeviceInstallApi::UpdateDriverForDevices(sys::WindowHandle owner, const std::string& hardwareId,
                                                       const std::string& infPath, uint32_t installFlags,
                                                       bool& restartNeeded) {
  restartNeeded = false;
  if (!Api().updateDriver) return ERROR_PROC_NOT_FOUND;
  BOOL reboot = FALSE;
  uint32_t status = Status(Api().updateDriver(reinterpret_cast<HWND>(owner), hardwareId.c_str(), infPath.c_str(),
                                              installFlags, &reboot));
  restartNeeded = reboot != FALSE;
  return status;
}

uint32_t Win32DeviceInstallApi::CopyOemInf(const std::string& infPath, const std::optional<std::string>& mediaLocation,
                                           std::span<char> destination, uint32_t& requiredSize) {
  if (!Api().copyOemInf) return ERROR_PROC_NOT_FOUND;
  DWORD required = 0;
  uint32_t status = Status(Api().copyOemInf(infPath.c_str(), mediaLocation ? mediaLocation->c_str() : nullptr,
                                            SPOST_PATH, 0, destination.data(), static_cast<DWORD>(destination.size()),
                                            &required, nullptr));
  requiredSize = required;
  return status;
}

uint32_t Win32DeviceInstallApi::LocateRootNode(uint32_t& node) {
  if (!Api().locateDevNode) return CR_FAILURE;
  DEVINST root = 0;
  CONFIGRET result = Api().locateDevNode(&root, nullptr, CM_LOCATE_DEVNODE_NORMAL, nullptr);
  node = root;
  return result;
}

uint32_t Win32DeviceInstallApi::ReenumerateNode(uint32_t node) {
  if (!Api().reenumerateDevNode) return CR_FAILURE;
  return Api().reenumerateDevNode(node, 0, nullptr);
}

int32_t Win32DeviceInstallApi::ShowMessageBox(sys::WindowHandle owner, const std::string& text,
                                              const std::string& caption, uint32_t style) {
  return MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}

void Win32DeviceInstallApi::DebugOutput(const std::string& text) { OutputDebugStringA(text.c_str()); }

uint32_t Win32DeviceInstallApi::FullPathName(const std::string& path, std::string& fullPath) {
  DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return static_cast<uint32_t>(GetLastError());
  std::string buffer(size, '\0');
  DWORD length = GetFullPathNameA(path.c_str(), size, buffer.data(), nullptr);
  if (length == 0 || length >= size) return length == 0 ? static_cast<uint32_t>(GetLastError()) : ERROR_BUFFER_OVERFLOW;
  buffer.resize(length);
  fullPath = std::move(buffer);
  return 0;
}

sys::PathKind Win32DeviceInstallApi::PathKindOf(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return sys::PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? sys::PathKind::Directory : sys::PathKind::File;
}

std::optional<std::string> Win32DeviceInstallApi::ModuleString(std::uintptr_t module, uint32_t id) {
  char buffer[260];
  int length = LoadStringA(reinterpret_cast<HINSTANCE>(module), id, buffer, sizeof buffer);
  if (length <= 0) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(length));
}

std::optional<std::string> Win32DeviceInstallApi::SystemMessage(uint32_t code, size_t bufferSize) {
  std::vector<char> buffer(bufferSize);
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer.data(),
                                static_cast<DWORD>(buffer.size()), nullptr);
  if (length == 0) return std::nullopt;
  return std::string(buffer.data(), length);
}

}  // namespace prn::win32
