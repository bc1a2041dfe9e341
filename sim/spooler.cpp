#include "sim/spooler.h"

#include <algorithm>

#include "sys/spooler.h"
#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

namespace {

sys::DeviceMode DefaultDeviceMode(const ustring& printerName) {
  sys::DeviceMode mode;
  auto& dm = mode.dm;
  sys::CopyFixedText(dm.dmDeviceName, printerName);
  dm.dmSpecVersion = 0x401;
  dm.dmSize = sizeof(sys::DEVMODEW);
  dm.dmFields = sys::spool::FieldFormName;
  dm.dmOrientation = 1;
  dm.dmPaperSize = 9;
  dm.dmCopies = 1;
  sys::CopyFixedText(dm.dmFormName, u"A4");
  return mode;
}

StringList SplitPorts(const ustring& portList) {
  StringList ports;
  size_t start = 0;
  while (start <= portList.size()) {
    size_t comma = portList.find(u',', start);
    if (comma == ustring::npos) comma = portList.size();
    ustring port = Trim(portList.substr(start, comma - start));
    if (!port.empty()) ports.push_back(port);
    start = comma + 1;
  }
  return ports;
}

}  // namespace

SimSpooler::SimSpooler(sys::LastError& lastError, const sys::SystemInfo& system)
    : lastError_(lastError), system_(system) {
  for (const char16_t* port : {u"LPT1:", u"LPT2:", u"LPT3:", u"COM1:", u"COM2:", u"COM3:", u"COM4:", u"FILE:"}) {
    PutPort(port);
  }
  monitors_ = {kLocalPortMonitor, kTcpIpPortMonitor};
  processors_ = {u"WinPrint"};
}

// --- the scene ---

void SimSpooler::PutPort(const ustring& name, const ustring& monitor) {
  std::lock_guard lock(mutex_);
  ports_.push_back({name, monitor, monitor, 0, 0});
}

void SimSpooler::PutDriver(const sys::DRIVER_INFO_3W& driver) {
  std::lock_guard lock(mutex_);
  sys::DRIVER_INFO_3W stored = driver;
  if (stored.pEnvironment.empty()) stored.pEnvironment = NativeEnvironment();
  std::erase_if(drivers_, [&](const auto& d) {
    return EqualsNoCase(d.pName, stored.pName) && EqualsNoCase(d.pEnvironment, stored.pEnvironment);
  });
  drivers_.push_back(stored);
}

void SimSpooler::PutDriver(const ustring& name, const ustring& dataFile) {
  sys::DRIVER_INFO_3W driver;
  driver.pName = name;
  driver.pDataFile = dataFile;
  PutDriver(driver);
}

void SimSpooler::PutPrinter(const sys::PRINTER_INFO_2W& printer) {
  std::lock_guard lock(mutex_);
  StoredPrinter stored;
  stored.id = nextPrinterId_++;
  stored.info = printer;
  printers_.push_back(std::move(stored));
}

void SimSpooler::PutPrinter(const ustring& name, const ustring& driver, const ustring& port) {
  sys::PRINTER_INFO_2W info;
  info.pPrinterName = name;
  info.pDriverName = driver;
  info.pPortName = port;
  info.pPrintProcessor = u"WinPrint";
  info.pDatatype = u"RAW";
  info.Attributes = sys::spool::AttributeLocal;
  info.Priority = 1;
  info.pDevMode = DefaultDeviceMode(name);
  PutPrinter(info);
}

void SimSpooler::PutConnection(const ustring& server, const ustring& share, const ustring& driver) {
  sys::PRINTER_INFO_2W info;
  info.pServerName = server;
  info.pPrinterName = server + u"\\" + share;
  info.pShareName = share;
  info.pDriverName = driver;
  info.Attributes = sys::spool::AttributeNetwork;
  std::lock_guard lock(mutex_);
  StoredPrinter stored;
  stored.id = nextPrinterId_++;
  stored.connection = true;
  stored.info = info;
  printers_.push_back(std::move(stored));
}

void SimSpooler::PutJob(const ustring& printer, const sys::JOB_INFO_1W& job) {
  std::lock_guard lock(mutex_);
  StoredPrinter* stored = PrinterByName(printer);
  if (!stored) return;
  sys::JOB_INFO_1W added = job;
  if (added.JobId == 0) added.JobId = nextJobId_++;
  added.pPrinterName = stored->info.pPrinterName;
  added.Position = static_cast<uint32_t>(stored->jobs.size() + 1);
  stored->jobs.push_back(added);
}

void SimSpooler::PutPrintProcessor(const ustring& name) {
  std::lock_guard lock(mutex_);
  processors_.push_back(name);
}

