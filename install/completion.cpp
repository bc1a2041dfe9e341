#include "install/completion.h"

#include "app/list_filters.h"
#include "config/install_infos.h"
#include "config/str_installer.h"
#include "install/change_printer_info.h"
#include "install/pl_error_code.h"
#include "spooler/lpt1_queue.h"
#include "spooler/ports.h"
#include "spooler/printer_queries.h"
#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/last_error.h"
#include "sys/shell.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr char16_t kLpt1[] = u"LPT1:";

StringList PrintersOfModel(sys::Spooler& spooler, const ustring& model) {
  StringList printers;
  spooler::GetPrinterList(spooler, &printers);
  FilterByPrefix(printers, model);
  return printers;
}

ustring JoinLines(const StringList& names) {
  ustring text;
  for (const ustring& name : names) text += name + u"\r\n";
  return text;
}

// The queue the install created: the one the run knows, else the one new
// name, else of several new ones the one on the install's port, else the last.
void IdentifyNewPrinter(const InstallServices& run) {
  InstallContext& context = *run.context;
  if (!context.m_strInstallingPrinter.empty()) {
    trace::Message(u"聯機安装打印機，名稱：" + context.m_strInstallingPrinter);
    return;
  }
  trace::Message(u"安装成功，準備確定打印機名稱。");
  StringList& added = *run.printersAfter;
  RemoveListed(added, *run.printersBefore);
  if (added.empty()) {
    trace::Message(u"安装後找不到打印機！");
    return;
  }
  context.m_strInstallingPrinter = added.back();
  if (added.size() == 1) {
    trace::Message(u"已成功地聯機安装打印機：" + context.m_strInstallingPrinter);
  } else {
    trace::Message(u"已成功安装多個打印機：" + JoinLines(added));
    for (const ustring& name : added) {
      if (spooler::GetPrinterPort(*run.platform.spooler, *run.platform.lastError, name) ==
          context.m_strInstallPortName) {
        context.m_strInstallingPrinter = name;
        trace::Message(u"正式安裝的打印機副本為：" + name);
        break;
      }
    }
  }
  run.platform.lastError->Set(0);
}

TChangePrinterInfo SuccessChanges(const InstallServices& run, const config::TRInstallInfo& entry,
                                  const ustring& printer, bool& restartNote) {
  TChangePrinterInfo info;
  info.OrgName = printer;
  info.Port = entry.DefaultPort;
  if (!spooler::PortExists(*run.platform.spooler, info.Port) && !ContainsNoCase(info.Port, kAddLocalPrefix)) {
    info.Port = run.context->m_strDisConnectPort;
  }
  info.bSetDefault = run.context->m_bOnlineInstall || entry.AlwaysSetDefault;
  info.Process = entry.PrintProcess.empty() ? ustring(kWinPrint) : entry.PrintProcess;
  restartNote = !entry.PrintProcess.empty();
  if (run.policy.appliesDefaultForm) info.DefaultForm = entry.DefaultForm;
  return info;
}

void RunAfterInstall(const InstallServices& run, const config::TRInstallInfo& entry) {
  if (entry.AfterRun.empty() || !run.platform.files->FileExists(entry.AfterRun)) return;
  run.platform.shell->Execute(run.window->Handle(), u"open", entry.AfterRun, u"", u"", sys::kSwShow);
  trace::Message(u"After Run 已創建完成：" + entry.AfterRun);
}

void RestoreWindow(const InstallServices& run) {
  if (run.policy.host == InstallHost::ClassicWindow) {
    run.window->RestoreControls();
    run.window->StopWatchdog();
  }
  run.context->m_InstallingProgress = TInstallProgress::IPInstalled;
}

}  // namespace

