#pragma once
// Spooler change notifications (FindFirst/FindNextPrinterChangeNotification
// on the local server), with a way for another thread to end a wait.

#include <cstdint>
#include <memory>

namespace prn::sys {

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
