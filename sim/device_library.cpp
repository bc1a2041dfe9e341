#include "sim/device_library.h"

#include "native/inst2k/inst2k_library.h"
#include "native/inst2k/failure_text.h"
#include "sim/codepage.h"
#include "sim/device_install.h"
#include "sim/files.h"
#include "sim/registry.h"
#include "sim/threads.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

struct SimDeviceLibraries::Module {
  Module(SimDeviceInstallApi& api, inst2k::Inst2kMachine machine, std::uintptr_t handle, bool runsInst2k)
      : devices(api), library(machine, state), runsInst2k(runsInst2k) {
    // What DllMain does on process attach.
    state.ModuleHandle = handle;
    if (runsInst2k) {
      SimDeviceInstallApi::StringTable table;
      for (const auto& entry : inst2k::StringTable()) table[{entry.language, entry.id}] = entry.text;
      devices.RegisterModuleStrings(handle, std::move(table));
    }
  }
  ~Module() { devices.UnregisterModule(state.ModuleHandle); }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  SimDeviceInstallApi& devices;
  inst2k::ModuleState state;
  inst2k::Inst2kLibrary library;
  bool runsInst2k;
};

namespace {

class SimDeviceLibrary : public sys::DeviceLibrary {
 public:
  SimDeviceLibrary(std::shared_ptr<void> module, sys::Inst2kExports exports)
      : module_(std::move(module)), exports_(std::move(exports)) {}
  const sys::Inst2kExports& Exports() const override { return exports_; }

 private:
  std::shared_ptr<void> module_;  // keeps the module loaded
  sys::Inst2kExports exports_;
};

bool RunsInst2k(const ustring& upperPath) {
  ustring name = FileNamePart(upperPath);
  return name == u"INST2K.DLL" || name == u"INST2K64.DLL";
}

// The 64-bit builds are named so (inst2k64.dll); everything else is 32-bit.
bool Is64BitLibrary(const ustring& upperPath) { return upperPath.ends_with(u"64.DLL"); }

}  // namespace

SimDeviceLibraries::SimDeviceLibraries(SimFileSystem& files, SimDeviceInstallApi& devices, SimRegistry& registry,
                                       SimLastError& lastError, const SimCodePage& codePage)
    : files_(files), devices_(devices), registry_(registry), lastError_(lastError), codePage_(codePage) {}

SimDeviceLibraries::~SimDeviceLibraries() = default;

void SimDeviceLibraries::FailLoad(const ustring& path, uint32_t code) {
  std::lock_guard lock(mutex_);
  loadFailures_[AsciiUpper(files_.FullPath(path))] = code;
}

void SimDeviceLibraries::RemoveExport(const ustring& path, const std::string& exportName) {
  std::lock_guard lock(mutex_);
  removedExports_[AsciiUpper(files_.FullPath(path))].insert(exportName);
}

void SimDeviceLibraries::UseOlderEntryName(const ustring& path) {
  std::lock_guard lock(mutex_);
  olderEntryName_.insert(AsciiUpper(files_.FullPath(path)));
}

int SimDeviceLibraries::ActiveLoads(const ustring& path) const {
  std::lock_guard lock(mutex_);
  auto module = modules_.find(AsciiUpper(files_.FullPath(path)));
  return module == modules_.end() ? 0 : static_cast<int>(module->second.use_count());
}

int SimDeviceLibraries::TotalLoads(const ustring& path) const {
  std::lock_guard lock(mutex_);
  auto count = totalLoads_.find(AsciiUpper(files_.FullPath(path)));
  return count == totalLoads_.end() ? 0 : count->second;
}

std::shared_ptr<SimDeviceLibraries::Module> SimDeviceLibraries::ModuleFor(const ustring& key, bool runsInst2k) {
  if (auto loaded = modules_[key].lock()) return loaded;
  inst2k::Inst2kMachine machine{devices_, registry_, lastError_, codePage_};
  auto module = std::make_shared<Module>(devices_, machine, nextModuleHandle_, runsInst2k);
  nextModuleHandle_ += 0x10000;
  modules_[key] = module;
  return module;
}

sys::Inst2kExports SimDeviceLibraries::Bind(Module& module, const ustring& key) const {
  sys::Inst2kExports exports;
  if (!module.runsInst2k) return exports;
  inst2k::Inst2kLibrary* library = &module.library;
  std::set<std::string> removed;
  if (auto found = removedExports_.find(key); found != removedExports_.end()) removed = found->second;
  auto has = [&removed](const char* name) { return removed.count(name) == 0; };

  sys::Inst2kExports::InstallFn install = [library](const char* inf, const char* id, const char* port,
                                                    sys::WindowHandle owner) {
    return library->FuncInst2K(inf, id, port, owner);
  };
  bool older = olderEntryName_.count(key) != 0;
  if (has("FuncInst2K") && !older) exports.FuncInst2K = install;
  if (has("Inst2K") && older) exports.Inst2K = install;
  if (has("FuncFindExistDevice")) {
    exports.FuncFindExistDevice = [library](const char* id, char* foundId, char* foundInstance) {
      return library->FuncFindExistDevice(id, foundId, foundInstance);
    };
  }
  if (has("Inst2k_IsInlineDeviceExist")) {
    exports.Inst2k_IsInlineDeviceExist = [library](sys::WindowHandle owner, const char* id, const char* inf,
                                                   uint32_t flags) {
      return library->Inst2k_IsInlineDeviceExist(owner, id, inf, flags);
    };
  }
  if (has("Inst2k_RegistryInf")) {
    exports.Inst2k_RegistryInf = [library](const char* inf, const char* media, char* name, uint32_t size) {
      return library->Inst2k_RegistryInf(inf, media, name, size);
    };
  }
  if (has("RefreshHW")) exports.RefreshHW = [library] { return library->RefreshHW(); };
  if (has("EnableRootID")) exports.EnableRootID = [library](int32_t on) { library->EnableRootID(on); };
  if (has("SetDebugMode")) exports.SetDebugMode = [library](int32_t on) { library->SetDebugMode(on); };
  if (has("ShowErrorCode")) exports.ShowErrorCode = [library](int32_t on) { library->ShowErrorCode(on); };
  if (has("LastInstallErrorCode")) {
    exports.LastInstallErrorCode = [library] { return library->LastInstallErrorCode(); };
  }
  return exports;
}

sys::DeviceLibraryLoad SimDeviceLibraries::Load(const ustring& fullPath) {
  std::lock_guard lock(mutex_);
  const ustring key = AsciiUpper(files_.FullPath(fullPath));
  if (auto failure = loadFailures_.find(key); failure != loadFailures_.end()) return {nullptr, failure->second};
  if (!files_.FileExists(fullPath)) return {nullptr, winerr::ModNotFound};
  if (Is64BitLibrary(key) != CallerIs64Bit()) return {nullptr, winerr::BadExeFormat};
  ++totalLoads_[key];
  std::shared_ptr<Module> module = ModuleFor(key, RunsInst2k(key));
  sys::Inst2kExports exports = Bind(*module, key);
  return {std::make_unique<SimDeviceLibrary>(std::move(module), std::move(exports)), 0};
}

}  // namespace prn::sim
