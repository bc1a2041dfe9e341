#pragma once
// The simulated print spooler: printers (local and connections) with their
// jobs, drivers, ports and their monitors, print processors and the default
// printer. It checks what Windows checks (1801 unknown printer, 1802 existing
// printer, 1797 unknown driver, 1796 unknown port, 1798 unknown processor,
// 5 for a change through a handle without administer access), fills a fixed
// buffer as a 32-bit caller's would fill (122 when it does not fit), and
// answers the Local Port and Standard TCP/IP Port monitors' "AddPort".
// Drivers belong to an environment: the machine's own is "Windows x64" on
// 64-bit Windows (the system's WOW64 flag) and "Windows NT x86" otherwise;
// the caller is the 32-bit installer, so an enumeration or deletion without
// an environment sees only the "Windows NT x86" drivers, as on Windows.
// Failures are reported through the machine's last-error value.

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "sys/spooler.h"
#include "sys/system_info.h"
#include "sys/win_errors.h"

namespace prn::sim {

inline constexpr char16_t kLocalPortMonitor[] = u"Local Port";
inline constexpr char16_t kTcpIpPortMonitor[] = u"Standard TCP/IP Port";
inline constexpr char16_t kEnvironmentX86[] = u"Windows NT x86";
inline constexpr char16_t kEnvironmentX64[] = u"Windows x64";

class SimSpooler : public sys::Spooler {
 public:
  // Calls that a test can make fail with an error code of its choice.
  enum class Call { EnumPrinters, EnumDrivers, EnumPorts, OpenPrinter, GetPrinter, SetPrinter, EnumJobs,
                    AddPrinter, DocumentProperties, XcvData, DefaultPrinter, DeleteDriver };

  struct OpenRecord {
    ustring name;
    std::optional<sys::PRINTER_DEFAULTSW> defaults;
  };
  struct XcvRecord {
    ustring monitor;
    ustring command;
    std::vector<uint8_t> input;
    uint32_t outputBytes = 0;
  };

  // A fresh machine: LPT1:-LPT3:, COM1:-COM4: and FILE: on the Local Port
  // monitor, both monitors present, the WinPrint processor, no printers.
  // `system` tells whether the machine is 64-bit Windows.
  SimSpooler(sys::LastError& lastError, const sys::SystemInfo& system);

  // Setting the scene (no checks).
  void PutPort(const ustring& name, const ustring& monitor = kLocalPortMonitor);
  // Without an environment the driver is one of the machine's own.
  void PutDriver(const sys::DRIVER_INFO_3W& driver);
  void PutDriver(const ustring& name, const ustring& dataFile = {});
  void PutPrinter(const sys::PRINTER_INFO_2W& printer);
  // A local printer with the WinPrint processor, RAW data and a device mode.
  void PutPrinter(const ustring& name, const ustring& driver, const ustring& port);
  // A connection to a printer shared by another computer ("\\server\share").
  void PutConnection(const ustring& server, const ustring& share, const ustring& driver);
  void PutJob(const ustring& printer, const sys::JOB_INFO_1W& job);
  void PutPrintProcessor(const ustring& name);
  void SetMonitorPresent(const ustring& monitor, bool present);
  void SetDefault(std::optional<ustring> printer);
  void SetXcvDataPresent(bool present);
  void Fail(Call call, uint32_t error);
  // Only the next `times` calls fail.
  void FailTimes(Call call, uint32_t error, int times);
  void Heal(Call call);

  // Looking at the outcome.
  std::optional<sys::PRINTER_INFO_2W> FindPrinter(const ustring& name) const;
  // Empty environment: the machine's own.
  std::optional<sys::DRIVER_INFO_3W> FindDriver(const ustring& name, const ustring& environment = {}) const;
  // The machine's own environment, as the drivers' records name it.
  ustring NativeEnvironment() const;
  std::optional<sys::PORT_INFO_2W> FindPort(const ustring& name) const;
  std::optional<ustring> Default() const;
  std::vector<OpenRecord> Opens() const;
  std::vector<XcvRecord> XcvCalls() const;
  std::vector<sys::PRINTER_INFO_2W> AddedPrinters() const;
  size_t SetPrinterCount() const;
  // Printer and monitor handles open now; a routine that returns with one
  // open leaks it (ClosePrinter was never called).
  int OpenHandleCount() const { return openHandles_; }

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
  class Handle;
  friend class Handle;

  struct StoredPrinter {
    uint64_t id = 0;
    bool connection = false;
    sys::PRINTER_INFO_2W info;
    std::vector<sys::JOB_INFO_1W> jobs;
  };

