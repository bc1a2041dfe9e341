#include "sys/win32/device_library.h"

#include "sys/win32/handle.h"
#include "sys/win32/text.h"

namespace prn::win32 {

namespace {

HWND Window(sys::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

sys::Inst2kExports::InstallFn BindInstall(HMODULE module, const char* name) {
  auto install = inst2k_abi::Export<inst2k_abi::InstallFn>(module, name);
  if (!install) return {};
  return [install](const char* inf, const char* id, const char* port, sys::WindowHandle owner) {
    return install(inf, id, port, Window(owner));
  };
}

std::function<void(int32_t)> BindSwitch(HMODULE module, const char* name) {
  auto set = inst2k_abi::Export<inst2k_abi::SwitchFn>(module, name);
  if (!set) return {};
  return [set](int32_t enable) { set(enable); };
}

sys::Inst2kExports BindExports(HMODULE module) {
  using namespace inst2k_abi;
  sys::Inst2kExports exports;
  exports.FuncInst2K = BindInstall(module, "FuncInst2K");
  exports.Inst2K = BindInstall(module, "Inst2K");
  if (auto find = Export<FindExistDeviceFn>(module, "FuncFindExistDevice")) {
    exports.FuncFindExistDevice = [find](const char* id, char* foundId, char* foundInstance) {
      return find(id, foundId, foundInstance);
    };
  }
  if (auto probe = Export<IsInlineDeviceExistFn>(module, "Inst2k_IsInlineDeviceExist")) {
    exports.Inst2k_IsInlineDeviceExist = [probe](sys::WindowHandle owner, const char* id, const char* inf,
                                                 uint32_t flags) { return probe(Window(owner), id, inf, flags); };
  }
  if (auto registerInf = Export<RegistryInfFn>(module, "Inst2k_RegistryInf")) {
    exports.Inst2k_RegistryInf = [registerInf](const char* inf, const char* media, char* name, uint32_t size) {
      return registerInf(inf, media, name, size);
    };
  }
  if (auto refresh = Export<RefreshFn>(module, "RefreshHW")) exports.RefreshHW = [refresh] { return refresh(); };
  exports.EnableRootID = BindSwitch(module, "EnableRootID");
  exports.SetDebugMode = BindSwitch(module, "SetDebugMode");
  exports.ShowErrorCode = BindSwitch(module, "ShowErrorCode");
  if (auto code = Export<LastErrorCodeFn>(module, "LastInstallErrorCode")) {
    exports.LastInstallErrorCode = [code] { return code(); };
  }
  return exports;
}

class Win32DeviceLibrary : public sys::DeviceLibrary {
 public:
  explicit Win32DeviceLibrary(Module module) : module_(std::move(module)), exports_(BindExports(module_.Get())) {}
  const sys::Inst2kExports& Exports() const override { return exports_; }

 private:
  Module module_;
  sys::Inst2kExports exports_;
};

}  // namespace

sys::DeviceLibraryLoad Win32DeviceLibraries::Load(const ustring& fullPath) {
  Module module(LoadLibraryExW(W(fullPath), nullptr, 0));
  if (!module) return {nullptr, static_cast<uint32_t>(GetLastError())};
  return {std::make_unique<Win32DeviceLibrary>(std::move(module)), 0};
}

}  // namespace prn::win32
