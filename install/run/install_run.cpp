#include "install/run/install_run.h"

#include "app/list_filters.h"
#include "config/install_infos.h"
#include "config/str_installer.h"
#include "install/buffer_driver_files.h"
#include "install/device_detection.h"
#include "install/host_report.h"
#include "install/online_install.h"
#include "install/pl_error_code.h"
#include "install/ui_add_printer.h"
#include "removal/older_driver_removal.h"
#include "spooler/printer_queries.h"
#include "spooler/usb_ports.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/win_errors.h"
#include "text/error.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kLpt1[] = u"LPT1:";
// Reruns the failure handler starts without asking, per start by the user.
constexpr int kMaxUnaskedRetries = 1;

const char16_t* Flag(bool value) { return value ? u"-1" : u"0"; }

StringList PrintersOfModel(sys::Spooler& spooler, const ustring& model) {
  StringList printers;
  spooler::GetPrinterList(spooler, &printers);
  FilterByPrefix(printers, model);
  return printers;
}

}  // namespace

void InstallRun::Execute(bool prompt) {
  const bool classic = run_.policy.host == InstallHost::ClassicWindow;
  int unasked = 0;
  Retry retry = classic ? Guarded(prompt, &InstallRun::InstallSelectPrinter)
                        : Guarded(prompt, &InstallRun::DoInstallSelectPrinter);
  while (retry != Retry::None) {
    if (retry == Retry::Automatic && ++unasked > kMaxUnaskedRetries) break;
    const bool again = retry == Retry::WithPrompt;
    trace::Message(u"重新開始安裝。");
    retry = classic ? Guarded(again, &InstallRun::InstallSelectPrinter)
                    : Guarded(again, &InstallRun::DoInstallSelectPrinter);
  }
  if (!classic) run_.window->CloseProgress();
}

Retry InstallRun::Guarded(bool prompt, Retry (InstallRun::*step)(bool)) {
  errorText_.clear();
  try {
    return (this->*step)(prompt);
  } catch (const Error& error) {
    errorText_ = error.Text();
  } catch (const std::exception& error) {
    errorText_ = FromUtf8(error.what());
  }
  // The user sees why, and gets the window back; no completion ran.
  run_.hostReport->Disarm();
  run_.window->StopWatchdog();
  run_.context->m_InstallingProgress = TInstallProgress::IPInstalled;
  if (run_.policy.host == InstallHost::ClassicWindow) run_.window->RestoreControls();
  run_.platform.dialogs->ShowMessage(run_.window->Handle(), errorText_, run_.texts->ErrorTitle,
                                     sys::mb::Ok | sys::mb::IconError);
  return Retry::None;
}

Retry InstallRun::InstallSelectPrinter(bool prompt) {
  trace::Scope scope(u"InstallSelectPrinter");
  InstallContext& context = *run_.context;
  if (context.m_iSelect < 0) return Retry::None;
  const config::TRInstallInfo entry = run_.settings->GetInfoItem(context.m_iSelect);
  const sys::WindowHandle owner = run_.window->Handle();

  const removal::BeforeInstallOutcome check = removal::UninstallBeforeInstall(
      {run_.platform, context.m_bWow64}, entry, *run_.texts, owner, removal::AfterRestartDeclined::DoNotInstall);
  if (check.endApplication) {
    // Windows restarts: nothing new is started beneath it.
    run_.window->EndApplication();
    return Retry::None;
  }
  if (!check.mayContinue) return Retry::None;

  trace::Format(u"准备安装%d#打印机：%s", {context.m_iSelect, entry.PrinterName}, u"准备安装");
  trace::Format(u"系统版本号：%d，64位标志：%s", {context.m_iWinVer, Flag(context.m_bWow64)}, u"准备安装");
  RefreshSystemHW_Thread(refresh_, run_.platform, context.m_strInst2kDll);
  if (prompt && !entry.QuiteMode &&
      run_.platform.dialogs->ShowMessage(owner, run_.texts->BeforeInstallPrompt, run_.texts->NoticeTitle,
                                         sys::mb::YesNo | sys::mb::IconQuestion) != sys::mb::IdYes) {
    return Retry::None;
  }
  run_.window->DisableControls();
  if (entry.ForceOnlineCheck) run_.window->ShowSearchWindow();
  context.m_InstallingProgress = TInstallProgress::IPInstalling;

  const Retry retry = DoInstallSelectPrinter(prompt);
  if (!context.m_bWow64) {
    context.m_InstallingProgress = TInstallProgress::IPInstalled;
    run_.window->RestoreControls();
  }
  return retry;
}