void SimSpooler::SetMonitorPresent(const ustring& monitor, bool present) {
  std::lock_guard lock(mutex_);
  if (present) {
    monitors_.insert(monitor);
  } else {
    monitors_.erase(monitor);
  }
}

void SimSpooler::SetDefault(std::optional<ustring> printer) {
  std::lock_guard lock(mutex_);
  default_ = std::move(printer);
}

void SimSpooler::SetXcvDataPresent(bool present) {
  std::lock_guard lock(mutex_);
  xcvDataPresent_ = present;
}

void SimSpooler::Fail(Call call, uint32_t error) {
  std::lock_guard lock(mutex_);
  failures_[call] = error;
}

void SimSpooler::FailTimes(Call call, uint32_t error, int times) {
  std::lock_guard lock(mutex_);
  failures_[call] = error;
  failuresLeft_[call] = times;
}

void SimSpooler::Heal(Call call) {
  std::lock_guard lock(mutex_);
  failures_.erase(call);
  failuresLeft_.erase(call);
}

// --- the outcome ---

std::optional<sys::PRINTER_INFO_2W> SimSpooler::FindPrinter(const ustring& name) const {
  std::lock_guard lock(mutex_);
  const StoredPrinter* stored = PrinterByName(name);
  if (!stored) return std::nullopt;
  return Level2(*stored);
}

std::optional<sys::DRIVER_INFO_3W> SimSpooler::FindDriver(const ustring& name, const ustring& environment) const {
  std::lock_guard lock(mutex_);
  const sys::DRIVER_INFO_3W* driver = DriverIn(name, environment.empty() ? NativeEnvironment() : environment);
  if (!driver) return std::nullopt;
  return *driver;
}

ustring SimSpooler::NativeEnvironment() const {
  return system_.Wow64Flag().value_or(false) ? kEnvironmentX64 : kEnvironmentX86;
}

std::optional<sys::PORT_INFO_2W> SimSpooler::FindPort(const ustring& name) const {
  std::lock_guard lock(mutex_);
  for (const auto& port : ports_) {
    if (EqualsNoCase(port.pPortName, name)) return port;
  }
  return std::nullopt;
}

std::optional<ustring> SimSpooler::Default() const {
  std::lock_guard lock(mutex_);
  return default_;
}

std::vector<SimSpooler::OpenRecord> SimSpooler::Opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

std::vector<SimSpooler::XcvRecord> SimSpooler::XcvCalls() const {
  std::lock_guard lock(mutex_);
  return xcvCalls_;
}

std::vector<sys::PRINTER_INFO_2W> SimSpooler::AddedPrinters() const {
  std::lock_guard lock(mutex_);
  return added_;
}

size_t SimSpooler::SetPrinterCount() const {
  std::lock_guard lock(mutex_);
  return setPrinterCount_;
}

// --- lookups ---

bool SimSpooler::Failing(Call call) const {
  auto found = failures_.find(call);
  if (found == failures_.end()) return false;
  if (auto left = failuresLeft_.find(call); left != failuresLeft_.end() && left->second-- <= 0) return false;
  lastError_.Set(found->second);
  return true;
}

SimSpooler::StoredPrinter* SimSpooler::PrinterById(uint64_t id) {
  for (auto& printer : printers_) {
    if (printer.id == id) return &printer;
  }
  return nullptr;
}

SimSpooler::StoredPrinter* SimSpooler::PrinterOf(const Target& target) {
  StoredPrinter* printer = PrinterById(target.printerId);
  if (!printer) lastError_.Set(winerr::InvalidHandle);
  return printer;
}

SimSpooler::StoredPrinter* SimSpooler::AdministeredPrinterOf(const Target& target) {
  StoredPrinter* printer = PrinterOf(target);
  if (printer && !(target.access & sys::spool::PrinterAccessAdminister)) {
    lastError_.Set(winerr::AccessDenied);
    return nullptr;
  }
  return printer;
}

SimSpooler::StoredPrinter* SimSpooler::PrinterByName(const ustring& name) {
  for (auto& printer : printers_) {
    if (EqualsNoCase(printer.info.pPrinterName, name)) return &printer;
  }
  return nullptr;
}

const SimSpooler::StoredPrinter* SimSpooler::PrinterByName(const ustring& name) const {
  return const_cast<SimSpooler*>(this)->PrinterByName(name);
}

const sys::DRIVER_INFO_3W* SimSpooler::DriverIn(const ustring& name, const ustring& environment) const {
  for (const auto& driver : drivers_) {
    if (EqualsNoCase(driver.pName, name) && EqualsNoCase(driver.pEnvironment, environment)) return &driver;
  }
  return nullptr;
}

bool SimSpooler::DriverKnown(const ustring& name) const { return DriverIn(name, NativeEnvironment()) != nullptr; }

