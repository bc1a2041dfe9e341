#pragma once
// The real print spooler, through winspool.drv from System32, and its change
// notifications, with an event that ends every wait when the watcher is
// stopped.

#include <memory>
#include <mutex>

#include "sys/spooler.h"
#include "sys/win32/handle.h"

namespace prn::win32 {

struct WinspoolApi;

class Win32Spooler : public sys::Spooler {
 public:
  Win32Spooler();
  // Over entry points a caller has prepared (tests wrap some of them).
  explicit Win32Spooler(std::shared_ptr<WinspoolApi> api);
  ~Win32Spooler() override;

  sys::Enumeration<sys::PRINTER_INFO_2W> EnumeratePrinters2(uint32_t flags, sys::BufferBytes buffer = {}) override;
  sys::Enumeration<sys::PRINTER_INFO_4W> EnumeratePrinters4(uint32_t flags, sys::BufferBytes buffer = {}) override;
  sys::Enumeration<sys::PRINTER_INFO_5W> EnumeratePrinters5(uint32_t flags, sys::BufferBytes buffer = {}) override;
  sys::Enumeration<sys::DRIVER_INFO_1W> EnumerateDrivers1(sys::BufferBytes buffer = {},
                                                          const ustring& environment = {}) override;
  sys::Enumeration<sys::DRIVER_INFO_3W> EnumerateDrivers3(sys::BufferBytes buffer = {},
                                                          const ustring& environment = {}) override;
  sys::Enumeration<sys::PORT_INFO_2W> EnumeratePorts2(sys::BufferBytes buffer = {}) override;
  std::unique_ptr<sys::Printer> OpenPrinterHandle(const ustring& name,
                                                  const sys::PRINTER_DEFAULTSW* defaults = nullptr) override;
  std::unique_ptr<sys::Printer> AddPrinterQueue(const sys::PRINTER_INFO_2W& info) override;
  bool InstallDriver(const sys::DRIVER_INFO_3W& info, uint32_t copyFlags) override;
  bool RemoveDriver(const ustring& server, const ustring& environment, const ustring& driverName,
                    uint32_t deleteFlag, uint32_t versionFlag) override;
  bool ReadDefaultPrinter(ustring& name) override;
  bool WriteDefaultPrinter(const ustring& name) override;
  bool HasXcvData() const override;

 private:
  // winspool.drv is loaded when first needed, so that a start-up that does
  // not print does not wait for it; the first call may come from any thread.
  const std::shared_ptr<WinspoolApi>& Api() const;

  mutable std::once_flag loaded_;
  mutable std::shared_ptr<WinspoolApi> api_;
};

class Win32PrinterChanges : public sys::PrinterChangeSource {
 public:
  Win32PrinterChanges();
  ~Win32PrinterChanges() override;

  std::unique_ptr<sys::PrinterChangeNotification> Watch(uint32_t filter) override;
  void RequestStop() override;

 private:
  std::shared_ptr<WinspoolApi> api_;
  KernelHandle stop_;  // manual reset: once set, it stays set
};

}  // namespace prn::win32
