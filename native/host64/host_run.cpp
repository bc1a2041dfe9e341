#include "native/host64/host_run.h"

#include "config/profile_store.h"
#include "native/host64/host_arguments.h"
#include "sys/device_library.h"
#include "sys/files.h"
#include "sys/win_errors.h"

namespace prn::host64 {

namespace {

constexpr char16_t kErrorCaption[] = u"错误";
constexpr char16_t kResultSection[] = u"Data";
constexpr uint32_t kDefaultInstallFlags = 4;  // INSTALLFLAG_NONINTERACTIVE

sys::DeviceLibraryLoad OpenLibrary(const HostContext& context, const HostArguments& arguments) {
  // A full path, so that the library is never searched for.
  sys::DeviceLibraryLoad load = context.libraries.Load(context.files.FullPath(arguments.dll));
  if (!load.library) context.ui.ShowErrorBox(u"装载DLL失败！", kErrorCaption);
  return load;
}

void SwitchErrorBoxesOff(const sys::Inst2kExports& exports) {
  if (exports.ShowErrorCode) exports.ShowErrorCode(0);
}

}  // namespace

uint32_t ChooseMessage(int32_t result) { return result <= 1 ? kInstallSucceeded : kInstallFailed; }

void RunFindMode(const HostContext& context, const HostArguments& arguments) {
  const auto flags = static_cast<uint32_t>(
      context.profiles.ReadInteger(arguments.resultFile, kResultSection, u"Flag", kDefaultInstallFlags));
  sys::DeviceLibraryLoad load = OpenLibrary(context, arguments);
  if (!load.library) return;
  const sys::Inst2kExports& exports = load.library->Exports();
  if (!exports.Inst2k_IsInlineDeviceExist) {
    context.ui.ShowErrorBox(u"在DLL中查找不到函數：Inst2k_IsInlineDeviceExist", kErrorCaption);
    return;
  }

  NarrowCopy inf = AnsiNarrowCopy(context.codePage, arguments.inf, kFindCopyBufferSize);
  NarrowCopy hardwareId = AnsiNarrowCopy(context.codePage, arguments.hardwareId, kFindCopyBufferSize);
  uint32_t result = inf.error ? inf.error : hardwareId.error;
  if (result == 0) {
    SwitchErrorBoxesOff(exports);
    result = exports.Inst2k_IsInlineDeviceExist(0, hardwareId.text.c_str(), inf.text.c_str(), flags);
  }
  context.profiles.WriteString(arguments.resultFile, kResultSection, u"Ret", ToDecimal(result));
}

InstallReport RunInstallMode(const HostContext& context, const HostArguments& arguments) {
  sys::DeviceLibraryLoad load = OpenLibrary(context, arguments);
  if (!load.library) return {2, load.error};

  NarrowCopy inf = CrtNarrowCopy(arguments.inf, kInstallCopyBufferSize);
  NarrowCopy hardwareId = CrtNarrowCopy(arguments.hardwareId, kInstallCopyBufferSize);
  if (inf.error || hardwareId.error) return {2, inf.error ? inf.error : hardwareId.error};

  const sys::Inst2kExports& exports = load.library->Exports();
  if (!exports.FuncInst2K) {
    // The older entry name records no code the host could fetch.
    if (exports.Inst2K) {
      return {exports.Inst2K(inf.text.c_str(), hardwareId.text.c_str(), "LPT1:", 0), winerr::ProcNotFound};
    }
    context.ui.ShowErrorBox(u"装载Inst2K()失败！", kErrorCaption);
    return {3, winerr::ProcNotFound};
  }
  SwitchErrorBoxesOff(exports);
  InstallReport report;
  report.result = exports.FuncInst2K(inf.text.c_str(), hardwareId.text.c_str(), "LPT1:", 0);
  report.code = exports.LastInstallErrorCode ? exports.LastInstallErrorCode() : winerr::ProcNotFound;
  return report;
}

int RunHost(const HostContext& context, const HostArguments& arguments) {
  if (arguments.FindMode()) {
    RunFindMode(context, arguments);
    return 0;
  }
  InstallReport report = RunInstallMode(context, arguments);
  if (arguments.window != 0) context.ui.SendToWindow(arguments.window, ChooseMessage(report.result), 0, report.code);
  return 0;
}

}  // namespace prn::host64
