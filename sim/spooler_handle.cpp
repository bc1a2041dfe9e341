// Handles of the simulated spooler: opening printers and monitors, and what
// can be done through an open handle.

#include <algorithm>
#include <cstring>

#include "sim/spooler.h"
#include "sys/spooler.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {

constexpr char16_t kMonitorPrefix[] = u",XcvMonitor ";
constexpr char16_t kAddPort[] = u"AddPort";
// The size of the private part of every simulated driver's device mode.
constexpr size_t kDriverPrivateBytes = 16;

// A null-terminated UTF-16 string sent as bytes; nothing when unterminated.
std::optional<ustring> TerminatedText(const std::vector<uint8_t>& bytes) {
  ustring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (c == u'\0') return text;
    text.push_back(c);
  }
  return std::nullopt;
}

}  // namespace

class SimSpooler::Handle : public sys::Printer {
 public:
  Handle(SimSpooler& spooler, Target target) : spooler_(spooler), target_(std::move(target)) {
    ++spooler_.openHandles_;
  }
  ~Handle() override { --spooler_.openHandles_; }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool GetInfo2(sys::PRINTER_INFO_2W& info) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.GetInfo2(target_, info);
  }
  bool GetInfo5(sys::PRINTER_INFO_5W& info) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.GetInfo5(target_, info);
  }
  bool SetInfo2(const sys::PRINTER_INFO_2W& info) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.SetInfo2(target_, info);
  }
  bool GetDriverInfo3(sys::DRIVER_INFO_3W& info) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.GetDriverInfo3(target_, info);
  }
  sys::Enumeration<sys::JOB_INFO_1W> EnumerateJobs(uint32_t firstJob, uint32_t jobCount,
                                                   sys::BufferBytes buffer = {}) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.EnumerateJobs(target_, firstJob, jobCount, buffer);
  }
  std::optional<sys::DeviceMode> ReadDocumentProperties(const ustring&) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.DocumentProperties(target_);
  }
  bool SendXcvData(const ustring& command, const std::vector<uint8_t>& input, uint32_t outputBytes,
                   uint32_t& needed, uint32_t& status) override {
    std::lock_guard lock(spooler_.mutex_);
    needed = 0;
    return spooler_.XcvData(target_, command, input, outputBytes, status);
  }
  bool DeleteQueue() override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.DeleteQueue(target_);
  }
  bool SetQueueStatus(uint32_t status) override {
    std::lock_guard lock(spooler_.mutex_);
    return spooler_.SetQueueStatus(target_, status);
  }

 private:
  SimSpooler& spooler_;
  Target target_;
};

std::unique_ptr<sys::Printer> SimSpooler::OpenPrinterHandle(const ustring& name,
                                                            const sys::PRINTER_DEFAULTSW* defaults) {
  std::lock_guard lock(mutex_);
  opens_.push_back({name, defaults ? std::optional(*defaults) : std::nullopt});
  if (Failing(Call::OpenPrinter)) return nullptr;
  Target target;
  target.access = defaults && defaults->DesiredAccess ? defaults->DesiredAccess : sys::spool::PrinterAccessUse;
  if (name.starts_with(kMonitorPrefix)) {
    target.monitor = name.substr(std::char_traits<char16_t>::length(kMonitorPrefix));
    if (!monitors_.contains(target.monitor)) {
      lastError_.Set(winerr::UnknownPort);
      return nullptr;
    }
    return std::make_unique<Handle>(*this, target);
  }
  const StoredPrinter* printer = PrinterByName(name);
  if (!printer) {
    lastError_.Set(winerr::InvalidPrinterName);
    return nullptr;
  }
  target.printerId = printer->id;
  return std::make_unique<Handle>(*this, target);
}

std::unique_ptr<sys::Printer> SimSpooler::AddPrinterQueue(const sys::PRINTER_INFO_2W& info) {
  std::lock_guard lock(mutex_);
  if (Failing(Call::AddPrinter)) return nullptr;
  if (uint32_t error = CheckRecord(info, 0)) {
    lastError_.Set(error);
    return nullptr;
  }
  added_.push_back(info);
  StoredPrinter stored;
  stored.id = nextPrinterId_++;
  stored.info = info;
  stored.info.pServerName.clear();
  stored.info.Attributes |= sys::spool::AttributeLocal;
  printers_.push_back(stored);
  return std::make_unique<Handle>(*this, Target{stored.id, {}, sys::spool::PrinterAllAccess});
}

// --- through a handle ---

bool SimSpooler::GetInfo2(const Target& target, sys::PRINTER_INFO_2W& info) {
  if (Failing(Call::GetPrinter)) return false;
  const StoredPrinter* printer = PrinterOf(target);
  if (!printer) return false;
  info = Level2(*printer);
  return true;
}

bool SimSpooler::GetInfo5(const Target& target, sys::PRINTER_INFO_5W& info) {
  if (Failing(Call::GetPrinter)) return false;
  const StoredPrinter* printer = PrinterOf(target);
  if (!printer) return false;
  info = {printer->info.pPrinterName, printer->info.pPortName, printer->info.Attributes, 15000, 45000};
  return true;
}

