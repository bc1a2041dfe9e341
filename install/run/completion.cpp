// The two ways an install run ends, run on the UI thread: the success
// handler finds and configures the new print queue and tells the user; the
// failure handler turns the run's code into a message and may ask for
// another run.

#include "install/run/install_runner.h"

#include "install/ui_add_printer.h"
#include "config/install_infos.h"
#include "config/str_installer.h"
#include "install/change_printer_info.h"
#include "install/install_context.h"
#include "spooler/printer_update.h"
#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/shell.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kLpt1[] = u"LPT1:";
// Reruns the failure handler starts without asking, per start by the user.
constexpr int kMaxUnaskedRetries = 1;

ustring JoinLines(const StringList& names) {
  ustring text;
  for (const ustring& name : names) text += name + u"\r\n";
  return text;
}

}  // namespace

// The queue the install created: the one the run knows, else the one new
// name, else of several new ones the one on the install's port, else the last.
void InstallRunner::IdentifyNewPrinter() {
  if (!context_.m_strInstallingPrinter.empty()) {
    trace::Message(u"聯機安装打印機，名稱：" + context_.m_strInstallingPrinter);
    return;
  }
  trace::Message(u"安装成功，準備確定打印機名稱。");
  StringList& added = printersAfter_;
  RemoveListed(added, printersBefore_);
  if (added.empty()) {
    trace::Message(u"安装後找不到打印機！");
    return;
  }
  context_.m_strInstallingPrinter = added.back();
  if (added.size() == 1) {
    trace::Message(u"已成功地聯機安装打印機：" + context_.m_strInstallingPrinter);
  } else {
    trace::Message(u"已成功安装多個打印機：" + JoinLines(added));
    for (const ustring& name : added) {
      if (spooler::GetPrinterPort(*platform_.spooler, *platform_.lastError, name) == context_.m_strInstallPortName) {
        context_.m_strInstallingPrinter = name;
        trace::Message(u"正式安裝的打印機副本為：" + name);
        break;
      }
    }
  }
  platform_.lastError->Set(0);
}

void InstallRunner::RunAfterInstall(const config::TRInstallInfo& entry) {
  if (entry.AfterRun.empty() || !platform_.files->FileExists(entry.AfterRun)) return;
  platform_.shell->Execute(window_.Handle(), u"open", entry.AfterRun, u"", u"", sys::kSwShow);
  trace::Message(u"After Run 已創建完成：" + entry.AfterRun);
}

// The window itself comes back only once the run has ended, after this
// handler's box and any retry it asks for.
void InstallRunner::StopInstalling() {
  window_.EnableWatchdog(false);
  context_.m_InstallingProgress = TInstallProgress::IPInstalled;
}

InstalledQueue InstallRunner::InstallSuccPrompt() {
  trace::Scope scope(u"Succ");
  const config::TRInstallInfo entry = Entry();
  const ustring& driver = entry.PrinterName;
  trace::Format(u"已經为驅動【%s】成功地安裝打印機。", {driver});
  printersAfter_ = PrintersOfModel(driver);
  IdentifyNewPrinter();

  const ustring printer = context_.m_strInstallingPrinter;
  trace::Format(u"已安裝：%s, 端口：%s", {printer, context_.m_strInstallPortName});
  sys::Spooler& spooler = *platform_.spooler;
  if (!printer.empty() && !spooler::PrinterExists(spooler, printer)) {
    spooler::AddPrinterOnLpt1(spooler, *platform_.lastError, driver, printer);
    if (!context_.m_strInstallPortName.empty()) spooler::SetPrinterPort(spooler, printer, context_.m_strInstallPortName);
  }
  StopInstalling();

  bool restartNote = false;
  ustring chosenPort;
  if (!printer.empty()) {
    TChangePrinterInfo changes;
    changes.OrgName = printer;
    changes.Port = entry.DefaultPort;
    if (!spooler::PortExists(spooler, changes.Port) && !ContainsNoCase(changes.Port, kAddLocalPrefix)) {
      changes.Port = context_.m_strDisConnectPort;
    }
    changes.bSetDefault = context_.m_bOnlineInstall || entry.AlwaysSetDefault;
    changes.Process = entry.PrintProcess.empty() ? ustring(kWinPrint) : entry.PrintProcess;
    restartNote = !entry.PrintProcess.empty();
    // The entry's paper form reaches the new queue only from the classic window.
    if (Classic()) changes.DefaultForm = entry.DefaultForm;
    chosenPort = changes.Port;
    trace::Format(u"準備為打印機 %s 進行其它設置", {printer}, u"設置");
    ApplyChangePrinterInfo(platform_, changes);
  }
  trace::Format(u"Install PrinterName 为(%s)", {printer}, u"提示");
  RunAfterInstall(entry);

  context_.m_strInstallPortName = spooler::GetPrinterPort(spooler, *platform_.lastError, printer);
  if (context_.m_strInstallPortName.empty()) {
    trace::Format(u"能告訴我爲什麽檢測不到打印機【%s】的端口嗎？錯誤代碼：0x%.8x",
                  {printer, platform_.lastError->Get()});
    context_.m_strInstallPortName = chosenPort.empty() ? ustring(kLpt1) : chosenPort;
  }
  if (!Classic()) window_.ShowFinished();

  // The classic window formats the text only when it has a "%s".
  ustring message = texts_.InstallSuccessStr;
  if (!Classic() || message.find(u"%s") != ustring::npos) {
    message = Format(message, {printer, context_.m_strInstallPortName});
  }
  if (restartNote) message += u"\r\n" + texts_.RestartPrompt;
  platform_.dialogs->ShowMessage(window_.Handle(), message, texts_.NoticeTitle, sys::mb::Ok | sys::mb::IconInformation);
  InstalledQueue installed{printer, context_.m_strInstallPortName};
  context_.m_strInstallingPrinter.clear();
  context_.m_strInstallPortName.clear();
  return installed;
}

