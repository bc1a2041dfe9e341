#pragma once
// The print spooler (winspool.drv) at the granularity the installer uses.
//
// Records carry the members of the spooler's published structures under
// their published names, with owned UTF-16 strings instead of pointers; an
// empty string stands for a null pointer. Two layouts are byte-exact because
// they travel as bytes: DEVMODEW (its 220-byte public part) and PORT_DATA_1.
//
// Every call leaves the thread's last-error value as the spooler sets it
// (sys::LastError reads it), and answers success as a Boolean, as winspool
// does. Methods are named apart from the A/W macros of <windows.h>.
// Change notifications come through a source of their own, with a way for
// another thread to end a wait.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {

// Published spooler values, named apart from the <windows.h> macros.
namespace spool {
constexpr uint32_t EnumLocal = 0x2;           // PRINTER_ENUM_LOCAL
constexpr uint32_t EnumConnections = 0x4;     // PRINTER_ENUM_CONNECTIONS

constexpr uint32_t AttributeShared = 0x8;       // PRINTER_ATTRIBUTE_SHARED
constexpr uint32_t AttributeNetwork = 0x10;     // PRINTER_ATTRIBUTE_NETWORK
constexpr uint32_t AttributeLocal = 0x40;       // PRINTER_ATTRIBUTE_LOCAL
constexpr uint32_t AttributeWorkOffline = 0x400;  // PRINTER_ATTRIBUTE_WORK_OFFLINE
constexpr uint32_t AttributeRawOnly = 0x1000;   // PRINTER_ATTRIBUTE_RAW_ONLY

constexpr uint32_t StatusOffline = 0x80;         // PRINTER_STATUS_OFFLINE
constexpr uint32_t StatusNotAvailable = 0x1000;  // PRINTER_STATUS_NOT_AVAILABLE

constexpr uint32_t ServerAccessAdminister = 0x1;   // SERVER_ACCESS_ADMINISTER
constexpr uint32_t PrinterAccessAdminister = 0x4;  // PRINTER_ACCESS_ADMINISTER
constexpr uint32_t PrinterAccessUse = 0x8;         // PRINTER_ACCESS_USE
constexpr uint32_t PrinterAllAccess = 0xF000C;     // PRINTER_ALL_ACCESS

constexpr uint32_t DeleteUnusedFiles = 0x1;  // DPD_DELETE_UNUSED_FILES
constexpr uint32_t CopyNewFiles = 0x8;       // APD_COPY_NEW_FILES

constexpr uint32_t FieldFormName = 0x10000;  // DM_FORMNAME
}  // namespace spool

// Text in the fixed UTF-16 arrays of the records below (DEVMODEW, PORT_DATA_1).

// Copies what fits and keeps the terminator; callers check the length first
// where a cut would change the meaning.
template <size_t N>
void CopyFixedText(char16_t (&target)[N], ustring_view text) {
  std::fill(target, target + N, u'\0');
  std::copy_n(text.begin(), std::min(text.size(), N - 1), target);
}

// The text up to the terminator (or the whole array when there is none).
template <size_t N>
ustring FixedText(const char16_t (&chars)[N]) {
  return ustring(chars, std::find(chars, chars + N, u'\0'));
}

// Characters the array holds besides its terminator.
template <size_t N>
constexpr size_t FixedTextCapacity(const char16_t (&)[N]) {
  return N - 1;
}

// The public part of the spooler's DEVMODEW (printer view of its unions),
// byte for byte: dmDeviceName through dmPanningHeight.
struct DEVMODEW {
  char16_t dmDeviceName[32];
  uint16_t dmSpecVersion;
  uint16_t dmDriverVersion;
  uint16_t dmSize;
  uint16_t dmDriverExtra;
  uint32_t dmFields;
  int16_t dmOrientation;
  int16_t dmPaperSize;
  int16_t dmPaperLength;
  int16_t dmPaperWidth;
  int16_t dmScale;
  int16_t dmCopies;
  int16_t dmDefaultSource;
  int16_t dmPrintQuality;
  int16_t dmColor;
  int16_t dmDuplex;
  int16_t dmYResolution;
  int16_t dmTTOption;
  int16_t dmCollate;
  char16_t dmFormName[32];
  uint16_t dmLogPixels;
  uint32_t dmBitsPerPel;
  uint32_t dmPelsWidth;
  uint32_t dmPelsHeight;
  uint32_t dmNup;
  uint32_t dmDisplayFrequency;
  uint32_t dmICMMethod;
  uint32_t dmICMIntent;
  uint32_t dmMediaType;
  uint32_t dmDitherType;
  uint32_t dmReserved1;
  uint32_t dmReserved2;
  uint32_t dmPanningWidth;
  uint32_t dmPanningHeight;
};
static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW public part is 220 bytes");

