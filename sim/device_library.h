#pragma once
// Loading the device-install library on the simulated machine. A file named
// inst2k.dll or inst2k64.dll runs the library's own logic against the
// machine's devices and registry; any other existing file loads without
// exports. Loads of the same path share one module state while they overlap,
// as a real module does, and the state starts afresh once the last load has
// gone. A path can be made to fail loading or to lack exports. A library of
// the other bitness than the caller's (inst2k64.dll in the 32-bit installer,
// see sim_caller.h) fails with ERROR_BAD_EXE_FORMAT, as LoadLibrary does.

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "sys/device_library.h"

namespace prn::sim {

class SimCodePage;
class SimDeviceInstallApi;
class SimFileSystem;
class SimLastError;
class SimRegistry;

class SimDeviceLibraries : public sys::DeviceLibraries {
 public:
  SimDeviceLibraries(SimFileSystem& files, SimDeviceInstallApi& devices, SimRegistry& registry,
                     SimLastError& lastError, const SimCodePage& codePage);
  ~SimDeviceLibraries() override;

  void FailLoad(const ustring& path, uint32_t code);
  // Makes the library at this path lack the named export ("FuncInst2K", …).
  void RemoveExport(const ustring& path, const std::string& exportName);
  // Gives the library at this path the older entry name "Inst2K" instead of "FuncInst2K".
  void UseOlderEntryName(const ustring& path);

  // How many loads of this path are active now, and how many there were.
  int ActiveLoads(const ustring& path) const;
  int TotalLoads(const ustring& path) const;

  sys::DeviceLibraryLoad Load(const ustring& fullPath) override;

 private:
  struct Module;

  std::shared_ptr<Module> ModuleFor(const ustring& key, bool runsInst2k);
  sys::Inst2kExports Bind(Module& module, const ustring& key) const;

  SimFileSystem& files_;
  SimDeviceInstallApi& devices_;
  SimRegistry& registry_;
  SimLastError& lastError_;
  const SimCodePage& codePage_;
  std::map<ustring, uint32_t> loadFailures_;
  std::map<ustring, std::set<std::string>> removedExports_;
  std::set<ustring> olderEntryName_;
  std::map<ustring, std::weak_ptr<Module>> modules_;
  std::map<ustring, int> totalLoads_;
  std::uintptr_t nextModuleHandle_ = 0x10000000;
  mutable std::mutex mutex_;
};

}  // namespace prn::sim
