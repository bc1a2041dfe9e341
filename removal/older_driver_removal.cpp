#include "removal/older_driver_removal.h"

#include "app/restart_windows.h"
#include "config/install_info.h"
#include "config/str_installer.h"
#include "install/installed_driver.h"
#include "removal/delete_printer_and_driver.h"
#include "sys/dialogs.h"
#include "trace/trace.h"

namespace prn::removal {

bool UninstallOlderDriver(const RemovalContext& context, const ustring& driverName, const ustring& packageVersion,
                          const ustring& uninstallKeyName, uint8_t& code) {
  if (packageVersion.empty()) return true;
  StringList printers;
  if (!install::InstalledGpdIsOlder(context.platform, driverName, packageVersion, printers)) return true;
  bool result = true;
  for (const ustring& printer : printers) {
    bool deleteDriver = true;
    code = DeletePrinterAndDriver(context, uninstallKeyName, printer, deleteDriver);
    result = code == deletion::Deleted;
    if (!result) break;
  }
  return result;
}

namespace {

constexpr uint32_t kErrorBox = sys::mb::Ok | sys::mb::IconError;
constexpr uint32_t kQuestionBox = sys::mb::YesNo | sys::mb::IconQuestion;        // 36
constexpr uint32_t kRestartQuestionBox = sys::mb::YesNo | sys::mb::IconInformation;  // 68

// Tells the user why the old driver could not be removed, offering a restart
// when only the driver stayed behind.
BeforeInstallOutcome ReportFailedRemoval(const RemovalContext& context, uint8_t code,
                                         const config::TStrInstaller& texts, sys::WindowHandle owner,
                                         AfterRestartDeclined afterRestartDeclined) {
  sys::Dialogs& dialogs = *context.platform.dialogs;
  BeforeInstallOutcome outcome;
  switch (code) {
    case deletion::PrinterHasJobs:
      trace::Message(u"打印機還有打印任務，不能刪除！");
      dialogs.ShowMessage(owner, texts.DeletePrinterIsPrinting, texts.ErrorTitle, kErrorBox);
      outcome.mayContinue = false;
      break;
    case 2:
    case deletion::PrinterNotDeleted:
      trace::Message(u"刪除打印機過程中出現意外錯誤！");
      dialogs.ShowMessage(owner, texts.DeletePrinterError, texts.ErrorTitle, kErrorBox);
      outcome.mayContinue = false;
      break;
    case deletion::DriverNotDeleted:
      trace::Message(u"已刪除打印機，但不能刪除其驅動程序！");
      if (dialogs.ShowMessage(owner, texts.DeletePrinterDriverError + u"\r\n" + texts.RestartWindowsimmediately,
                              texts.NoticeTitle, kRestartQuestionBox) == sys::mb::IdYes) {
        // Windows restarting: nothing more may run, the install least of all.
        outcome.endApplication = RestartWindows(context.platform);
        outcome.mayContinue = !outcome.endApplication;
      } else {
        outcome.mayContinue = afterRestartDeclined == AfterRestartDeclined::Install;
      }
      break;
    default:
      break;
  }
  return outcome;
}

}  // namespace

BeforeInstallOutcome UninstallBeforeInstall(const RemovalContext& context, const config::TRInstallInfo& entry,
                                            const config::TStrInstaller& texts, sys::WindowHandle owner,
                                            AfterRestartDeclined afterRestartDeclined) {
  BeforeInstallOutcome outcome;
  if (entry.MustUninstallForGDP.empty()) return outcome;
  StringList printers;
  if (!install::InstalledGpdIsOlder(context.platform, entry.PrinterName, entry.MustUninstallForGDP, printers)) {
    return outcome;
  }
  if (context.platform.dialogs->ShowMessage(owner, texts.InstallBeforeNeedUninstall, texts.NoticeTitle,
                                            kQuestionBox) != sys::mb::IdYes) {
    outcome.mayContinue = false;
    return outcome;
  }
  uint8_t code = deletion::Deleted;
  if (UninstallOlderDriver(context, entry.PrinterName, entry.MustUninstallForGDP, texts.OEMManufactor, code)) {
    return outcome;
  }
  return ReportFailedRemoval(context, code, texts, owner, afterRestartDeclined);
}

}  // namespace prn::removal
