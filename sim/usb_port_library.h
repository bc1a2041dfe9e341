#pragma once
// The simulated USB port library: the attached USB printers with their port
// and IEEE 1284 device ID. It counts refreshes and notices a refresh that
// lands between another scan's refresh and its reads.

#include <atomic>
#include <mutex>
#include <vector>

#include "sys/usb_port_library.h"

namespace prn::sim {

class SimUsbPortLibrary : public sys::UsbPortLibrary {
 public:
  void Attach(const std::string& port, const std::string& deviceId);
  void DetachAll();
  // As when PLP_RW.DLL is missing beside the executable: no USB printers.
  void SetMissing(bool missing);

  int RefreshCount() const { return refreshes_; }
  // The file the installer told the library to bind (the simulated library
  // answers from the attached printers whatever the file holds).
  const ustring& BoundFile() const { return LibraryPath(); }
  // Reads that found the list rebuilt by another thread since their own refresh.
  int OverlappedReads() const { return overlapped_; }

 protected:
  int RefreshList() override;
  sys::UsbPrinterEntry ReadEntry(int index) override;

 private:
  mutable std::mutex mutex_;
  std::vector<sys::UsbPrinterEntry> attached_;
  std::vector<sys::UsbPrinterEntry> list_;
  bool missing_ = false;
  std::atomic<int> refreshes_{0};
  std::atomic<int> overlapped_{0};
  static thread_local int t_lastRefreshSeen;
};

}  // namespace prn::sim