Retry InstallRun::DoInstallSelectPrinter(bool) {
  trace::Scope scope(u"DoInstallSelectPrinter");
  InstallContext& context = *run_.context;
  const bool classic = run_.policy.host == InstallHost::ClassicWindow;
  trace::Format(u"準備安裝索引號爲%d的打印機。", {context.m_iSelect});
  if (!classic) context.m_InstallingProgress = TInstallProgress::IPInstalling;
  finalCode_ = 0;
  installed_ = {};
  bool succeeded = false;
  ustring port = kLpt1;
  const config::TRInstallInfo entry = run_.settings->GetInfoItem(context.m_iSelect);

  run_.printersAfter->clear();
  *run_.printersBefore = PrintersOfModel(*run_.platform.spooler, entry.PrinterName);
  context.m_strInstallingPrinter.clear();

  const ustring inf = context.m_bWow64 ? entry.INFX64 : entry.INF2K;
  if (!run_.platform.files->FileExists(inf)) throw Error(run_.texts->FileOrPathNotExist + u"\r\n" + inf);
  StagingContext staging{run_.platform,         run_.settings,  context.m_iSelect,     run_.texts->OEMManufactor,
                         context.m_strInst2kDll, run_.window->Handle(), context.m_bWow64, run_.policy.infChoice};
  ustring oemInf;
  if (!BufferDriverFiles(staging, oemInf)) return StagingFailed(1);

  bool finished = false;
  uint32_t result = ExistReqInlineSetupDevice(run_.platform, run_.window->Handle(), context.m_strInst2kDll,
                                              context.m_strPrnSetup64Exe, context.m_strInst2k64Dll,
                                              entry.PrinterHWID, inf, entry.PrinterName, finished);
  if (result == ReqOfflineInstall) {
    trace::Message(u"注意：由於出現ReqOfflineInstall錯誤，聯機安裝進程重新開始！");
    if (!BufferDriverFiles(staging, oemInf)) return StagingFailed(2);
    finished = false;
  }
  context.m_bOnlineInstall = false;

  if (result != 0) {
    port = PortForAbsentPrinter(entry, result);
  } else if (finished) {
    if (FindNewPrinterOfModel()) {
      trace::Format(u"***在檢測過程中已經安裝完成（%s）<%d>，直接將條件填寫好，進入成功流程。***",
                    {context.m_strInstallingPrinter, static_cast<int>(run_.printersAfter->size())});
      succeeded = true;
      context.m_bOnlineInstall = true;
    } else {
      trace::Message(u"檢測到打印機已成功聯機安裝，但是沒有發現新增的打印機實例，接下来会進行脫機安裝。");
      finished = false;
    }
  } else {
    trace::Format(u"++++++ 檢測到打印機（%s）當前已聯機，即將進行聯機安裝。++++++", {entry.PrinterName});
    Retry retry = Retry::None;
    const std::optional<bool> installed = InstallOnline(retry);
    if (!installed) return retry;
    succeeded = *installed;
    finished = *installed;
    context.m_bOnlineInstall = *installed;
    if (!*installed) trace::Message(u"由於聯機安裝失敗，接著使用脫機安裝！");
  }

  if (!context.m_bOnlineInstall && !finished) {
    succeeded = InstallOffline(entry, oemInf, port);
    finished = succeeded;
  }
  trace::Format(u"///安裝進程完成，狀態信息：InstallFinish(%s), InstSucc(%s), OnlineInstall(%s)。///",
                {Flag(finished), Flag(succeeded), Flag(context.m_bOnlineInstall)});
  return succeeded && finished ? Succeed() : Fail(context.m_dwLastErrorCode);
}

ustring InstallRun::PortForAbsentPrinter(const config::TRInstallInfo& entry, uint32_t result) {
  trace::Format(run_.policy.detectionCodeInHex ? u"IsInlineDeviceExist返回了一種異常情況，ErrCode=%x"
                                               : u"IsInlineDeviceExist返回了一種異常情況，ErrCode=%d",
                {result});
  if (result != winerr::NoSuchDevinst && result != winerr::NoDriverSelected) return kLpt1;
  // A printer of the model on a USB port that no queue uses yet.
  const ustring port = spooler::GetOnlineUSBPortForNotInstallDriver(
      *run_.platform.usb, *run_.platform.spooler, *run_.platform.lastError, *run_.platform.codePage,
      entry.PrinterName, entry.PrinterHWID);
  return port.empty() ? ustring(kLpt1) : port;
}