// A printer's device mode as the spooler keeps it: the public part followed by
// dmDriverExtra bytes that belong to the driver.
struct DeviceMode {
  DEVMODEW dm{};
  std::vector<uint8_t> driverExtra;
};

// The Standard TCP/IP port monitor's request (tcpxcv.h), byte for byte.
struct PORT_DATA_1 {
  char16_t sztPortName[64];
  uint32_t dwVersion;
  uint32_t dwProtocol;
  uint32_t cbSize;
  uint32_t dwReserved;
  char16_t sztHostAddress[49];
  char16_t sztSNMPCommunity[33];
  uint32_t dwDoubleSpool;
  char16_t sztQueue[33];
  char16_t sztIPAddress[16];
  uint8_t Reserved[540];
  uint32_t dwPortNumber;
  uint32_t dwSNMPEnabled;
  uint32_t dwSNMPDevIndex;
};
static_assert(sizeof(PORT_DATA_1) == 964, "PORT_DATA_1 is 964 bytes");

struct PRINTER_INFO_2W {
  ustring pServerName;
  ustring pPrinterName;
  ustring pShareName;
  ustring pPortName;  // several ports of a pooled printer, comma-separated
  ustring pDriverName;
  ustring pComment;
  ustring pLocation;
  std::optional<DeviceMode> pDevMode;
  ustring pSepFile;
  ustring pPrintProcessor;
  ustring pDatatype;
  ustring pParameters;
  uint32_t Attributes = 0;
  uint32_t Priority = 0;
  uint32_t DefaultPriority = 0;
  uint32_t StartTime = 0;
  uint32_t UntilTime = 0;
  uint32_t Status = 0;
  uint32_t cJobs = 0;
  uint32_t AveragePPM = 0;
};

struct PRINTER_INFO_4W {
  ustring pPrinterName;
  ustring pServerName;
  uint32_t Attributes = 0;
};

struct PRINTER_INFO_5W {
  ustring pPrinterName;
  ustring pPortName;
  uint32_t Attributes = 0;
  uint32_t DeviceNotSelectedTimeout = 0;
  uint32_t TransmissionRetryTimeout = 0;
};

struct DRIVER_INFO_1W {
  ustring pName;
};

struct DRIVER_INFO_3W {
  uint32_t cVersion = 3;
  ustring pName;
  ustring pEnvironment;
  ustring pDriverPath;
  ustring pDataFile;
  ustring pConfigFile;
  ustring pHelpFile;
  StringList pDependentFiles;  // the multi-string, one item each
  ustring pMonitorName;
  ustring pDefaultDataType;
};

struct PORT_INFO_2W {
  ustring pPortName;
  ustring pMonitorName;
  ustring pDescription;
  uint32_t fPortType = 0;
  uint32_t Reserved = 0;
};

struct JOB_INFO_1W {  // Submitted (SYSTEMTIME) is not carried
  uint32_t JobId = 0;
  ustring pPrinterName;
  ustring pMachineName;
  ustring pUserName;
  ustring pDocument;
  ustring pDatatype;
  ustring pStatus;
  uint32_t Status = 0;
  uint32_t Priority = 0;
  uint32_t Position = 0;
  uint32_t TotalPages = 0;
  uint32_t PagesPrinted = 0;
};

struct PRINTER_DEFAULTSW {
  std::optional<ustring> pDatatype;
  std::optional<DEVMODEW> pDevMode;  // the public part only: dmDriverExtra must be 0
  uint32_t DesiredAccess = 0;
};

// Result of one enumeration. With a caller-given buffer size the call is made
// once, as with a fixed buffer: when the records do not fit it fails with
// ERROR_INSUFFICIENT_BUFFER (122) and bytesNeeded says how many it wanted.
// Without one the implementation asks for the size first and then fetches.
template <typename Record>
struct Enumeration {
  bool ok = false;
  uint32_t bytesNeeded = 0;
  std::vector<Record> records;
};

using BufferBytes = std::optional<uint32_t>;

// An open spooler handle (a printer or a port monitor); closed when it goes.
class Printer {
 public:
  virtual ~Printer() = default;

