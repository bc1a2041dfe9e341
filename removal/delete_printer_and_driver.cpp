#include "removal/delete_printer_and_driver.h"

#include "removal/uninstall_registry.h"
#include "spooler/printer_update.h"
#include "spooler/print_ui.h"
#include "spooler/printer_queries.h"
#include "sys/win_errors.h"
#include "sys/spooler.h"
#include "sys/system_info.h"
#include "sys/system_queries.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::removal {

RemovalContext::RemovalContext(sys::Platform machine) : platform(machine), wow64(sys::IsWow64(*machine.system)) {}

namespace {

constexpr size_t kDriverNameLimit = 256;

// Sets the queue's status value; false when it cannot be opened or set.
bool SetQueueStatus(sys::Spooler& spooler, const ustring& printerName, uint32_t status) {
  sys::PRINTER_DEFAULTSW defaults;
  defaults.DesiredAccess = sys::spool::PrinterAllAccess;
  auto printer = spooler.OpenPrinterHandle(printerName, &defaults);
  return printer && printer->SetQueueStatus(status);
}

bool DeleteDriver(const RemovalContext& context, const ustring& driverName, const ustring& uninstallKeyName) {
  ustring deletedDriver;
  UIDeletePrinterDriver(context, driverName, uninstallKeyName, deletedDriver);
  if (deletedDriver == driverName) return true;
  trace::Message(u"調用系統UI刪除失敗，正準備使用其他方法重試！");
  return DelSpecPrnDrv(context, driverName, uninstallKeyName);
}

}  // namespace

uint8_t DeletePrinterAndDriver(const RemovalContext& context, const ustring& uninstallKeyName,
                               const ustring& printerName, bool& deleteDriver) {
  trace::Scope scope(u"DeletePrinterAndDriver");
  sys::Spooler& spooler = *context.platform.spooler;
  if (spooler::GetPrinterJobs(spooler, printerName) >= 1) return deletion::PrinterHasJobs;

  sys::PRINTER_INFO_2W info;
  bool driverShared = false;
  spooler::GetPrinterInfo(spooler, printerName, info, driverShared);
  const ustring driverName = info.pDriverName.substr(0, kDriverNameLimit);

  // A printer that is offline takes no new jobs while it is being deleted;
  // one that stays is given back the status it had.
  const bool setOffline = SetQueueStatus(spooler, printerName, sys::spool::StatusOffline);
  if (!setOffline) trace::Message(u"不能將打印機設置為脫機：" + printerName);
  ustring deletedPrinter;
  UIDeletePrinter(context, printerName, deletedPrinter);
  if (deletedPrinter != printerName) {
    trace::Message(u"刪除打印機失敗：" + printerName);
    if (setOffline && !SetQueueStatus(spooler, printerName, info.Status)) {
      trace::Message(u"不能恢復打印機的狀態：" + printerName);
    }
    return deletion::PrinterNotDeleted;
  }
  ustring newDefault;
  ResetDefaultPrinter(context, newDefault);

  // Without a driver name there is no driver of this printer to delete.
  if (!deleteDriver || driverShared || driverName.empty()) return deletion::Deleted;
  if (DeleteDriver(context, driverName, uninstallKeyName)) return deletion::Deleted;
  deleteDriver = false;
  trace::Format(u"刪除驅動程序（%s）出錯！", {driverName});
  return deletion::DriverNotDeleted;
}

void ResetDefaultPrinter(const RemovalContext& context, ustring& newDefault) {
  newDefault.clear();
  sys::Spooler& spooler = *context.platform.spooler;
  ustring previous;
  if (!spooler::GetDefaultPrinterName(spooler, previous)) {
    const uint32_t error = context.platform.lastError->Get();
    if (error != winerr::FileNotFound) {
      trace::Format(u"GetDefaultPrinter Fail, Error Code :0x%.8x", {error});
      return;
    }
  }
  StringList printers;
  spooler::GetPrinterList(spooler, &printers);
  if (printers.empty() || spooler::PrinterExists(spooler, previous)) return;
  if (spooler::SetDefaultPrinterName(spooler, printers.front())) newDefault = printers.front();
}

