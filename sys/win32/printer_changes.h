#pragma once
// Spooler change notifications through winspool.drv, with an event that
// ends every wait when the watcher is stopped.

#include <memory>

#include "sys/spooler.h"
#include "sys/win32/handle.h"

namespace prn::win32 {

struct WinspoolApi;

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
