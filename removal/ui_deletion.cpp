#include "removal/ui_deletion.h"

#include "app/run_cmd.h"
#include "install/ui_add_printer.h"
#include "removal/uninstall_registry.h"
#include "spooler/driver_environment.h"
#include "spooler/printer_queries.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::removal {

namespace {

constexpr ustring_view kDeletePrinterArguments = u" printui.dll,PrintUIEntry /dl /n \"%s\" /h \"%s\" /q";
constexpr ustring_view kDeleteDriverArguments = u" printui.dll,PrintUIEntry /dd /m \"%s\" /h \"%s\" /q";

// Runs the printer UI's command with rundll32 from the system folder; true
// when the command ran. A name that cannot be quoted safely is not run: the
// command runs elevated.
using CommandBuilder = ustring (*)(ustring_view program, const ustring& name, bool wow64);

bool RunPrintUi(const RemovalContext& context, CommandBuilder command, const ustring& name) {
  if (!install::IsQuotableArgument(name)) {
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

}  // namespace prn::removal