namespace {

constexpr ustring_view kDeletePrinterArguments = u" printui.dll,PrintUIEntry /dl /n \"%s\" /h \"%s\" /q";
constexpr ustring_view kDeleteDriverArguments = u" printui.dll,PrintUIEntry /dd /m \"%s\" /h \"%s\" /q";

// Runs the printer UI's command with rundll32 from the system folder; true
// when the command ran. A name that cannot be quoted safely is not run: the
// command runs elevated.
using CommandBuilder = ustring (*)(ustring_view program, const ustring& name, bool wow64);

bool RunPrintUi(const RemovalContext& context, CommandBuilder command, const ustring& name) {
  if (!spooler::IsQuotableArgument(name)) {
    trace::Format(u"名稱（%s）含有雙引號或以反斜杠結尾，拒絕執行命令行。", {name});
    return false;
  }
  const sys::Platform& platform = context.platform;
  const ustring program = u"\"" + JoinPath(platform.system->SystemDirectory(), u"rundll32.exe") + u"\"";
  StringList output;
  if (RunCMD(*platform.processes, command(program, name, context.wow64), output) < 0) return false;
  trace::Message(u"RunCMD_pipe函數成功調用返回。");
  return true;
}

}  // namespace

ustring PrintUiDeletePrinterCommand(ustring_view program, const ustring& printerName, bool wow64) {
  return ustring(program) + Format(kDeletePrinterArguments, {printerName, spooler::PrintUiArchitecture(wow64)});
}

ustring PrintUiDeleteDriverCommand(ustring_view program, const ustring& driverName, bool wow64) {
  return ustring(program) + Format(kDeleteDriverArguments, {driverName, spooler::PrintUiArchitecture(wow64)});
}

void UIDeletePrinter(const RemovalContext& context, const ustring& printerName, ustring& deletedName) {
  trace::Scope scope(u"UIDeletePrinter");
  deletedName.clear();
  if (!RunPrintUi(context, PrintUiDeletePrinterCommand, printerName)) return;
  if (spooler::PrinterExists(*context.platform.spooler, printerName)) return;
  deletedName = printerName;
  trace::Message(u"成功刪除打印機。" + printerName);
  context.platform.lastError->Set(0);
}

void UIDeletePrinterDriver(const RemovalContext& context, const ustring& driverName,
                           const ustring& uninstallKeyName, ustring& deletedName) {
  sys::SystemInfo& system = *context.platform.system;
  system.Sleep(10);
  system.Sleep(100);
  system.Sleep(10);
  trace::Scope scope(u"UIDeletePrinterDriver");
  deletedName.clear();
  if (!RunPrintUi(context, PrintUiDeleteDriverCommand, driverName)) return;
  if (spooler::PrinterDriverExists(*context.platform.spooler, driverName,
                                   spooler::DriverEnvironment(context.wow64))) {
    trace::Message(u"卸載驅動程序失敗：" + deletedName);
    return;
  }
  deletedName = driverName;
  trace::Message(u"成功刪除驅動程序。" + driverName);
  context.platform.lastError->Set(0);
  if (!uninstallKeyName.empty()) DelRegUninstallInfo(context, driverName, uninstallKeyName);
}

namespace {

// Before Windows 2000 the spooler knows only the plain deletion.
bool DeleteOnOldWindows(const sys::Platform& platform, const ustring& driverName) {
  if (platform.spooler->RemoveDriver(u"", u"", driverName, 0, 0)) return true;  // no WOW64 there
  trace::Format(u"DeletePrinterDriver Failt, LastError = 0x%.8x", {platform.lastError->Get()});
  return false;
}

bool DeleteWithUnusedFiles(const sys::Platform& platform, const ustring& environment, const ustring& driverName) {
  auto attempt = [&] {
    return spooler::DeletePrinterDriverExW(*platform.spooler, u"", environment, driverName,
                                           sys::spool::DeleteUnusedFiles, 0);
  };
  if (attempt()) return true;
  trace::Format(u"DeletePrinterDriverEx Failt <1>, LastError = 0x%.8x", {platform.lastError->Get()});
  platform.system->Sleep(0);
  platform.system->Sleep(1000);
  platform.system->Sleep(100);
  if (attempt()) return true;
  trace::Format(u"DeletePrinterDriverEx Failt <2> After Sleep(1000), LastError = 0x%.8x",
                {platform.lastError->Get()});
  return false;
}

}  // namespace

bool DelSpecPrnDrv(const RemovalContext& context, const ustring& driverName, const ustring& uninstallKeyName) {
  trace::Enter(u"DelSpecPrnDrv");
  const sys::Platform& platform = context.platform;
  const auto version = platform.system->Version();
  const bool oldWindows = version && version->major < 5;
  const bool deleted = oldWindows ? DeleteOnOldWindows(platform, driverName)
                                  : DeleteWithUnusedFiles(platform, spooler::DriverEnvironment(context.wow64),
                                                          driverName);
  if (!deleted) {
    return false;
  }
  if (!uninstallKeyName.empty()) {
    trace::Message(u"準備刪除註冊表(registry)中的信息！ ............");
    DelRegUninstallInfo(context, driverName, uninstallKeyName);
  }
  trace::Leave(u"DelSpecPrnDrv");
  return true;
}

}  // namespace prn::removal
