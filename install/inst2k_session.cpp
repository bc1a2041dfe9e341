#include "install/inst2k_session.h"

#include <array>

#include "sys/win_errors.h"
#include "text/error.h"

namespace prn::install {

namespace {
const sys::Inst2kExports kNoExports;

// The text of a zero-terminated buffer, never reading past its end.
std::string BufferText(const char* buffer, size_t size) {
  size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  return std::string(buffer, length);
}
}  // namespace

Inst2kSession::Inst2kSession(sys::DeviceLibraries& libraries, sys::LastError& lastError,
                             const ustring& libraryPath)
    : lastError_(&lastError), path_(libraryPath) {
  sys::DeviceLibraryLoad load = libraries.Load(libraryPath);
  library_ = std::move(load.library);
  loadError_ = library_ ? 0 : load.error;
  ShowErrorCode(0);
}

Inst2kSession Inst2kSession::Require(sys::DeviceLibraries& libraries, sys::LastError& lastError,
                                     const ustring& libraryPath) {
  Inst2kSession session(libraries, lastError, libraryPath);
  if (!session.Loaded()) throw Error(u"DllNotFound :\r\n" + libraryPath);
  return session;
}

const sys::Inst2kExports& Inst2kSession::Exports() const {
  return library_ ? library_->Exports() : kNoExports;
}

std::optional<Inst2kSession::InstallOutcome> Inst2kSession::Install(const std::string& infPath,
                                                                    const std::string& hardwareId,
                                                                    const std::string& port,
                                                                    sys::WindowHandle owner) {
  const auto& install = Exports().FuncInst2K;
  if (!install) return std::nullopt;
  InstallOutcome outcome;
  outcome.result = install(infPath.c_str(), hardwareId.c_str(), port.c_str(), owner);
  outcome.lastInstallErrorCode = LastInstallErrorCode();
  return outcome;
}

std::optional<Inst2kSession::FoundDevice> Inst2kSession::FindExistDevice(const std::string& hardwareId) {
  const auto& find = Exports().FuncFindExistDevice;
  if (!find) return std::nullopt;
  std::array<char, kFoundIdBufferSize> foundHardwareId{};
  std::array<char, kFoundIdBufferSize> foundInstanceId{};
  FoundDevice device;
  // Only the low byte of the answer counts, as the library's callers have always read it.
  device.found = (find(hardwareId.c_str(), foundHardwareId.data(), foundInstanceId.data()) & 0xFF) != 0;
  device.hardwareId = BufferText(foundHardwareId.data(), foundHardwareId.size());
  device.instanceId = BufferText(foundInstanceId.data(), foundInstanceId.size());
  return device;
}

std::optional<uint32_t> Inst2kSession::IsInlineDeviceExist(sys::WindowHandle owner, const std::string& hardwareId,
                                                           const std::string& infPath, uint32_t installFlags) {
  const auto& probe = Exports().Inst2k_IsInlineDeviceExist;
  if (!probe) return std::nullopt;
  lastError_->Set(0);
  return probe(owner, hardwareId.c_str(), infPath.c_str(), installFlags);
}

std::optional<Inst2kSession::RegisteredInf> Inst2kSession::RegistryInf(
    const std::string& infPath, const std::optional<std::string>& mediaLocation) {
  const auto& registerInf = Exports().Inst2k_RegistryInf;
  if (!registerInf) return std::nullopt;
  std::array<char, kOemInfNameBufferSize> name{};
  lastError_->Set(0);
  RegisteredInf registered;
  registered.succeeded = registerInf(infPath.c_str(), mediaLocation ? mediaLocation->c_str() : nullptr,
                                     name.data(), kOemInfNameBufferSize) != 0;
  if (!registered.succeeded) registered.lastError = lastError_->Get();
  registered.oemInfName = BufferText(name.data(), name.size());
  return registered;
}

std::optional<uint32_t> Inst2kSession::RefreshHW() {
  const auto& refresh = Exports().RefreshHW;
  if (!refresh) return std::nullopt;
  return refresh();
}

bool Inst2kSession::EnableRootID(int32_t enable) {
  const auto& enableRootId = Exports().EnableRootID;
  if (!enableRootId) return false;
  enableRootId(enable);
  return true;
}

bool Inst2kSession::ShowErrorCode(int32_t enable) {
  const auto& showErrorCode = Exports().ShowErrorCode;
  if (!showErrorCode) return false;
  showErrorCode(enable);
  return true;
}

std::optional<uint32_t> Inst2kSession::LastInstallErrorCode() {
  const auto& lastInstallErrorCode = Exports().LastInstallErrorCode;
  if (!lastInstallErrorCode) return std::nullopt;
  return lastInstallErrorCode();
}

}  // namespace prn::install