  virtual bool GetInfo2(PRINTER_INFO_2W& info) = 0;  // GetPrinterW level 2
  virtual bool GetInfo5(PRINTER_INFO_5W& info) = 0;  // GetPrinterW level 5
  virtual bool SetInfo2(const PRINTER_INFO_2W& info) = 0;  // SetPrinterW level 2, command 0
  // GetPrinterDriverW level 3 for the current environment.
  virtual bool GetDriverInfo3(DRIVER_INFO_3W& info) = 0;
  virtual Enumeration<JOB_INFO_1W> EnumerateJobs(uint32_t firstJob, uint32_t jobCount,
                                                 BufferBytes buffer = {}) = 0;
  // DocumentPropertiesW: the size query, then the fetch with DM_OUT_BUFFER;
  // nothing unless the fetch answers IDOK.
  virtual std::optional<DeviceMode> ReadDocumentProperties(const ustring& deviceName) = 0;
  // XcvDataW on a monitor handle. `status` is the monitor's own answer.
  virtual bool SendXcvData(const ustring& command, const std::vector<uint8_t>& input,
                           uint32_t outputBytes, uint32_t& needed, uint32_t& status) = 0;
  // DeletePrinter: removes the queue this handle stands for.
  virtual bool DeleteQueue() = 0;
  // SetPrinterW level 0 with PRINTER_CONTROL_SET_STATUS: the queue's status value.
  virtual bool SetQueueStatus(uint32_t status) = 0;
};

class Spooler {
 public:
  virtual ~Spooler() = default;

  // EnumPrintersW (local server) at levels 2, 4 and 5.
  virtual Enumeration<PRINTER_INFO_2W> EnumeratePrinters2(uint32_t flags, BufferBytes buffer = {}) = 0;
  virtual Enumeration<PRINTER_INFO_4W> EnumeratePrinters4(uint32_t flags, BufferBytes buffer = {}) = 0;
  virtual Enumeration<PRINTER_INFO_5W> EnumeratePrinters5(uint32_t flags, BufferBytes buffer = {}) = 0;
  // EnumPrinterDriversW, local server; an empty environment is passed as null
  // (the caller's own: "Windows NT x86" for a 32-bit program on 64-bit Windows).
  virtual Enumeration<DRIVER_INFO_1W> EnumerateDrivers1(BufferBytes buffer = {}, const ustring& environment = {}) = 0;
  virtual Enumeration<DRIVER_INFO_3W> EnumerateDrivers3(BufferBytes buffer = {}, const ustring& environment = {}) = 0;
  // EnumPortsW, local server, level 2.
  virtual Enumeration<PORT_INFO_2W> EnumeratePorts2(BufferBytes buffer = {}) = 0;

  // OpenPrinterW. A name ",XcvMonitor <monitor>" opens a port monitor.
  // Null when the open fails (the reason is in the last error).
  virtual std::unique_ptr<Printer> OpenPrinterHandle(const ustring& name,
                                                     const PRINTER_DEFAULTSW* defaults = nullptr) = 0;
  // AddPrinterW level 2 on the local server; the new queue's handle, or null.
  virtual std::unique_ptr<Printer> AddPrinterQueue(const PRINTER_INFO_2W& info) = 0;

  // AddPrinterDriverExW level 3 on the local server (environment empty: current).
  virtual bool InstallDriver(const DRIVER_INFO_3W& info, uint32_t copyFlags) = 0;
  // DeletePrinterDriverExW; an empty server or environment is passed as null.
  virtual bool RemoveDriver(const ustring& server, const ustring& environment,
                            const ustring& driverName, uint32_t deleteFlag, uint32_t versionFlag) = 0;

  // GetDefaultPrinterW / SetDefaultPrinterW. With no default printer the read
  // fails with ERROR_FILE_NOT_FOUND (2).
  virtual bool ReadDefaultPrinter(ustring& name) = 0;
  virtual bool WriteDefaultPrinter(const ustring& name) = 0;

  // Whether winspool.drv has XcvDataW at all.
  virtual bool HasXcvData() const = 0;
};

// Spooler change notifications (FindFirst/FindNextPrinterChangeNotification
// on the local server).
constexpr uint32_t kPrinterChangePrinter = 0xFF;  // PRINTER_CHANGE_PRINTER

// One notification handle on an open server handle; both closed when it goes.
class PrinterChangeNotification {
 public:
  enum class Wake { Changed, Stopped };
  virtual ~PrinterChangeNotification() = default;
  // Waits without time limit until the handle is signalled or a stop was asked.
  virtual Wake WaitForChange() = 0;
  // FindNextPrinterChangeNotification; false when it failed.
  virtual bool NextChange(uint32_t& change) = 0;
};

class PrinterChangeSource {
 public:
  virtual ~PrinterChangeSource() = default;
  // Opens ",XcvMonitor Local Port" with SERVER_ACCESS_ADMINISTER and asks for
  // notifications of `filter`; null when the open or the request fails.
  virtual std::unique_ptr<PrinterChangeNotification> Watch(uint32_t filter) = 0;
  // From any thread: every wait, now and later, ends with Stopped.
  virtual void RequestStop() = 0;
};

}  // namespace prn::sys
