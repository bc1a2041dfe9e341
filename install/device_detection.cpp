#include "install/device_detection.h"

#include "install/detection_rules.h"
#include "install/device_library_calls.h"
#include "install/host64_launch.h"
#include "install/inst2k_session.h"
#include "install/install_context.h"
#include "spooler/printer_queries.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

uint32_t Probe(const sys::Platform& platform, sys::WindowHandle window, const ustring& inst2kDll,
               const ustring& hostPath, const ustring& inst2k64Dll, const ustring& hardwareId,
               const ustring& infPath) {
  Inst2kSession library = Inst2kSession::Require(*platform.deviceLibraries, *platform.lastError, inst2kDll);
  // A library without the probe is damaged; it is never called through a null entry.
  if (!library.Exports().Inst2k_IsInlineDeviceExist) throw Error(kDllFileError);
  platform.lastError->Set(0);
  trace::Format(u"Inf(%s), HWID(%s)", {infPath, hardwareId});
  if (platform.system->Wow64Flag().value_or(false)) {
    return FindInlineDevice64(platform, window, hardwareId, infPath, hostPath, inst2k64Dll, kProbeInstallFlags);
  }
  const sys::CodePage& ansi = *platform.codePage;
  return *library.IsInlineDeviceExist(window, ansi.ToAnsi(hardwareId), ansi.ToAnsi(infPath), kProbeInstallFlags);
}

// Whether an online printer of the model already uses the device's port, or
// any USB port: then the model was installed through plug and play before.
bool ModelAlreadyOnlineOnPort(const sys::Platform& platform, const ustring& printerName, const ustring& devicePort) {
  StringList printers;
  spooler::GetPrinterList(*platform.spooler, &printers);
  trace::Format(u"準備檢查檢測到的端口（%s）是否曾聯機安裝。", {devicePort});
  for (const ustring& printer : printers) {
    if (!EqualsNoCase(spooler::GetPrinterDriverName(*platform.spooler, printer), printerName)) continue;
    const ustring port = spooler::GetPrinterPort(*platform.spooler, *platform.lastError, printer);
    bool online = false;
    spooler::IsPrinterOnline(*platform.spooler, printer, online);
    if (!online) continue;
    if (EqualsNoCase(port, devicePort)) {
      trace::Format(u"打印機（%s）已經使用相同端口，應該已經聯機安裝過。", {printer});
      return true;
    }
    if (port.starts_with(u"USB")) {
      trace::Message(u"當前USB打印機驅動程序聯機，可能曾經聯機安裝過！！！！！！");
      return true;
    }
  }
  return false;
}

}  // namespace

uint32_t ExistReqInlineSetupDevice(const sys::Platform& platform, sys::WindowHandle window,
                                   const ustring& inst2kDll, const ustring& hostPath, const ustring& inst2k64Dll,
                                   const ustring& hardwareId, const ustring& infPath, const ustring& printerName,
                                   bool& driverFoundInstalled) {
  trace::Scope scope(u"ExistReqInlineSetupDevice");
  driverFoundInstalled = false;
  const uint32_t code = Probe(platform, window, inst2kDll, hostPath, inst2k64Dll, hardwareId, infPath);

  uint32_t result = 0;
  switch (ReadProbeCode(code)) {
    case ProbeReading::DriverInPlace:
      trace::Message(u"恭喜，在檢測過程中發現已經完成驅動安裝。");
      driverFoundInstalled = true;
      break;
    case ProbeReading::Attached:
      trace::Format(u"根據檢測到的信息判定設備可能已聯機（0x%x）。", {code});
      break;
    case ProbeReading::NotAttached:
      trace::Format(u"檢測到設備不存在，調用ExistInlineDevice錯誤值：0x%x", {code});
      result = code;
      break;
  }

  if (NeedsFollowUpCheck(code)) {
    ustring foundHardwareId;
    ustring port;
    if (FindExistDevice(platform, inst2kDll, hardwareId, foundHardwareId, port, false) &&
        (port.starts_with(u"USB") || port.starts_with(u"LPT")) &&
        ModelAlreadyOnlineOnPort(platform, printerName, port)) {
      result = ReqOfflineInstall;
    }
  }
  return result;
}

}  // namespace prn::install