std::optional<ustring> SimSpooler::CallerEnvironment(const ustring& environment) const {
  if (environment.empty()) return kEnvironmentX86;  // the installer is a 32-bit program
  for (const char16_t* known : {kEnvironmentX86, kEnvironmentX64}) {
    if (EqualsNoCase(environment, known)) return known;
  }
  lastError_.Set(winerr::InvalidEnvironment);
  return std::nullopt;
}

std::optional<std::vector<sys::DRIVER_INFO_3W>> SimSpooler::DriversOf(const ustring& environment) const {
  auto wanted = CallerEnvironment(environment);
  if (!wanted) return std::nullopt;
  std::vector<sys::DRIVER_INFO_3W> drivers;
  for (const auto& driver : drivers_) {
    if (EqualsNoCase(driver.pEnvironment, *wanted)) drivers.push_back(driver);
  }
  return drivers;
}

bool SimSpooler::ProcessorKnown(const ustring& name) const {
  return std::any_of(processors_.begin(), processors_.end(), [&](const auto& p) { return EqualsNoCase(p, name); });
}

bool SimSpooler::PortsKnown(const ustring& portList) const {
  StringList ports = SplitPorts(portList);
  if (ports.empty()) return false;
  return std::all_of(ports.begin(), ports.end(), [&](const ustring& name) {
    return std::any_of(ports_.begin(), ports_.end(), [&](const auto& p) { return EqualsNoCase(p.pPortName, name); });
  });
}

uint32_t SimSpooler::CheckRecord(const sys::PRINTER_INFO_2W& info, uint64_t self) const {
  const ustring& name = info.pPrinterName;
  if (name.empty() || name.find_first_of(u",\\") != ustring::npos) return winerr::InvalidPrinterName;
  const StoredPrinter* sameName = PrinterByName(name);
  if (sameName && sameName->id != self) return winerr::PrinterAlreadyExists;
  if (!DriverKnown(info.pDriverName)) return winerr::UnknownPrinterDriver;
  if (!PortsKnown(info.pPortName)) return winerr::UnknownPort;
  if (!ProcessorKnown(info.pPrintProcessor)) return winerr::UnknownPrintProcessor;
  return winerr::Success;
}

sys::PRINTER_INFO_2W SimSpooler::Level2(const StoredPrinter& printer) const {
  sys::PRINTER_INFO_2W info = printer.info;
  info.cJobs = static_cast<uint32_t>(printer.jobs.size());
  return info;
}

std::vector<const SimSpooler::StoredPrinter*> SimSpooler::Listed(uint32_t flags) const {
  std::vector<const StoredPrinter*> listed;
  for (const auto& printer : printers_) {
    bool wanted = printer.connection ? (flags & sys::spool::EnumConnections) : (flags & sys::spool::EnumLocal);
    if (wanted) listed.push_back(&printer);
  }
  return listed;
}

template <typename Record>
sys::Enumeration<Record> SimSpooler::Deliver(std::vector<Record> records, sys::BufferBytes buffer, Call call) {
  sys::Enumeration<Record> result;
  if (Failing(call)) return result;
  for (const Record& record : records) result.bytesNeeded += sim::BufferBytes(record);
  if (buffer && result.bytesNeeded > *buffer) {
    lastError_.Set(winerr::InsufficientBuffer);
    return result;
  }
  result.ok = true;
  result.records = std::move(records);
  return result;
}

// The job list is delivered by a handle (sim_spooler_handle.cpp).
template sys::Enumeration<sys::JOB_INFO_1W> SimSpooler::Deliver(std::vector<sys::JOB_INFO_1W>, sys::BufferBytes,
                                                                Call);

// --- enumerations ---

sys::Enumeration<sys::PRINTER_INFO_2W> SimSpooler::EnumeratePrinters2(uint32_t flags, sys::BufferBytes buffer) {
  std::lock_guard lock(mutex_);
  std::vector<sys::PRINTER_INFO_2W> records;
  for (const StoredPrinter* printer : Listed(flags)) records.push_back(Level2(*printer));
  return Deliver(std::move(records), buffer, Call::EnumPrinters);
}

sys::Enumeration<sys::PRINTER_INFO_4W> SimSpooler::EnumeratePrinters4(uint32_t flags, sys::BufferBytes buffer) {
  std::lock_guard lock(mutex_);
  std::vector<sys::PRINTER_INFO_4W> records;
  for (const StoredPrinter* printer : Listed(flags)) {
    records.push_back({printer->info.pPrinterName, printer->info.pServerName, printer->info.Attributes});
  }
  return Deliver(std::move(records), buffer, Call::EnumPrinters);
}