bool InstallRun::InstallOffline(const config::TRInstallInfo& entry, const ustring& oemInf, const ustring& port) {
  InstallContext& context = *run_.context;
  trace::Message(u"沒有設置聯機安裝和安裝完成標誌，即將進行脫機安裝！");
  context.m_dwLastErrorCode =
      UIAddPrinter(run_.platform, entry.PrinterName, oemInf, port, context.m_strInstallingPrinter);
  context.m_bOnlineInstall = false;
  if (context.m_dwLastErrorCode != 0 || context.m_strInstallingPrinter.empty()) {
    trace::Message(Format(u"注意：脫機安裝失敗！！！(0x%x)", {context.m_dwLastErrorCode}) + entry.PrinterName);
    return false;
  }
  context.m_strInstallPortName = port;
  return true;
}

std::optional<bool> InstallRun::InstallOnline(Retry& retry) {
  InstallContext& context = *run_.context;
  if (!context.m_bWow64) return PrinterOnLineInstall3264(run_.platform, *run_.settings, context, context.m_iSelect);

  // The host reports to the window; the report is awaited before it starts,
  // so that a quick host is not missed.
  HostReport& report = *run_.hostReport;
  report.Arm();
  context.enableSetup64Watchdog = [window = run_.window] { window->StartWatchdog(); };
  PrinterOnLineInstall3264(run_.platform, *run_.settings, context, context.m_iSelect);
  context.enableSetup64Watchdog = nullptr;
  if (!context.m_hPrnSetup64) {
    report.Disarm();
    // A host that did not start is the run's failure, with the system's reason.
    if (context.m_dwHostStartError) {
      retry = Fail(context.m_dwHostStartError);
      return std::nullopt;
    }
    return false;
  }
  report.Attach(std::move(context.m_hPrnSetup64));
  const HostOutcome outcome = report.Wait();
  run_.window->StopWatchdog();
  switch (outcome.kind) {
    case HostOutcome::Kind::Installed:
      return true;
    case HostOutcome::Kind::Failed:
      context.m_dwLastErrorCode = outcome.code;
      // A printer that went away is the user's to reconnect: ask before going offline.
      if (outcome.code == winerr::NoSuchDevinst) {
        retry = Fail(outcome.code);
        return std::nullopt;
      }
      return false;
    case HostOutcome::Kind::EndedSilently:
      trace::Message(u"64位安裝進程已結束，但沒有報告結果。");
      // A new queue of the model says that the host installed.
      if (FindNewPrinterOfModel()) return true;
      // Its end is the only report a window without host messages gets.
      if (!run_.policy.takesHostMessages) return false;
      retry = Fail(UIAddPrinterFailed);
      return std::nullopt;
    case HostOutcome::Kind::Abandoned:
      return std::nullopt;
    case HostOutcome::Kind::NoAnswer:
      trace::Message(u"64位安裝進程長時間沒有回應。");
      retry = Fail(winerr::Timeout);
      return std::nullopt;
  }
  return false;
}

bool InstallRun::FindNewPrinterOfModel() {
  const config::TRInstallInfo entry = run_.settings->GetInfoItem(run_.context->m_iSelect);
  StringList& after = *run_.printersAfter;
  after = PrintersOfModel(*run_.platform.spooler, entry.PrinterName);
  RemoveListed(after, *run_.printersBefore);
  if (after.empty()) return false;
  run_.context->m_strInstallingPrinter = after.back();
  return true;
}

Retry InstallRun::StagingFailed(int attempt) {
  const bool classic = run_.policy.host == InstallHost::ClassicWindow;
  if (attempt == 1) {
    trace::Message(classic ? u"注意：註冊Inf文件失敗<1>，可能是用戶取消安裝！"
                           : u"注意：註冊Inf文件失敗，可能是用戶取消安裝！");
  } else {
    trace::Message(classic ? u"注意：註冊Inf文件失敗<2>，可能是用戶取消安裝！ byby"
                           : u"注意：註冊Inf文件失敗，可能是用戶取消安裝！ byby");
  }
  if (!run_.policy.stagingFailureReported) {
    run_.context->m_InstallingProgress = TInstallProgress::IPInstalled;
    return Retry::None;
  }
  return Fail(winerr::NoCatalogForOemInf);
}

Retry InstallRun::Succeed() {
  ++completions_;
  finalCode_ = 0;
  installed_ = InstallSuccPrompt(run_);
  return Retry::None;
}

Retry InstallRun::Fail(uint32_t code) {
  ++completions_;
  finalCode_ = code;
  return InstallFailPrompt(run_, code);
}

}  // namespace prn::install
