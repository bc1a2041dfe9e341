#include "ui/printer_change_watcher.h"

#include "trace/trace.h"

namespace prn::ui {

PrinterChangeWatcher::PrinterChangeWatcher(sys::PrinterChangeSource& source, ChangeHandler onChange)
    : source_(source), onChange_(std::move(onChange)) {}

PrinterChangeWatcher::~PrinterChangeWatcher() {
  source_.RequestStop();
  std::lock_guard<std::mutex> hold(mutex_);
  if (thread_.joinable()) thread_.join();
}

void PrinterChangeWatcher::Start() {
  std::lock_guard<std::mutex> hold(mutex_);
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { Run(); });
}

bool PrinterChangeWatcher::Started() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return thread_.joinable();
}

// A handle whose next-change call fails stays signalled, so waiting on it
// again would spin: it is replaced once, and when the new one fails at once
// too, watching ends.
void PrinterChangeWatcher::Run() {
  auto notification = source_.Watch(sys::kPrinterChangePrinter);
  bool replaced = false;
  while (notification) {
    if (notification->WaitForChange() == sys::PrinterChangeNotification::Wake::Stopped) return;
    uint32_t change = 0;
    if (notification->NextChange(change)) {
      replaced = false;
      onChange_(change);
      continue;
    }
    if (replaced) {
      trace::Message(u"FindNextPrinterChangeNotification failed again; spooler changes are no longer watched");
      return;
    }
    notification.reset();
    notification = source_.Watch(sys::kPrinterChangePrinter);
    replaced = true;
  }
}

}  // namespace prn::ui