sys::Enumeration<sys::PRINTER_INFO_5W> SimSpooler::EnumeratePrinters5(uint32_t flags, sys::BufferBytes buffer) {
  std::lock_guard lock(mutex_);
  std::vector<sys::PRINTER_INFO_5W> records;
  for (const StoredPrinter* printer : Listed(flags)) {
    records.push_back({printer->info.pPrinterName, printer->info.pPortName, printer->info.Attributes, 15000, 45000});
  }
  return Deliver(std::move(records), buffer, Call::EnumPrinters);
}

sys::Enumeration<sys::DRIVER_INFO_1W> SimSpooler::EnumerateDrivers1(sys::BufferBytes buffer,
                                                                   const ustring& environment) {
  std::lock_guard lock(mutex_);
  auto drivers = DriversOf(environment);
  if (!drivers) return {};
  std::vector<sys::DRIVER_INFO_1W> records;
  for (const auto& driver : *drivers) records.push_back({driver.pName});
  return Deliver(std::move(records), buffer, Call::EnumDrivers);
}

sys::Enumeration<sys::DRIVER_INFO_3W> SimSpooler::EnumerateDrivers3(sys::BufferBytes buffer,
                                                                   const ustring& environment) {
  std::lock_guard lock(mutex_);
  auto drivers = DriversOf(environment);
  if (!drivers) return {};
  return Deliver(std::move(*drivers), buffer, Call::EnumDrivers);
}

sys::Enumeration<sys::PORT_INFO_2W> SimSpooler::EnumeratePorts2(sys::BufferBytes buffer) {
  std::lock_guard lock(mutex_);
  return Deliver(ports_, buffer, Call::EnumPorts);
}

// --- drivers and the default printer ---

// A file named without a folder is one staged in the driver directory; the
// spooler reports it where it copied it, in the environment's version-3 folder.
bool SimSpooler::InstallDriver(const sys::DRIVER_INFO_3W& info, uint32_t) {
  if (info.pName.empty()) {
    lastError_.Set(winerr::InvalidParameter);
    return false;
  }
  sys::DRIVER_INFO_3W installed = info;
  const ustring environment = info.pEnvironment.empty() ? NativeEnvironment() : info.pEnvironment;
  const ustring versionFolder = system_.SystemDirectory() + u"\\spool\\drivers\\" +
                                (EqualsNoCase(environment, kEnvironmentX64) ? u"x64" : u"w32x86") + u"\\3\\";
  auto place = [&](ustring& file) {
    if (!file.empty() && file.find(u'\\') == ustring::npos) file = versionFolder + file;
  };
  for (ustring* file : {&installed.pDriverPath, &installed.pDataFile, &installed.pConfigFile, &installed.pHelpFile}) {
    place(*file);
  }
  for (ustring& file : installed.pDependentFiles) place(file);
  PutDriver(installed);
  return true;
}

bool SimSpooler::RemoveDriver(const ustring& server, const ustring& environment, const ustring& driverName,
                              uint32_t, uint32_t) {
  std::lock_guard lock(mutex_);
  if (Failing(Call::DeleteDriver)) return false;
  if (!server.empty()) {
    lastError_.Set(winerr::InvalidPrinterName);
    return false;
  }
  auto target = CallerEnvironment(environment);
  if (!target) return false;
  if (!DriverIn(driverName, *target)) {
    lastError_.Set(winerr::UnknownPrinterDriver);
    return false;
  }
  // Printers use the machine's own drivers; another environment's copy is free to go.
  bool inUse = EqualsNoCase(*target, NativeEnvironment()) &&
               std::any_of(printers_.begin(), printers_.end(), [&](const StoredPrinter& p) {
                 return !p.connection && EqualsNoCase(p.info.pDriverName, driverName);
               });
  if (inUse) {
    lastError_.Set(winerr::PrinterDriverInUse);
    return false;
  }
  std::erase_if(drivers_, [&](const auto& d) {
    return EqualsNoCase(d.pName, driverName) && EqualsNoCase(d.pEnvironment, *target);
  });
  return true;
}

bool SimSpooler::ReadDefaultPrinter(ustring& name) {
  std::lock_guard lock(mutex_);
  if (Failing(Call::DefaultPrinter)) return false;
  if (!default_) {
    lastError_.Set(winerr::FileNotFound);
    return false;
  }
  name = *default_;
  return true;
}

bool SimSpooler::WriteDefaultPrinter(const ustring& name) {
  std::lock_guard lock(mutex_);
  if (Failing(Call::DefaultPrinter)) return false;
  const StoredPrinter* printer = PrinterByName(name);
  if (!printer) {
    lastError_.Set(winerr::InvalidPrinterName);
    return false;
  }
  default_ = printer->info.pPrinterName;
  return true;
}

bool SimSpooler::HasXcvData() const {
  std::lock_guard lock(mutex_);
  return xcvDataPresent_;
}

}  // namespace prn::sim
