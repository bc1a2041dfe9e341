// One install run on the runner's worker: the classic window's checks, then
// staging, the probe and one route to a completion.

#include "install/ui_add_printer.h"
#include "config/install_infos.h"
#include "config/str_installer.h"
#include "install/buffer_driver_files.h"
#include "install/device_detection.h"
#include "install/online_install.h"
#include "install/install_context.h"
#include "install/run/install_runner.h"
#include "install/older_driver_removal.h"
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

const char16_t* Flag(bool value) { return value ? u"-1" : u"0"; }

}  // namespace

Retry InstallRunner::InstallSelectPrinter(bool prompt) {
  trace::Scope scope(u"InstallSelectPrinter");
  if (context_.m_iSelect < 0) return Retry::None;
  const config::TRInstallInfo entry = Entry();
  const sys::WindowHandle owner = context_.m_hWnd;

  // Older drivers go first; their questions and reports are boxes of the window.
  const install::BeforeInstallOutcome check = install::UninstallBeforeInstall(
      {platform_, context_.m_bWow64}, entry, texts_, owner, install::AfterRestartDeclined::DoNotInstall);
  if (check.endApplication) {
    // Windows restarts: nothing new is started beneath it.
    ui_.Post([this] { window_.EndApplication(); });
    return Retry::None;
  }
  if (!check.mayContinue) return Retry::None;

  trace::Format(u"准备安装%d#打印机：%s", {context_.m_iSelect, entry.PrinterName}, u"准备安装");
  trace::Format(u"系统版本号：%d，64位标志：%s", {context_.m_iWinVer, Flag(context_.m_bWow64)}, u"准备安装");
  RefreshSystemHW_Thread(refresh_, platform_, context_.m_strInst2kDll);
  if (prompt && !entry.QuiteMode &&
      platform_.dialogs->ShowMessage(owner, texts_.BeforeInstallPrompt, texts_.NoticeTitle,
                                     sys::mb::YesNo | sys::mb::IconQuestion) != sys::mb::IdYes) {
    return Retry::None;
  }
  if (entry.ForceOnlineCheck) ui_.Call([this] { window_.ShowSearchWindow(); return true; });
  context_.m_InstallingProgress = TInstallProgress::IPInstalling;

  const Retry retry = DoInstallSelectPrinter(prompt);
  if (!context_.m_bWow64) context_.m_InstallingProgress = TInstallProgress::IPInstalled;
  return retry;
}

