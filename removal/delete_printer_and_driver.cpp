#include "removal/delete_printer_and_driver.h"

#include "removal/reset_default_printer.h"
#include "removal/spooler_driver_deletion.h"
#include "removal/ui_deletion.h"
#include "spooler/printer_jobs.h"
#include "spooler/printer_queries.h"
#include "sys/spooler.h"
#include "trace/trace.h"

namespace prn::removal {

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

}  // namespace prn::removal
