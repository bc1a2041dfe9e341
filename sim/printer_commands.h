#pragma once
// The shell's printer dialogs on the simulated machine: each request is
// recorded; a request for a printer the spooler does not have fails.

#include <vector>

#include "sys/dialogs.h"
#include "sys/spooler.h"

namespace prn::sim {

class SimPrinterCommands : public sys::PrinterCommands {
 public:
  struct Request {
    sys::WindowHandle owner = 0;
    uint32_t action = 0;
    ustring printerName;
  };

  explicit SimPrinterCommands(sys::Spooler& spooler) : spooler_(spooler) {}
  bool InvokePrinterCommand(sys::WindowHandle owner, uint32_t action, const ustring& printerName) override {
    requests_.push_back({owner, action, printerName});
    return spooler_.OpenPrinterHandle(printerName) != nullptr;
  }
  const std::vector<Request>& Requests() const { return requests_; }

 private:
  sys::Spooler& spooler_;
  std::vector<Request> requests_;
};

}  // namespace prn::sim
