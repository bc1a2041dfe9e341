#include "sys/win32/winspool_api.h"

#include "sys/win32/hardening.h"

namespace prn::win32 {

namespace {
template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
  function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
}  // namespace

WinspoolApi::WinspoolApi() : module(LoadSystemLibrary(L"winspool.drv")) {
  HMODULE m = module.Get();
  Resolve(m, "EnumPrintersW", EnumPrintersW);
  Resolve(m, "EnumPrinterDriversW", EnumPrinterDriversW);
  Resolve(m, "EnumPortsW", EnumPortsW);
  Resolve(m, "EnumJobsW", EnumJobsW);
  Resolve(m, "OpenPrinterW", OpenPrinterW);
  Resolve(m, "ClosePrinter", ClosePrinter);
  Resolve(m, "GetPrinterW", GetPrinterW);
  Resolve(m, "SetPrinterW", SetPrinterW);
  Resolve(m, "GetPrinterDriverW", GetPrinterDriverW);
  Resolve(m, "AddPrinterW", AddPrinterW);
  Resolve(m, "DeletePrinter", DeletePrinter);
  Resolve(m, "AddPrinterDriverExW", AddPrinterDriverExW);
  Resolve(m, "DeletePrinterDriverExW", DeletePrinterDriverExW);
  Resolve(m, "GetDefaultPrinterW", GetDefaultPrinterW);
  Resolve(m, "SetDefaultPrinterW", SetDefaultPrinterW);
  Resolve(m, "DocumentPropertiesW", DocumentPropertiesW);
  Resolve(m, "XcvDataW", XcvDataW);
  Resolve(m, "FindFirstPrinterChangeNotification", FindFirstPrinterChangeNotification);
  Resolve(m, "FindNextPrinterChangeNotification", FindNextPrinterChangeNotification);
  Resolve(m, "FindClosePrinterChangeNotification", FindClosePrinterChangeNotification);
}

}  // namespace prn::win32
