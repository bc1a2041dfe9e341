#include "sim/device_install.h"

#include <algorithm>
#include <cstring>

#include "sim/codepage.h"
#include "sim/device_tree.h"
#include "sim/files.h"
#include "sim/inf_store.h"
#include "sim/threads.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {

constexpr uint32_t kRootNode = 1;

// A device set: the devices recorded when it was opened, in tree order.
class SimDeviceInfoSet : public sys::DeviceInfoSet {
 public:
  SimDeviceInfoSet(SimDeviceTree& tree) : tree_(tree) {
    for (const auto& device : tree.Devices()) instanceIds_.push_back(device.instanceId);
  }

  uint32_t CallClassInstaller(uint32_t /*request*/) override {
    ++tree_.classInstallerRequests;
    return 0;
  }

  uint32_t SelectDevice(uint32_t index) override {
    if (index >= instanceIds_.size()) {
      current_.reset();
      return tree_.enumerationFailure ? tree_.enumerationFailure : winerr::NoMoreItems;
    }
    current_ = index;
    return 0;
  }

  uint32_t HardwareIds(std::span<char> buffer, uint32_t& required) override {
    const SimDevice* device = Current();
    if (!device) return winerr::InvalidParameter;
    if (device->propertyFailure) return device->propertyFailure;
    if (device->hardwareIds.empty()) return winerr::InvalidData;
    std::string list;
    for (const auto& id : device->hardwareIds) list += id + '\0';
    list += '\0';
    required = static_cast<uint32_t>(list.size());
    if (buffer.size() < list.size()) return winerr::InsufficientBuffer;
    std::memcpy(buffer.data(), list.data(), list.size());
    return 0;
  }

  uint32_t InstanceId(std::span<char> buffer) override {
    const SimDevice* device = Current();
    if (!device) return winerr::InvalidParameter;
    const std::string& id = device->instanceId;
    if (buffer.size() < id.size() + 1) return winerr::InsufficientBuffer;
    std::memcpy(buffer.data(), id.c_str(), id.size() + 1);
    return 0;
  }

  uint32_t RemoveCurrentDevice() override {
    if (!current_) return winerr::InvalidParameter;
    instanceIds_.erase(instanceIds_.begin() + *current_);
    current_.reset();
    return 0;
  }

 private:
  const SimDevice* Current() const { return current_ ? tree_.Find(instanceIds_[*current_]) : nullptr; }

  SimDeviceTree& tree_;
  std::vector<std::string> instanceIds_;
  std::optional<size_t> current_;
};

std::map<uint32_t, ustring> StandardSystemMessages() {
  return {
      {winerr::FileNotFound, u"The system cannot find the file specified.\r\n"},
      {winerr::AccessDenied, u"Access is denied.\r\n"},
      {winerr::InvalidParameter, u"The parameter is incorrect.\r\n"},
      {winerr::InsufficientBuffer, u"The data area passed to a system call is too small.\r\n"},
      {winerr::NoMoreItems, u"No more data is available.\r\n"},
      {winerr::NoSuchDevinst, u"The device instance does not exist in the hardware tree.\r\n"},
      {winerr::NoAssociatedService,
       u"The installation failed because a function driver was not specified for this device instance.\r\n"},
      {winerr::NoCatalogForOemInf,
       u"The third-party INF does not contain digital signature information.\r\n"},
  };
}

}  // namespace

SimDeviceInstallApi::SimDeviceInstallApi(SimDeviceTree& tree, SimInfStore& infStore, SimFileSystem& files,
                                         const SimCodePage& codePage, const sys::SystemInfo& system)
    : tree_(tree), infStore_(infStore), files_(files), codePage_(codePage), system_(system),
      systemMessages_(StandardSystemMessages()) {}

std::vector<SimDeviceInstallApi::MessageBoxRecord> SimDeviceInstallApi::MessageBoxes() const {
  std::lock_guard lock(mutex_);
  return messageBoxes_;
}

std::vector<std::string> SimDeviceInstallApi::DebugLines() const {
  std::lock_guard lock(mutex_);
  return debugLines_;
}

void SimDeviceInstallApi::RegisterModuleStrings(std::uintptr_t module, StringTable table) {
  std::lock_guard lock(mutex_);
  moduleStrings_[module] = std::move(table);
}

void SimDeviceInstallApi::UnregisterModule(std::uintptr_t module) {
  std::lock_guard lock(mutex_);
  moduleStrings_.erase(module);
}

void SimDeviceInstallApi::SetSystemMessage(uint32_t code, ustring text) {
  std::lock_guard lock(mutex_);
  systemMessages_[code] = std::move(text);
}

uint32_t SimDeviceInstallApi::CountClassGuids(const std::string& className, uint32_t& count) {
  count = EqualsNoCase(className, "USB") ? tree_.usbClassGuids : 0;
  return count > 0 ? winerr::InsufficientBuffer : 0;
}