bool SimSpooler::SetInfo2(const Target& target, const sys::PRINTER_INFO_2W& info) {
  ++setPrinterCount_;
  if (Failing(Call::SetPrinter)) return false;
  StoredPrinter* printer = AdministeredPrinterOf(target);
  if (!printer) return false;
  if (uint32_t error = CheckRecord(info, printer->id)) {
    lastError_.Set(error);
    return false;
  }
  if (default_ && EqualsNoCase(*default_, printer->info.pPrinterName)) default_.emplace(info.pPrinterName);
  sys::PRINTER_INFO_2W stored = info;
  // What the spooler itself keeps is not the caller's to set.
  stored.pServerName = printer->info.pServerName;
  stored.Status = printer->info.Status;
  stored.cJobs = 0;
  stored.AveragePPM = 0;
  if (!stored.pDevMode) stored.pDevMode.swap(printer->info.pDevMode);  // none given: no change
  printer->info = std::move(stored);
  return true;
}

bool SimSpooler::GetDriverInfo3(const Target& target, sys::DRIVER_INFO_3W& info) {
  const StoredPrinter* printer = PrinterOf(target);
  if (!printer) return false;
  if (const sys::DRIVER_INFO_3W* driver = DriverIn(printer->info.pDriverName, NativeEnvironment())) {
    info = *driver;
    return true;
  }
  lastError_.Set(winerr::UnknownPrinterDriver);
  return false;
}

sys::Enumeration<sys::JOB_INFO_1W> SimSpooler::EnumerateJobs(const Target& target, uint32_t first, uint32_t count,
                                                             sys::BufferBytes buffer) {
  const StoredPrinter* printer = PrinterOf(target);
  if (!printer) return {};
  std::vector<sys::JOB_INFO_1W> jobs;
  for (size_t i = first; i < printer->jobs.size() && jobs.size() < count; ++i) jobs.push_back(printer->jobs[i]);
  return Deliver(std::move(jobs), buffer, Call::EnumJobs);
}

std::optional<sys::DeviceMode> SimSpooler::DocumentProperties(const Target& target) {
  if (Failing(Call::DocumentProperties)) return std::nullopt;
  const StoredPrinter* printer = PrinterOf(target);
  if (!printer) return std::nullopt;
  sys::DeviceMode mode;
  if (printer->info.pDevMode) {
    mode = *printer->info.pDevMode;
  } else {
    mode.dm.dmSpecVersion = 0x401;
    mode.dm.dmSize = sizeof(sys::DEVMODEW);
  }
  // The driver answers its whole device mode: a queue's mode without the
  // driver's private part comes back with the driver's defaults for it.
  if (mode.driverExtra.empty()) {
    mode.driverExtra.assign(kDriverPrivateBytes, 0);
    mode.dm.dmDriverExtra = static_cast<uint16_t>(kDriverPrivateBytes);
  }
  return mode;
}

bool SimSpooler::XcvData(const Target& target, const ustring& command, const std::vector<uint8_t>& input,
                         uint32_t outputBytes, uint32_t& status) {
  if (!xcvDataPresent_) {
    lastError_.Set(winerr::ProcNotFound);
    return false;
  }
  xcvCalls_.push_back({target.monitor, command, input, outputBytes});
  if (Failing(Call::XcvData)) return false;
  if (target.monitor.empty()) {
    lastError_.Set(winerr::InvalidHandle);
    return false;
  }
  if (command != kAddPort) {
    status = winerr::InvalidParameter;
    return true;
  }
  status = (target.access & sys::spool::ServerAccessAdminister) ? XcvAddPort(target, input) : winerr::AccessDenied;
  return true;
}

// The monitor's answer to "AddPort": 0, 183 for a port that exists, 87 for a
// request it cannot read.
uint32_t SimSpooler::XcvAddPort(const Target& target, const std::vector<uint8_t>& input) {
  std::optional<ustring> name;
  if (target.monitor == kTcpIpPortMonitor) {
    sys::PORT_DATA_1 request{};
    if (input.size() != sizeof request) return winerr::InvalidParameter;
    std::memcpy(&request, input.data(), sizeof request);
    if (request.cbSize != sizeof request || request.dwVersion != 1) return winerr::InvalidParameter;
    name = sys::FixedText(request.sztPortName);
  } else {
    name = TerminatedText(input);
  }
  if (!name || name->empty()) return winerr::InvalidParameter;
  bool exists = std::any_of(ports_.begin(), ports_.end(), [&](const auto& p) { return EqualsNoCase(p.pPortName, *name); });
  if (exists) return winerr::AlreadyExists;
  ports_.push_back({*name, target.monitor, target.monitor, 0, 0});
  return winerr::Success;
}

bool SimSpooler::SetQueueStatus(const Target& target, uint32_t status) {
  ++setPrinterCount_;
  if (Failing(Call::SetPrinter)) return false;
  StoredPrinter* printer = AdministeredPrinterOf(target);
  if (!printer) return false;
  printer->info.Status = status;
  return true;
}

bool SimSpooler::DeleteQueue(const Target& target) {
  const StoredPrinter* printer = AdministeredPrinterOf(target);
  if (!printer) return false;
  if (default_ && EqualsNoCase(*default_, printer->info.pPrinterName)) default_.reset();
  std::erase_if(printers_, [&](const StoredPrinter& p) { return p.id == target.printerId; });
  return true;
}

}  // namespace prn::sim
