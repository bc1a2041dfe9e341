#include "sim/usb_port_library.h"

#include <algorithm>

namespace prn::sim {

namespace {
constexpr size_t kBufferBytes = 512;  // what the installer hands GetUSBHWID
}

thread_local int SimUsbPortLibrary::t_lastRefreshSeen = 0;

void SimUsbPortLibrary::Attach(const std::string& port, const std::string& deviceId) {
  std::lock_guard lock(mutex_);
  attached_.push_back({port, deviceId});
}

void SimUsbPortLibrary::DetachAll() {
  std::lock_guard lock(mutex_);
  attached_.clear();
}

void SimUsbPortLibrary::SetMissing(bool missing) {
  std::lock_guard lock(mutex_);
  missing_ = missing;
}

int SimUsbPortLibrary::RefreshList() {
  std::lock_guard lock(mutex_);
  if (missing_) return 0;
  list_ = attached_;
  t_lastRefreshSeen = ++refreshes_;
  return static_cast<int>(list_.size());
}

sys::UsbPrinterEntry SimUsbPortLibrary::ReadEntry(int index) {
  std::lock_guard lock(mutex_);
  if (t_lastRefreshSeen != refreshes_) ++overlapped_;
  if (missing_ || index < 0 || static_cast<size_t>(index) >= list_.size()) return {};
  sys::UsbPrinterEntry entry = list_[index];
  // The buffers hold 511 characters and their terminator.
  entry.port.resize(std::min(entry.port.size(), kBufferBytes - 1));
  entry.deviceId.resize(std::min(entry.deviceId.size(), kBufferBytes - 1));
  return entry;
}

}  // namespace prn::sim