uint32_t SimDeviceInstallApi::OpenAllDevices(std::unique_ptr<sys::DeviceInfoSet>& set) {
  if (tree_.openFailure) return tree_.openFailure;
  set = std::make_unique<SimDeviceInfoSet>(tree_);
  return 0;
}

uint32_t SimDeviceInstallApi::UpdateDriverForDevices(sys::WindowHandle owner, const std::string& hardwareId,
                                                     const std::string& infPath, uint32_t installFlags,
                                                     bool& restartNeeded) {
  if (system_.Wow64Flag().value_or(false) && !CallerIs64Bit()) {
    restartNeeded = false;
    return winerr::InWow64;
  }
  ustring path = codePage_.FromAnsi(infPath);
  bool infExists = !path.empty() && files_.FileExists(files_.FullPath(path));
  // Windows ranks drivers by what they are, not by how their INF's path is
  // spelt: the staged INF and its copy in the INF store are one driver.
  auto sameDriver = [&](const std::string& installedInf) {
    ustring installed = files_.FullPath(codePage_.FromAnsi(installedInf));
    ustring offered = files_.FullPath(path);
    std::string installedText, offeredText;
    if (files_.ReadFile(installed, installedText) == 0 && files_.ReadFile(offered, offeredText) == 0) {
      return installedText == offeredText;
    }
    return EqualsNoCase(installed, offered);
  };
  return tree_.UpdateDriver(owner, hardwareId, infPath, infExists, installFlags, restartNeeded, sameDriver);
}

uint32_t SimDeviceInstallApi::CopyOemInf(const std::string& infPath, const std::optional<std::string>& mediaLocation,
                                         std::span<char> destination, uint32_t& requiredSize) {
  std::optional<ustring> media;
  if (mediaLocation) media = codePage_.FromAnsi(*mediaLocation);
  ustring stored;
  ustring source = codePage_.FromAnsi(infPath);
  if (source.empty()) return winerr::FileNotFound;
  if (uint32_t status = infStore_.Copy(files_.FullPath(source), media, stored)) return status;
  std::string name = codePage_.ToAnsi(stored);
  requiredSize = static_cast<uint32_t>(name.size() + 1);
  if (destination.size() < name.size() + 1) return winerr::InsufficientBuffer;
  std::memcpy(destination.data(), name.c_str(), name.size() + 1);
  return 0;
}

uint32_t SimDeviceInstallApi::LocateRootNode(uint32_t& node) {
  if (tree_.locateResult != sys::devinst::CrSuccess) return tree_.locateResult;
  node = kRootNode;
  return sys::devinst::CrSuccess;
}

uint32_t SimDeviceInstallApi::ReenumerateNode(uint32_t node) {
  if (node != kRootNode) return sys::devinst::CrFailure;
  if (tree_.duringReenumeration) tree_.duringReenumeration();
  ++tree_.reenumerations;
  return tree_.reenumerateResult;
}

int32_t SimDeviceInstallApi::ShowMessageBox(sys::WindowHandle owner, const std::string& text,
                                            const std::string& caption, uint32_t style) {
  std::lock_guard lock(mutex_);
  messageBoxes_.push_back({owner, codePage_.FromAnsi(text), codePage_.FromAnsi(caption), style});
  return 1;  // IDOK
}

void SimDeviceInstallApi::DebugOutput(const std::string& text) {
  std::lock_guard lock(mutex_);
  debugLines_.push_back(text);
}

uint32_t SimDeviceInstallApi::FullPathName(const std::string& path, std::string& fullPath) {
  if (path.empty()) return winerr::InvalidName;
  fullPath = codePage_.ToAnsi(files_.FullPath(codePage_.FromAnsi(path)));
  return 0;
}

sys::PathKind SimDeviceInstallApi::PathKindOf(const std::string& path) {
  ustring widePath = codePage_.FromAnsi(path);
  if (files_.DirectoryExists(widePath)) return sys::PathKind::Directory;
  if (files_.FileExists(widePath)) return sys::PathKind::File;
  return sys::PathKind::Missing;
}

std::optional<std::string> SimDeviceInstallApi::ModuleString(std::uintptr_t module, uint32_t id) {
  std::lock_guard lock(mutex_);
  auto table = moduleStrings_.find(module);
  if (table == moduleStrings_.end()) return std::nullopt;
  // The system's language first, else the table's English.
  for (uint16_t language : {uiLanguage_, uint16_t{1033}}) {
    auto text = table->second.find({language, id});
    if (text != table->second.end()) return codePage_.ToAnsi(text->second);
  }
  return std::nullopt;
}

std::optional<std::string> SimDeviceInstallApi::SystemMessage(uint32_t code, size_t bufferSize) {
  std::lock_guard lock(mutex_);
  auto text = systemMessages_.find(code);
  if (text == systemMessages_.end()) return std::nullopt;
  std::string narrow = codePage_.ToAnsi(text->second);
  if (narrow.size() + 1 > bufferSize) return std::nullopt;
  return narrow;
}

}  // namespace prn::sim