  // What a handle stands for: a printer (by id, so a rename keeps it) or a monitor.
  struct Target {
    uint64_t printerId = 0;
    ustring monitor;
    uint32_t access = 0;
  };

  bool Failing(Call call) const;
  StoredPrinter* PrinterById(uint64_t id);
  // The printer a handle stands for; null with ERROR_INVALID_HANDLE when it is gone.
  StoredPrinter* PrinterOf(const Target& target);
  // As PrinterOf, and null with ERROR_ACCESS_DENIED when the handle may not change it.
  StoredPrinter* AdministeredPrinterOf(const Target& target);
  StoredPrinter* PrinterByName(const ustring& name);
  const StoredPrinter* PrinterByName(const ustring& name) const;
  // A driver of `environment` (its stored spelling, see Environment).
  const sys::DRIVER_INFO_3W* DriverIn(const ustring& name, const ustring& environment) const;
  // The machine's driver a printer may use.
  bool DriverKnown(const ustring& name) const;
  // The environment a caller's text names: empty is the caller's own; an
  // unknown name gives nothing (ERROR_INVALID_ENVIRONMENT).
  std::optional<ustring> CallerEnvironment(const ustring& environment) const;
  // The drivers of a caller's environment; nothing (with the error) when it is unknown.
  std::optional<std::vector<sys::DRIVER_INFO_3W>> DriversOf(const ustring& environment) const;
  bool ProcessorKnown(const ustring& name) const;
  bool PortsKnown(const ustring& portList) const;
  // The checks AddPrinter and SetPrinter share; 0 when the record is acceptable.
  uint32_t CheckRecord(const sys::PRINTER_INFO_2W& info, uint64_t self) const;
  sys::PRINTER_INFO_2W Level2(const StoredPrinter& printer) const;
  std::vector<const StoredPrinter*> Listed(uint32_t flags) const;
  template <typename Record>
  sys::Enumeration<Record> Deliver(std::vector<Record> records, sys::BufferBytes buffer, Call call);

  // Handle operations, under the lock.
  bool GetInfo2(const Target& target, sys::PRINTER_INFO_2W& info);
  bool GetInfo5(const Target& target, sys::PRINTER_INFO_5W& info);
  bool SetInfo2(const Target& target, const sys::PRINTER_INFO_2W& info);
  bool GetDriverInfo3(const Target& target, sys::DRIVER_INFO_3W& info);
  sys::Enumeration<sys::JOB_INFO_1W> EnumerateJobs(const Target& target, uint32_t first, uint32_t count,
                                                   sys::BufferBytes buffer);
  std::optional<sys::DeviceMode> DocumentProperties(const Target& target);
  bool XcvData(const Target& target, const ustring& command, const std::vector<uint8_t>& input,
               uint32_t outputBytes, uint32_t& status);
  bool DeleteQueue(const Target& target);
  bool SetQueueStatus(const Target& target, uint32_t status);
  uint32_t XcvAddPort(const Target& target, const std::vector<uint8_t>& input);

  sys::LastError& lastError_;
  const sys::SystemInfo& system_;
  mutable std::mutex mutex_;
  std::vector<StoredPrinter> printers_;
  uint64_t nextPrinterId_ = 1;
  std::vector<sys::DRIVER_INFO_3W> drivers_;
  std::vector<sys::PORT_INFO_2W> ports_;
  std::set<ustring> monitors_;
  std::vector<ustring> processors_;
  std::optional<ustring> default_;
  bool xcvDataPresent_ = true;
  std::map<Call, uint32_t> failures_;
  mutable std::map<Call, int> failuresLeft_;  // calls still to fail, for FailTimes
  std::vector<OpenRecord> opens_;
  std::vector<XcvRecord> xcvCalls_;
  std::vector<sys::PRINTER_INFO_2W> added_;
  size_t setPrinterCount_ = 0;
  std::atomic<int> openHandles_ = 0;
  uint32_t nextJobId_ = 1;
};

// How many bytes a record takes in an enumeration buffer of the 32-bit
// installer: the fixed structure plus its strings (and device mode) behind it.
// These sizes decide when a fixed buffer overflows, as on Windows
// (sim/spooler_bytes.cpp).
uint32_t BufferBytes(const sys::PRINTER_INFO_2W& info);
uint32_t BufferBytes(const sys::PRINTER_INFO_4W& info);
uint32_t BufferBytes(const sys::PRINTER_INFO_5W& info);
uint32_t BufferBytes(const sys::DRIVER_INFO_1W& info);
uint32_t BufferBytes(const sys::DRIVER_INFO_3W& info);
uint32_t BufferBytes(const sys::PORT_INFO_2W& info);
uint32_t BufferBytes(const sys::JOB_INFO_1W& info);

}  // namespace prn::sim