InstalledQueue InstallSuccPrompt(const InstallServices& run) {
  trace::Scope scope(u"Succ");
  InstallContext& context = *run.context;
  const config::TRInstallInfo entry = run.settings->GetInfoItem(context.m_iSelect);
  const ustring& driver = entry.PrinterName;
  trace::Format(u"已經为驅動【%s】成功地安裝打印機。", {driver});
  *run.printersAfter = PrintersOfModel(*run.platform.spooler, driver);
  IdentifyNewPrinter(run);

  const ustring printer = context.m_strInstallingPrinter;
  trace::Format(u"已安裝：%s, 端口：%s", {printer, context.m_strInstallPortName});
  sys::Spooler& spooler = *run.platform.spooler;
  if (!printer.empty() && !spooler::PrinterExists(spooler, printer)) {
    spooler::AddPrinterOnLpt1(spooler, *run.platform.lastError, driver, printer);
    if (!context.m_strInstallPortName.empty()) spooler::SetPrinterPort(spooler, printer, context.m_strInstallPortName);
  }
  RestoreWindow(run);

  bool restartNote = false;
  ustring chosenPort;
  if (!printer.empty()) {
    const TChangePrinterInfo changes = SuccessChanges(run, entry, printer, restartNote);
    chosenPort = changes.Port;
    trace::Format(u"準備為打印機 %s 進行其它設置", {printer}, u"設置");
    ApplyChangePrinterInfo(run.platform, changes);
  }
  trace::Format(u"Install PrinterName 为(%s)", {printer}, u"提示");
  RunAfterInstall(run, entry);

  context.m_strInstallPortName = spooler::GetPrinterPort(spooler, *run.platform.lastError, printer);
  if (context.m_strInstallPortName.empty()) {
    trace::Format(u"能告訴我爲什麽檢測不到打印機【%s】的端口嗎？錯誤代碼：0x%.8x",
                  {printer, run.platform.lastError->Get()});
    context.m_strInstallPortName = chosenPort.empty() ? ustring(kLpt1) : chosenPort;
  }
  if (run.policy.host == InstallHost::ProgressWindow) run.window->ShowFinished();

  const config::TStrInstaller& texts = *run.texts;
  ustring message = texts.InstallSuccessStr;
  if (run.policy.formatsSuccessTextAlways || message.find(u"%s") != ustring::npos) {
    message = Format(message, {printer, context.m_strInstallPortName});
  }
  if (restartNote) message += u"\r\n" + texts.RestartPrompt;
  run.platform.dialogs->ShowMessage(run.window->Handle(), message, texts.NoticeTitle,
                                    sys::mb::Ok | sys::mb::IconInformation);
  InstalledQueue installed{printer, context.m_strInstallPortName};
  context.m_strInstallingPrinter.clear();
  context.m_strInstallPortName.clear();
  return installed;
}

Retry InstallFailPrompt(const InstallServices& run, uint32_t code) {
  trace::Scope scope(u"InstallFail");
  RestoreWindow(run);
  InstallContext& context = *run.context;
  context.m_dwLastErrorCode = code;
  const config::TStrInstaller& texts = *run.texts;
  sys::Dialogs& dialogs = *run.platform.dialogs;
  const sys::WindowHandle owner = run.window->Handle();

  switch (code) {
    case 0:
      return Retry::None;
    case UIAddPrinterFailed:
    case UIAddPrinterNoNewPrinter:
      trace::Message(u"UI添加失敗，原因未知！");
      dialogs.ShowMessage(owner, texts.InstallFailReasonUnknow + u"\r\n" + texts.InstallRetry, texts.NoticeTitle,
                          sys::mb::Ok | sys::mb::IconWarning);
      return Retry::None;
    case winerr::NoSuchDevinst: {
      trace::Message(u"檢測到打印機曾經聯機，但目前已脫機！");
      if (context.m_strDisConnectPort == kLpt1) {
        trace::Message(u"由於檢測到打印機的聯機端口是並口，現直接進入脫機安裝！");
        return Retry::Automatic;
      }
      const int answer = dialogs.ShowMessage(owner, Format(texts.InstallOnline, {context.m_strDisConnectPort}),
                                             texts.NoticeTitle, sys::mb::YesNoCancel | sys::mb::IconWarning);
      if (answer == sys::mb::IdYes) return Retry::WithPrompt;
      if (answer == sys::mb::IdNo) return Retry::WithoutPrompt;
      return Retry::None;
    }
    case winerr::NoCatalogForOemInf:
      trace::Message(u"用戶已選擇取消安裝驅動程序！");
      dialogs.ShowMessage(owner, texts.InstallCancelStr, texts.NoticeTitle, sys::mb::Ok);
      return Retry::None;
    default: {
      const ustring systemText = run.platform.system->ErrorMessage(code);
      trace::Format(u"注意，安裝出錯了，原因未知。（%.8X）：\r\n%s", {code, systemText});
      dialogs.ShowMessage(owner, Format(texts.InstallFailStr, {systemText}) + u"\r\n" + texts.InstallRetry,
                          texts.NoticeTitle, sys::mb::Ok | sys::mb::IconInformation);
      return Retry::None;
    }
  }
}

}  // namespace prn::install
