#pragma once
// The USB port library (PLP_RW.DLL of the package, copied into the work folder
// at start): a process-wide list of attached USB printers, rebuilt by
// USBPrintRefresh and read by GetUSBHWID.
// A refresh under another scan's reads would swap the list beneath them, so
// the list is reached only through a Scan, and one Scan at a time exists.

#include <mutex>
#include <string>

#include "text/ustring.h"

namespace prn::sys {

struct UsbPrinterEntry {
  std::string port;      // "USB001"
  std::string deviceId;  // IEEE 1284 ID, "MFG:…;MDL:…;"
};

class UsbPortLibrary {
 public:
  virtual ~UsbPortLibrary() = default;

  // The library file to bind at first use, a full path; empty: there is none,
  // and the answer is "no USB printers". Set once, before the first scan.
  void UseLibraryAt(const ustring& fullPath) {
    std::lock_guard<std::mutex> hold(scanLock_);
    libraryPath_ = fullPath;
  }

  class Scan {
   public:
    explicit Scan(UsbPortLibrary& library) : library_(library), hold_(library.scanLock_) {}
    // USBPrintRefresh: rebuilds the list; its length (0 when the library is missing).
    int Refresh() { return library_.RefreshList(); }
    // GetUSBHWID with two 512-byte buffers, each cut and terminated.
    UsbPrinterEntry Entry(int index) { return library_.ReadEntry(index); }

   private:
    UsbPortLibrary& library_;
    std::lock_guard<std::mutex> hold_;
  };

 protected:
  const ustring& LibraryPath() const { return libraryPath_; }
  virtual int RefreshList() = 0;
  virtual UsbPrinterEntry ReadEntry(int index) = 0;

 private:
  std::mutex scanLock_;
  ustring libraryPath_;
};

}  // namespace prn::sys
