#include "sys/win32/spooler_records.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "sys/win32/text.h"

namespace prn::win32 {

static_assert(sizeof(::DEVMODEW) == sizeof(sys::DEVMODEW));
static_assert(offsetof(::DEVMODEW, dmFields) == offsetof(sys::DEVMODEW, dmFields));
static_assert(offsetof(::DEVMODEW, dmColor) == offsetof(sys::DEVMODEW, dmColor));
static_assert(offsetof(::DEVMODEW, dmFormName) == offsetof(sys::DEVMODEW, dmFormName));
static_assert(offsetof(::DEVMODEW, dmNup) == offsetof(sys::DEVMODEW, dmNup));
static_assert(offsetof(::DEVMODEW, dmPanningHeight) == offsetof(sys::DEVMODEW, dmPanningHeight));
static_assert(sizeof(WCHAR) == sizeof(char16_t));
// tcpxcv.h is not part of mingw-w64; the portable layout is the one sent.
static_assert(sizeof(sys::PORT_DATA_1) == 964);

namespace {

StringList MultiString(const wchar_t* list) {
  StringList items;
  while (list && *list) {
    items.push_back(U(list));
    list += items.back().size() + 1;
  }
  return items;
}

}  // namespace

LPWSTR OrNull(const ustring& text) {
  return text.empty() ? nullptr : const_cast<LPWSTR>(W(text));
}

sys::DeviceMode FromWin32(const ::DEVMODEW& mode) {
  sys::DeviceMode copy;
  size_t publicBytes = std::min<size_t>(mode.dmSize, sizeof(sys::DEVMODEW));
  std::memcpy(&copy.dm, &mode, publicBytes);
  auto driverBytes = reinterpret_cast<const BYTE*>(&mode) + mode.dmSize;
  copy.driverExtra.assign(driverBytes, driverBytes + mode.dmDriverExtra);
  return copy;
}

std::vector<BYTE> DevModeBuffer(const sys::DeviceMode& mode) {
  std::vector<BYTE> buffer(sizeof(sys::DEVMODEW) + mode.driverExtra.size());
  sys::DEVMODEW head = mode.dm;
  head.dmSize = sizeof(sys::DEVMODEW);
  head.dmDriverExtra = static_cast<WORD>(mode.driverExtra.size());
  std::memcpy(buffer.data(), &head, sizeof head);
  std::copy(mode.driverExtra.begin(), mode.driverExtra.end(), buffer.begin() + sizeof head);
  return buffer;
}

sys::PRINTER_INFO_2W FromWin32(const ::PRINTER_INFO_2W& i) {
  sys::PRINTER_INFO_2W info;
  info.pServerName = U(i.pServerName);
  info.pPrinterName = U(i.pPrinterName);
  info.pShareName = U(i.pShareName);
  info.pPortName = U(i.pPortName);
  info.pDriverName = U(i.pDriverName);
  info.pComment = U(i.pComment);
  info.pLocation = U(i.pLocation);
  if (i.pDevMode) info.pDevMode = FromWin32(*i.pDevMode);
  info.pSepFile = U(i.pSepFile);
  info.pPrintProcessor = U(i.pPrintProcessor);
  info.pDatatype = U(i.pDatatype);
  info.pParameters = U(i.pParameters);
  info.Attributes = i.Attributes;
  info.Priority = i.Priority;
  info.DefaultPriority = i.DefaultPriority;
  info.StartTime = i.StartTime;
  info.UntilTime = i.UntilTime;
  info.Status = i.Status;
  info.cJobs = i.cJobs;
  info.AveragePPM = i.AveragePPM;
  return info;
}

sys::PRINTER_INFO_4W FromWin32(const ::PRINTER_INFO_4W& i) {
  return {U(i.pPrinterName), U(i.pServerName), i.Attributes};
}

sys::PRINTER_INFO_5W FromWin32(const ::PRINTER_INFO_5W& i) {
  return {U(i.pPrinterName), U(i.pPortName), i.Attributes, i.DeviceNotSelectedTimeout, i.TransmissionRetryTimeout};
}

sys::DRIVER_INFO_1W FromWin32(const ::DRIVER_INFO_1W& i) { return {U(i.pName)}; }

sys::DRIVER_INFO_3W FromWin32(const ::DRIVER_INFO_3W& i) {
  sys::DRIVER_INFO_3W info;
  info.cVersion = i.cVersion;
  info.pName = U(i.pName);
  info.pEnvironment = U(i.pEnvironment);
  info.pDriverPath = U(i.pDriverPath);
  info.pDataFile = U(i.pDataFile);
  info.pConfigFile = U(i.pConfigFile);
  info.pHelpFile = U(i.pHelpFile);
  info.pDependentFiles = MultiString(i.pDependentFiles);
  info.pMonitorName = U(i.pMonitorName);
  info.pDefaultDataType = U(i.pDefaultDataType);
  return info;
}

sys::PORT_INFO_2W FromWin32(const ::PORT_INFO_2W& i) {
  return {U(i.pPortName), U(i.pMonitorName), U(i.pDescription), i.fPortType, i.Reserved};
}

sys::JOB_INFO_1W FromWin32(const ::JOB_INFO_1W& i) {
  sys::JOB_INFO_1W job;
  job.JobId = i.JobId;
  job.pPrinterName = U(i.pPrinterName);
  job.pMachineName = U(i.pMachineName);
  job.pUserName = U(i.pUserName);
  job.pDocument = U(i.pDocument);
  job.pDatatype = U(i.pDatatype);
  job.pStatus = U(i.pStatus);
  job.Status = i.Status;
  job.Priority = i.Priority;
  job.Position = i.Position;
  job.TotalPages = i.TotalPages;
  job.PagesPrinted = i.PagesPrinted;
  return job;
}

Win32PrinterInfo2::Win32PrinterInfo2(const sys::PRINTER_INFO_2W& i) {
  if (i.pDevMode) devMode_ = DevModeBuffer(*i.pDevMode);
  info_.pServerName = OrNull(i.pServerName);
  info_.pPrinterName = OrNull(i.pPrinterName);
  info_.pShareName = OrNull(i.pShareName);
  info_.pPortName = OrNull(i.pPortName);
  info_.pDriverName = OrNull(i.pDriverName);
  info_.pComment = OrNull(i.pComment);
  info_.pLocation = OrNull(i.pLocation);
  info_.pDevMode = devMode_.empty() ? nullptr : reinterpret_cast<::DEVMODEW*>(devMode_.data());
  info_.pSepFile = OrNull(i.pSepFile);
  info_.pPrintProcessor = OrNull(i.pPrintProcessor);
  info_.pDatatype = OrNull(i.pDatatype);
  info_.pParameters = OrNull(i.pParameters);
  info_.Attributes = i.Attributes;
  info_.Priority = i.Priority;
  info_.DefaultPriority = i.DefaultPriority;
  info_.StartTime = i.StartTime;
  info_.UntilTime = i.UntilTime;
  info_.Status = i.Status;
  info_.cJobs = i.cJobs;
  info_.AveragePPM = i.AveragePPM;
}

Win32DriverInfo3::Win32DriverInfo3(const sys::DRIVER_INFO_3W& i) {
  for (const ustring& file : i.pDependentFiles) dependentFiles_ += file + u'\0';
  if (!dependentFiles_.empty()) dependentFiles_ += u'\0';
  info_.cVersion = i.cVersion;
  info_.pName = OrNull(i.pName);
  info_.pEnvironment = OrNull(i.pEnvironment);
  info_.pDriverPath = OrNull(i.pDriverPath);
  info_.pDataFile = OrNull(i.pDataFile);
  info_.pConfigFile = OrNull(i.pConfigFile);
  info_.pHelpFile = OrNull(i.pHelpFile);
  info_.pDependentFiles = dependentFiles_.empty() ? nullptr : reinterpret_cast<LPWSTR>(dependentFiles_.data());
  info_.pMonitorName = OrNull(i.pMonitorName);
  info_.pDefaultDataType = OrNull(i.pDefaultDataType);
}

}  // namespace prn::win32
