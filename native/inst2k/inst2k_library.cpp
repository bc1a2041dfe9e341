#include "native/inst2k/inst2k_library.h"

#include <array>
#include <cstring>

#include "native/inst2k/failure_text.h"
#include "native/inst2k/inst2k_strings.h"
#include "sys/device_install_api.h"
#include "sys/win_errors.h"

namespace prn::inst2k {

namespace {

constexpr const char* kUpdateDriverLabel = "Update Driver For PlugAndPlay Devices";
constexpr const char* kUpdateDriverFailed = "Update Driver For PlugAndPlay Devices fail !!!";
// "Update Driver For PlugAndPlay Devices 聯機安裝成功，需要啟動Windows。" and
// "… 聯機安裝成功。", in code page 936 whatever the system's code page is.
constexpr const char* kInstalledRestartNeeded =
    "Update Driver For PlugAndPlay Devices "
    "\xC2\x93\x99" "C" "\xB0\xB2\xD1" "b" "\xB3\xC9\xB9\xA6\xA3\xAC\xD0\xE8\xD2\xAA\x86\xA2\x84\xD3"
    "Windows\xA1\xA3";
constexpr const char* kInstalled =
    "Update Driver For PlugAndPlay Devices "
    "\xC2\x93\x99" "C" "\xB0\xB2\xD1" "b" "\xB3\xC9\xB9\xA6\xA1\xA3";

}  // namespace

std::string Inst2kLibrary::LoadModuleString(uint32_t id) {
  std::string text = machine_.devices.ModuleString(state_.ModuleHandle, id).value_or(std::string());
  return FitAnsi(machine_.codePage, text, kStringBufferSize);
}

void Inst2kLibrary::ShowDebugEntryBox(const char* text) {
  if (state_.DebugMode) machine_.devices.ShowMessageBox(state_.OwnerWindow, text, "debug", sys::devinst::MbOk);
}

uint32_t Inst2kLibrary::ReportFailure(const std::string& label, sys::WindowHandle owner) {
  const uint32_t code = machine_.lastError.Get();
  state_.LastErrorCode = code;
  if (state_.ShowErrorBoxes) {
    // The composed text already carries the system text; the box shows it once.
    auto systemText = machine_.devices.SystemMessage(code, kSystemTextBufferSize);
    std::string pattern = LoadModuleString(systemText ? IDS_FAIL_WITH_SYSTEM_TEXT : IDS_FAIL_WITH_CODE);
    std::string text = ComposeFailureText(machine_.codePage, pattern, label, systemText, code);
    std::string caption = LoadModuleString(IDS_ERROR_CAPTION);
    machine_.devices.ShowMessageBox(owner ? owner : state_.OwnerWindow, text, caption,
                                    sys::devinst::MbIconError);
  }
  machine_.lastError.Set(code);
  return code;
}

bool Inst2kLibrary::CheckInf(const std::string& infPath, std::string& fullPath) {
  if (machine_.devices.FullPathName(infPath, fullPath) != 0) return false;
  if (fullPath.size() >= kInfPathBufferSize) return false;
  return machine_.devices.PathKindOf(fullPath) == sys::PathKind::File;
}

int32_t Inst2kLibrary::FuncInst2K(const char* infPath, const char* hardwareId, const char* /*port*/,
                                  sys::WindowHandle owner) {
  state_.OwnerWindow = owner;
  ShowDebugEntryBox("Inst2K()<<<<<<");

  const std::string inf = infPath ? infPath : "";
  std::string fullInfPath;
  if (!CheckInf(inf, fullInfPath)) {
    if (state_.ShowErrorBoxes) {
      machine_.devices.ShowMessageBox(state_.OwnerWindow, inf, LoadModuleString(IDS_INF_NOT_FOUND),
                                      sys::devinst::MbIconWarning);
    }
    return 2;
  }
  state_.RootIdEnabled = 0;

  // The hardware ID has to fit the library's buffer; a longer one is refused
  // rather than cut, since a cut ID would install for other devices.
  if (!hardwareId || std::strlen(hardwareId) >= kHardwareIdBufferSize) {
    machine_.lastError.Set(winerr::InvalidParameter);
    return 2;
  }
  machine_.devices.DebugOutput(hardwareId);
  machine_.devices.DebugOutput(fullInfPath);

  bool restartNeeded = false;
  uint32_t status = machine_.devices.UpdateDriverForDevices(state_.OwnerWindow, hardwareId, fullInfPath,
                                                            sys::devinst::InstallFlagForce, restartNeeded);
  if (status != 0) {
    machine_.devices.DebugOutput(kUpdateDriverFailed);
    machine_.lastError.Set(status);
    if (status == winerr::NoAssociatedService) return -1;
    ReportFailure(kUpdateDriverLabel, 0);
    return 2;
  }
  machine_.devices.DebugOutput(restartNeeded ? kInstalledRestartNeeded : kInstalled);
  return restartNeeded ? 1 : 0;
}

uint32_t Inst2kLibrary::Inst2k_IsInlineDeviceExist(sys::WindowHandle owner, const char* hardwareId,
                                                   const char* infPath, uint32_t installFlags) {
  if (!hardwareId || !infPath) {
    machine_.lastError.Set(winerr::InvalidParameter);
    return winerr::InvalidParameter;
  }
  bool restartNeeded = false;
  uint32_t status =
      machine_.devices.UpdateDriverForDevices(owner, hardwareId, infPath, installFlags, restartNeeded);
  if (status != 0) machine_.lastError.Set(status);
  return status;
}

int32_t Inst2kLibrary::Inst2k_RegistryInf(const char* infPath, const char* mediaLocation, char* oemInfName,
                                          uint32_t oemInfNameSize) {
  if (!infPath) {
    machine_.lastError.Set(winerr::InvalidParameter);
    return 0;
  }
  std::array<char, kOemInfNameBufferSize> name{};
  uint32_t requiredSize = 0;
  std::optional<std::string> media;
  if (mediaLocation) media = mediaLocation;
  uint32_t status = machine_.devices.CopyOemInf(infPath, media, name, requiredSize);
  if (status != 0) {
    machine_.lastError.Set(status);
    return 0;
  }
  if (oemInfName && requiredSize < oemInfNameSize && requiredSize <= name.size()) {
    size_t length = strnlen(name.data(), name.size() - 1);
    std::memcpy(oemInfName, name.data(), length);
    oemInfName[length] = '\0';
  }
  return 1;
}

uint32_t Inst2kLibrary::RefreshHW() {
  uint32_t root = 0;
  uint32_t result = machine_.devices.LocateRootNode(root);
  if (result != sys::devinst::CrSuccess) return result;
  return machine_.devices.ReenumerateNode(root);
}

}  // namespace prn::inst2k