Retry InstallRunner::InstallFailPrompt(uint32_t code) {
  trace::Scope scope(u"InstallFail");
  StopInstalling();
  context_.m_dwLastErrorCode = code;
  sys::Dialogs& dialogs = *platform_.dialogs;
  const sys::WindowHandle owner = window_.Handle();

  if (code == winerr::NoSuchDevinst) {
    trace::Message(u"檢測到打印機曾經聯機，但目前已脫機！");
    if (context_.m_strDisConnectPort != kLpt1) {
      const int answer = dialogs.ShowMessage(owner, Format(texts_.InstallOnline, {context_.m_strDisConnectPort}),
                                             texts_.NoticeTitle, sys::mb::YesNoCancel | sys::mb::IconWarning);
      if (answer == sys::mb::IdYes) return Retry::WithPrompt;
      if (answer == sys::mb::IdNo) return Retry::WithoutPrompt;
      return Retry::None;
    }
    if (unaskedRetries_ < kMaxUnaskedRetries) {
      ++unaskedRetries_;
      trace::Message(u"由於檢測到打印機的聯機端口是並口，現直接進入脫機安裝！");
      return Retry::Automatic;
    }
    // The parallel printer is still away after the rerun: the user is told, not left without a word.
    trace::Message(u"並口打印機重新安裝後仍未聯機，不再自動重試。");
  }

  switch (code) {
    case 0:
      return Retry::None;
    case UIAddPrinterFailed:
    case UIAddPrinterNoNewPrinter:
      trace::Message(u"UI添加失敗，原因未知！");
      dialogs.ShowMessage(owner, texts_.InstallFailReasonUnknow + u"\r\n" + texts_.InstallRetry, texts_.NoticeTitle,
                          sys::mb::Ok | sys::mb::IconWarning);
      return Retry::None;
    case winerr::NoCatalogForOemInf:
      trace::Message(u"用戶已選擇取消安裝驅動程序！");
      dialogs.ShowMessage(owner, texts_.InstallCancelStr, texts_.NoticeTitle, sys::mb::Ok);
      return Retry::None;
    default: {
      const ustring systemText = platform_.system->ErrorMessage(code);
      trace::Format(u"注意，安裝出錯了，原因未知。（%.8X）：\r\n%s", {code, systemText});
      dialogs.ShowMessage(owner, Format(texts_.InstallFailStr, {systemText}) + u"\r\n" + texts_.InstallRetry,
                          texts_.NoticeTitle, sys::mb::Ok | sys::mb::IconInformation);
      return Retry::None;
    }
  }
}

StringList InstallRunner::PrintersOfModel(const ustring& model) const {
  StringList printers;
  spooler::GetPrinterList(*platform_.spooler, &printers);
  FilterByPrefix(printers, model);
  return printers;
}

}  // namespace prn::install
