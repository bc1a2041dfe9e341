#pragma once
// Windows error codes that the portable logic and the simulated machine
// speak, and the thread's last-error value that carries them.

#include <cstdint>

namespace prn::winerr {

constexpr uint32_t Success = 0;
constexpr uint32_t FileNotFound = 2;
constexpr uint32_t PathNotFound = 3;
constexpr uint32_t AccessDenied = 5;
constexpr uint32_t InvalidHandle = 6;
constexpr uint32_t NotEnoughMemory = 8;
constexpr uint32_t InvalidData = 13;
constexpr uint32_t WriteFault = 29;
constexpr uint32_t SharingViolation = 32;
constexpr uint32_t NotSupported = 50;
constexpr uint32_t FileExists = 80;
constexpr uint32_t InvalidParameter = 87;
constexpr uint32_t BrokenPipe = 109;
constexpr uint32_t DiskFull = 112;
constexpr uint32_t InsufficientBuffer = 122;
constexpr uint32_t InvalidName = 123;
constexpr uint32_t ModNotFound = 126;
constexpr uint32_t ProcNotFound = 127;
constexpr uint32_t DirNotEmpty = 145;
constexpr uint32_t AlreadyExists = 183;
constexpr uint32_t NoMoreItems = 259;
constexpr uint32_t StillActive = 259;
constexpr uint32_t Directory = 267;  // the directory name is invalid
constexpr uint32_t ProcessAborted = 1067;
constexpr uint32_t NoUnicodeTranslation = 1113;
constexpr uint32_t Timeout = 1460;
constexpr uint32_t InvalidLevel = 124;
constexpr uint32_t BadExeFormat = 193;  // a library of the other bitness
constexpr uint32_t NotAllAssigned = 1300;
constexpr uint32_t NoSuchPrivilege = 1313;
constexpr uint32_t PrivilegeNotHeld = 1314;
constexpr uint32_t UnknownPort = 1796;
constexpr uint32_t UnknownPrinterDriver = 1797;
constexpr uint32_t UnknownPrintProcessor = 1798;
constexpr uint32_t InvalidEnvironment = 1805;
constexpr uint32_t InvalidPrinterName = 1801;
constexpr uint32_t PrinterAlreadyExists = 1802;
constexpr uint32_t ResourceTypeNotFound = 1813;
constexpr uint32_t ResourceNameNotFound = 1814;
constexpr uint32_t CantAccessFile = 1920;  // a path that leads through a link where none may be
constexpr uint32_t PrinterDriverInUse = 3001;

// SetupAPI codes that cross the device-install library.
constexpr uint32_t NoSuchDevinst = 0xE000020B;
constexpr uint32_t NoDriverSelected = 0xE000020D;
constexpr uint32_t NoAssociatedService = 0xE0000219;
constexpr uint32_t NoCatalogForOemInf = 0xE000022F;
constexpr uint32_t InWow64 = 0xE0000235;  // a device install from a 32-bit process on 64-bit Windows
constexpr uint32_t TrustNoSignature = 0x800B0100;

}  // namespace prn::winerr

namespace prn::sys {

// The calling thread's last-error value, as the platform keeps it.
class LastError {
 public:
  virtual ~LastError() = default;
  virtual uint32_t Get() const = 0;
  virtual void Set(uint32_t code) = 0;
};

}  // namespace prn::sys