Retry InstallRunner::DoInstallSelectPrinter(bool) {
  trace::Scope scope(u"DoInstallSelectPrinter");
  trace::Format(u"準備安裝索引號爲%d的打印機。", {context_.m_iSelect});
  if (!Classic()) context_.m_InstallingProgress = TInstallProgress::IPInstalling;
  finalCode_ = 0;
  installed_ = {};
  bool succeeded = false;
  ustring port = kLpt1;
  const config::TRInstallInfo entry = Entry();

  printersAfter_.clear();
  printersBefore_ = PrintersOfModel(entry.PrinterName);
  context_.m_strInstallingPrinter.clear();
  // A port found by an earlier run says nothing about this one.
  context_.m_strDisConnectPort.clear();

  const ustring inf = context_.m_bWow64 ? entry.INFX64 : entry.INF2K;
  if (!platform_.files->FileExists(inf)) throw Error(texts_.FileOrPathNotExist + u"\r\n" + inf);
  // Classic window: the system-store copy of the INF; progress window: the staged copy.
  const StagingContext staging{platform_,
                               &settings_,
                               context_.m_iSelect,
                               texts_.OEMManufactor,
                               context_.m_strInst2kDll,
                               context_.m_hWnd,
                               context_.m_bWow64,
                               Classic() ? InfChoice::SystemStoreCopy : InfChoice::StagedCopy};
  ustring oemInf;
  if (!BufferDriverFiles(staging, oemInf)) return StagingFailed(1);

  bool finished = false;
  const uint32_t result =
      ExistReqInlineSetupDevice(platform_, context_.m_hWnd, context_.m_strInst2kDll, context_.m_strPrnSetup64Exe,
                                context_.m_strInst2k64Dll, entry.PrinterHWID, inf, entry.PrinterName, finished);
  if (result == ReqOfflineInstall) {
    trace::Message(u"注意：由於出現ReqOfflineInstall錯誤，聯機安裝進程重新開始！");
    if (!BufferDriverFiles(staging, oemInf)) return StagingFailed(2);
    finished = false;
  }
  context_.m_bOnlineInstall = false;

  if (result != 0) {
    port = PortForAbsentPrinter(entry, result);
  } else if (finished) {
    if (FindNewPrinterOfModel()) {
      trace::Format(u"***在檢測過程中已經安裝完成（%s）<%d>，直接將條件填寫好，進入成功流程。***",
                    {context_.m_strInstallingPrinter, static_cast<int>(printersAfter_.size())});
      succeeded = true;
      context_.m_bOnlineInstall = true;
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
    context_.m_bOnlineInstall = *installed;
    if (!*installed) trace::Message(u"由於聯機安裝失敗，接著使用脫機安裝！");
  }

  if (!context_.m_bOnlineInstall && !finished) {
    succeeded = InstallOffline(entry, oemInf, port);
    finished = succeeded;
  }
  trace::Format(u"///安裝進程完成，狀態信息：InstallFinish(%s), InstSucc(%s), OnlineInstall(%s)。///",
                {Flag(finished), Flag(succeeded), Flag(context_.m_bOnlineInstall)});
  return succeeded && finished ? Succeed() : Fail(context_.m_dwLastErrorCode);
}

ustring InstallRunner::PortForAbsentPrinter(const config::TRInstallInfo& entry, uint32_t result) {
  trace::Format(Classic() ? u"IsInlineDeviceExist返回了一種異常情況，ErrCode=%x"
                          : u"IsInlineDeviceExist返回了一種異常情況，ErrCode=%d",
                {result});
  if (result != winerr::NoSuchDevinst && result != winerr::NoDriverSelected) return kLpt1;
  // A printer of the model on a USB port that no queue uses yet.
  const ustring port = spooler::GetOnlineUSBPortForNotInstallDriver(
      *platform_.usb, *platform_.spooler, *platform_.lastError, *platform_.codePage, entry.PrinterName,
      entry.PrinterHWID);
  return port.empty() ? ustring(kLpt1) : port;
}

bool InstallRunner::InstallOffline(const config::TRInstallInfo& entry, const ustring& oemInf, const ustring& port) {
  trace::Message(u"沒有設置聯機安裝和安裝完成標誌，即將進行脫機安裝！");
  context_.m_dwLastErrorCode =
      UIAddPrinter(platform_, entry.PrinterName, oemInf, port, context_.m_strInstallingPrinter);
  context_.m_bOnlineInstall = false;
  if (context_.m_dwLastErrorCode != 0 || context_.m_strInstallingPrinter.empty()) {
    trace::Message(Format(u"注意：脫機安裝失敗！！！(0x%x)", {context_.m_dwLastErrorCode}) + entry.PrinterName);
    return false;
  }
  context_.m_strInstallPortName = port;
  return true;
}

std::optional<bool> InstallRunner::InstallOnline(Retry& retry) {
  if (!context_.m_bWow64) return PrinterOnLineInstall3264(platform_, settings_, context_, context_.m_iSelect);
  // The report is awaited before the host starts, so that a quick host is not missed.
  report_.Arm();
  PrinterOnLineInstall3264(platform_, settings_, context_, context_.m_iSelect);
  if (!context_.m_hPrnSetup64) {
    // A host that did not start reports nothing: the offline route follows.
    report_.Disarm();
    return false;
  }
  ui_.Post([this] { window_.EnableWatchdog(true); });
  report_.Attach(std::move(context_.m_hPrnSetup64));
  return AwaitHost(retry);
}

// The host answers the window with 0x402 or 0x401, or just ends; a host that
// is still installing is waited for, never ended.
std::optional<bool> InstallRunner::AwaitHost(Retry& retry) {
  const HostOutcome outcome = report_.Wait();
  ui_.Post([this] { window_.EnableWatchdog(false); });
  switch (outcome.kind) {
    case HostOutcome::Kind::Installed:
      return true;
    case HostOutcome::Kind::Failed:
      context_.m_dwLastErrorCode = outcome.code;
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
      if (!Classic()) return false;
      retry = Fail(UIAddPrinterFailed);
      return std::nullopt;
    case HostOutcome::Kind::Abandoned:
      return std::nullopt;
  }
  return false;
}

bool InstallRunner::FindNewPrinterOfModel() {
  printersAfter_ = PrintersOfModel(Entry().PrinterName);
  RemoveListed(printersAfter_, printersBefore_);
  if (printersAfter_.empty()) return false;
  context_.m_strInstallingPrinter = printersAfter_.back();
  return true;
}

Retry InstallRunner::StagingFailed(int attempt) {
  if (attempt == 1) {
    trace::Message(Classic() ? u"注意：註冊Inf文件失敗<1>，可能是用戶取消安裝！"
                             : u"注意：註冊Inf文件失敗，可能是用戶取消安裝！");
  } else {
    trace::Message(Classic() ? u"注意：註冊Inf文件失敗<2>，可能是用戶取消安裝！ byby"
                             : u"注意：註冊Inf文件失敗，可能是用戶取消安裝！ byby");
  }
  // The classic window tells the user "cancelled"; the progress window just ends.
  if (!Classic()) {
    context_.m_InstallingProgress = TInstallProgress::IPInstalled;
    return Retry::None;
  }
  return Fail(winerr::NoCatalogForOemInf);
}

}  // namespace prn::install
