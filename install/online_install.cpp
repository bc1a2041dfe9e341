#include "install/online_install.h"

#include "config/install_infos.h"
#include "install/detection_rules.h"
#include "install/device_library_calls.h"
#include "install/host64_launch.h"
#include "install/inst2k_session.h"
#include "sys/system_info.h"
#include "text/error.h"
#include "trace/trace.h"

namespace prn::install {

bool InstallSpecPrinter2k(const sys::Platform& platform, sys::WindowHandle window, uint32_t& errorCode,
                          const ustring& infPath, const ustring& hardwareId, const ustring& inst2kDll,
                          ustring& port) {
  trace::Scope scope(u"InstallSpecPrinter2k");
  // Kept loaded across the device search, so that the error code is read
  // from the load that ran the install.
  Inst2kSession library = Inst2kSession::Require(*platform.deviceLibraries, *platform.lastError, inst2kDll);
  const auto& install = library.Exports().FuncInst2K;
  if (!install) throw Error(kDllFileError);

  ustring foundHardwareId;
  ustring devicePort;
  FindExistDevice(platform, inst2kDll, hardwareId, foundHardwareId, devicePort, true);
  trace::Format(u"檢測打印機聯端口為：%s", {devicePort});
  port = devicePort.empty() ? ustring(u"LPT1:") : devicePort;
  trace::Format(u"確定打印機端口字符串為：%s", {port});

  const sys::CodePage& ansi = *platform.codePage;
  const std::string narrowInf = ansi.ToAnsi(infPath);
  const std::string narrowHardwareId = ansi.ToAnsi(hardwareId);
  const std::string narrowPort = ansi.ToAnsi(port);
  trace::Format(u"參數信息：Inf(%s), HWID(%s), Port(%s)",
                {ansi.FromAnsi(narrowInf), ansi.FromAnsi(narrowHardwareId), ansi.FromAnsi(narrowPort)});
  const int32_t flag = install(narrowInf.c_str(), narrowHardwareId.c_str(), narrowPort.c_str(), window);
  errorCode = GetLastInstallErrorCode(library);
  if (IsInstallFlagSuccess(flag)) {
    trace::Format(u"Inst2k返回安裝成功，標誌 = %d", {flag});
    return true;
  }
  trace::Format(u"Inst2k安裝失敗，標誌 = %d", {flag});
  return false;
}

namespace {

bool InstallOn32BitWindows(const sys::Platform& platform, InstallContext& context,
                           const config::TRInstallInfo& entry) {
  SetShowErrorCode(platform, context.m_strInst2kDll, false);
  trace::Format(u"開始在32位Windows环境下开始安装打印机：%s", {entry.PrinterName});
  const bool installed = InstallSpecPrinter2k(platform, context.m_hWnd, context.m_dwLastErrorCode, entry.INF2K,
                                              entry.PrinterHWID, context.m_strInst2kDll, context.m_strDisConnectPort);
  // The entry's AfterRun is not started here: the success handler runs it,
  // once per successful install, whichever route installed the printer.
  trace::Message(installed ? u"****** InstallSpecPrinter2k聯機安裝已成功完成。******"
                           : u"InstallSpecPrinter2k聯機安裝不成功！！！");
  context.m_InstallingProgress = TInstallProgress::IPInstalled;
  return installed;
}

void InstallOn64BitWindows(const sys::Platform& platform, InstallContext& context,
                           const config::TRInstallInfo& entry) {
  trace::Format(u"開始在64位Windows环境下开始安装打印机：%s", {entry.PrinterName});
  // Only this run's host may stand for an outstanding report; one that does
  // not start leaves it empty, and nothing will be reported.
  context.m_hPrnSetup64.reset();
  InstallSpecPrinter64(platform, context.m_hWnd, context.m_strPrnSetup64Exe, entry.INFX64, entry.PrinterHWID,
                       context.m_strInst2kDll, context.m_strInst2k64Dll, context.m_hPrnSetup64,
                       context.m_strDisConnectPort);
}

}  // namespace

bool PrinterOnLineInstall3264(const sys::Platform& platform, const config::TInstallInfos& settings,
                              InstallContext& context, int index) {
  trace::Scope scope(u"PrinterOnLineInstall3264");
  if (context.m_iWinVer < 50) return false;

  const config::TRInstallInfo entry = settings.GetInfoItem(index);
  context.m_strDisConnectPort.clear();
  SetShowErrorCode(platform, context.m_strInst2kDll, false);
  bool installed = false;
  if (!context.m_bWow64) {
    installed = InstallOn32BitWindows(platform, context, entry);
  } else {
    InstallOn64BitWindows(platform, context, entry);
  }
  context.m_strInstallPortName = context.m_strDisConnectPort;
  return installed;
}

}  // namespace prn::install
