#pragma once
// Spooler records between winspool's structures and the portable ones.

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "sys/spooler.h"

namespace prn::win32 {

sys::DeviceMode FromWin32(const ::DEVMODEW& mode);
sys::PRINTER_INFO_2W FromWin32(const ::PRINTER_INFO_2W& info);
sys::PRINTER_INFO_4W FromWin32(const ::PRINTER_INFO_4W& info);
sys::PRINTER_INFO_5W FromWin32(const ::PRINTER_INFO_5W& info);
sys::DRIVER_INFO_1W FromWin32(const ::DRIVER_INFO_1W& info);
sys::DRIVER_INFO_3W FromWin32(const ::DRIVER_INFO_3W& info);
sys::PORT_INFO_2W FromWin32(const ::PORT_INFO_2W& info);
sys::JOB_INFO_1W FromWin32(const ::JOB_INFO_1W& info);

// A DEVMODEW with the driver's bytes behind it, as one buffer: dmSize says
// 220 and dmDriverExtra the number of driver bytes that follow.
std::vector<BYTE> DevModeBuffer(const sys::DeviceMode& mode);

// A PRINTER_INFO_2W whose pointers lead into the portable record (which must
// outlive it) and into its own device mode buffer.
class Win32PrinterInfo2 {
 public:
  explicit Win32PrinterInfo2(const sys::PRINTER_INFO_2W& info);
  Win32PrinterInfo2(const Win32PrinterInfo2&) = delete;
  Win32PrinterInfo2& operator=(const Win32PrinterInfo2&) = delete;
  LPBYTE Bytes() { return reinterpret_cast<LPBYTE>(&info_); }

 private:
  std::vector<BYTE> devMode_;
  ::PRINTER_INFO_2W info_{};
};

// A DRIVER_INFO_3W over the portable record, with its dependent-file list
// as the multi-string winspool expects.
class Win32DriverInfo3 {
 public:
  explicit Win32DriverInfo3(const sys::DRIVER_INFO_3W& info);
  Win32DriverInfo3(const Win32DriverInfo3&) = delete;
  Win32DriverInfo3& operator=(const Win32DriverInfo3&) = delete;
  LPBYTE Bytes() { return reinterpret_cast<LPBYTE>(&info_); }

 private:
  std::u16string dependentFiles_;
  ::DRIVER_INFO_3W info_{};
};

// A text for a winspool argument: null for an empty text.
LPWSTR OrNull(const ustring& text);

}  // namespace prn::win32
