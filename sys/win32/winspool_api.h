#pragma once
// winspool.drv, loaded from System32 and looked up at run time, so that a
// winspool.drv in the package folder is never the one that runs, and so that
// a missing entry point is an answer rather than a failure to start.

#include <windows.h>
#include <winspool.h>

#include "sys/win32/handle.h"

namespace prn::win32 {

struct WinspoolApi {
  WinspoolApi();

  Module module;
  decltype(&::EnumPrintersW) EnumPrintersW = nullptr;
  decltype(&::EnumPrinterDriversW) EnumPrinterDriversW = nullptr;
  decltype(&::EnumPortsW) EnumPortsW = nullptr;
  decltype(&::EnumJobsW) EnumJobsW = nullptr;
  decltype(&::OpenPrinterW) OpenPrinterW = nullptr;
  decltype(&::ClosePrinter) ClosePrinter = nullptr;
  decltype(&::GetPrinterW) GetPrinterW = nullptr;
  decltype(&::SetPrinterW) SetPrinterW = nullptr;
  decltype(&::GetPrinterDriverW) GetPrinterDriverW = nullptr;
  decltype(&::AddPrinterW) AddPrinterW = nullptr;
  decltype(&::DeletePrinter) DeletePrinter = nullptr;
  decltype(&::AddPrinterDriverExW) AddPrinterDriverExW = nullptr;
  decltype(&::DeletePrinterDriverExW) DeletePrinterDriverExW = nullptr;
  decltype(&::GetDefaultPrinterW) GetDefaultPrinterW = nullptr;
  decltype(&::SetDefaultPrinterW) SetDefaultPrinterW = nullptr;
  decltype(&::DocumentPropertiesW) DocumentPropertiesW = nullptr;
  decltype(&::XcvDataW) XcvDataW = nullptr;
  decltype(&::FindFirstPrinterChangeNotification) FindFirstPrinterChangeNotification = nullptr;
  decltype(&::FindNextPrinterChangeNotification) FindNextPrinterChangeNotification = nullptr;
  decltype(&::FindClosePrinterChangeNotification) FindClosePrinterChangeNotification = nullptr;
};

// False with ERROR_PROC_NOT_FOUND when winspool.drv lacks the entry point.
template <typename Function>
bool Present(Function function) {
  if (function) return true;
  SetLastError(ERROR_PROC_NOT_FOUND);
  return false;
}

}  // namespace prn::win32
