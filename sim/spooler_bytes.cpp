#include "sim/spooler.h"

#include <initializer_list>

namespace prn::sim {

namespace {

constexpr uint32_t kPointer = 4;  // the installer is a 32-bit process
constexpr uint32_t kDword = 4;

// A null pointer for an empty text, else the characters and the terminator.
uint32_t Strings(std::initializer_list<const ustring*> texts) {
  uint32_t bytes = 0;
  for (const ustring* text : texts) {
    if (!text->empty()) bytes += static_cast<uint32_t>((text->size() + 1) * 2);
  }
  return bytes;
}

}  // namespace

uint32_t BufferBytes(const sys::PRINTER_INFO_2W& i) {
  uint32_t bytes = 13 * kPointer + 8 * kDword;
  bytes += Strings({&i.pServerName, &i.pPrinterName, &i.pShareName, &i.pPortName, &i.pDriverName, &i.pComment,
                    &i.pLocation, &i.pSepFile, &i.pPrintProcessor, &i.pDatatype, &i.pParameters});
  if (i.pDevMode) bytes += sizeof(sys::DEVMODEW) + static_cast<uint32_t>(i.pDevMode->driverExtra.size());
  return bytes;
}

uint32_t BufferBytes(const sys::PRINTER_INFO_4W& i) {
  return 2 * kPointer + kDword + Strings({&i.pPrinterName, &i.pServerName});
}

uint32_t BufferBytes(const sys::PRINTER_INFO_5W& i) {
  return 2 * kPointer + 3 * kDword + Strings({&i.pPrinterName, &i.pPortName});
}

uint32_t BufferBytes(const sys::DRIVER_INFO_1W& i) { return kPointer + Strings({&i.pName}); }

uint32_t BufferBytes(const sys::DRIVER_INFO_3W& i) {
  uint32_t bytes = kDword + 9 * kPointer;
  bytes += Strings({&i.pName, &i.pEnvironment, &i.pDriverPath, &i.pDataFile, &i.pConfigFile, &i.pHelpFile,
                    &i.pMonitorName, &i.pDefaultDataType});
  if (!i.pDependentFiles.empty()) {
    for (const ustring& file : i.pDependentFiles) bytes += Strings({&file});
    bytes += 2;  // the list's closing terminator
  }
  return bytes;
}

uint32_t BufferBytes(const sys::PORT_INFO_2W& i) {
  return 3 * kPointer + 2 * kDword + Strings({&i.pPortName, &i.pMonitorName, &i.pDescription});
}

uint32_t BufferBytes(const sys::JOB_INFO_1W& i) {
  constexpr uint32_t kSystemTime = 16;
  return kDword + 6 * kPointer + 5 * kDword + kSystemTime +
         Strings({&i.pPrinterName, &i.pMachineName, &i.pUserName, &i.pDocument, &i.pDatatype, &i.pStatus});
}

}  // namespace prn::sim
