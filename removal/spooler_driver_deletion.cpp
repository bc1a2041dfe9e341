#include "removal/spooler_driver_deletion.h"

#include "removal/uninstall_registry.h"
#include "spooler/default_printer.h"
#include "spooler/driver_environment.h"
#include "sys/spooler.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "trace/trace.h"

namespace prn::removal {

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
