#include "install/ui_add_printer.h"

#include <algorithm>

#include "install/install_context.h"
#include "spooler/print_ui.h"
#include "spooler/printer_queries.h"
#include "sys/processes.h"
#include "sys/system_info.h"
#include "text/ascii.h"
#include "sys/win_errors.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr ustring_view kAddPrinterArguments =
    u" printui.dll,PrintUIEntry /if /b \"%s\" /f \"%s\" /r \"%s\" /m \"%s\" /q";

StringList PrintersOfModel(const sys::Platform& platform, const ustring& printerName) {
  StringList printers;
  spooler::GetPrinterList(*platform.spooler, &printers);
  FilterByPrefix(printers, printerName);
  return printers;
}

// The result of comparing the model's printers before and after the command.
uint32_t NewPrinterOf(StringList after, const StringList& before, ustring& newPrinter,
                      sys::LastError& lastError) {
  if (after.size() != before.size() + 1) return UIAddPrinterFailed;
  RemoveListed(after, before);
  if (after.empty()) {
    trace::Message(u"安装打印機驅動程序及打印機失敗，原因未知！");
    return UIAddPrinterNoNewPrinter;
  }
  newPrinter = after.back();
  trace::Format(u"成功安装打印機驅動程序及打印機：%s <%d>", {newPrinter, after.size()});
  lastError.Set(0);
  return 0;
}

}  // namespace

ustring PrintUiAddPrinterCommand(ustring_view program, const ustring& printerName, const ustring& infPath,
                                 const ustring& port) {
  return ustring(program) + Format(kAddPrinterArguments, {printerName, infPath, port, printerName});
}

uint32_t UIAddPrinter(const sys::Platform& platform, const ustring& printerName, const ustring& infPath,
                      const ustring& port, ustring& newPrinter) {
  trace::Scope scope(u"UIAddPrinter");
  ustring commandText = PrintUiAddPrinterCommand(u"rundll32", printerName, infPath, port);
  trace::Message(u"命令行參數：" + commandText);
  // The command runs elevated: a quote in a name would smuggle in switches of its own.
  if (!spooler::IsQuotableArgument(printerName) || !spooler::IsQuotableArgument(infPath) ||
      !spooler::IsQuotableArgument(port)) {
    trace::Message(u"打印機名稱、Inf路徑或端口含有雙引號或以反斜杠結尾，拒絕執行命令行。");
    return UIAddPrinterFailed;
  }

  StringList before = PrintersOfModel(platform, printerName);
  // rundll32 from the system folder, never one that lies in the package folder.
  ustring program = u"\"" + JoinPath(platform.system->SystemDirectory(), u"rundll32.exe") + u"\"";
  StringList output;
  if (RunCMD(*platform.processes, PrintUiAddPrinterCommand(program, printerName, infPath, port), output) < 0)
    return UIAddPrinterFailed;
  trace::Message(u"RunCMD_pipe函數成功調用返回。");
  return NewPrinterOf(PrintersOfModel(platform, printerName), before, newPrinter, *platform.lastError);
}

}  // namespace prn::install

namespace prn {

void FilterByPrefix(StringList& list, ustring_view prefix) {
  if (prefix.empty()) {
    list.clear();
    return;
  }
  std::erase_if(list, [&](const ustring& item) { return !StartsWithNoCase(item, prefix); });
}

void RemoveListed(StringList& a, const StringList& b) {
  if (a.empty() || b.empty()) return;
  std::erase_if(a, [&](const ustring& item) {
    return std::any_of(b.begin(), b.end(), [&](const ustring& other) { return EqualsNoCase(item, other); });
  });
}

}  // namespace prn
