#pragma once
// The thread that waits for spooler changes and reports each one. It
// changes nothing itself: `onChange` runs on the watcher thread and must
// only hand the news on (post it to the window).

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "sys/spooler.h"

namespace prn::ui {

class PrinterChangeWatcher {
 public:
  using ChangeHandler = std::function<void(uint32_t change)>;

  PrinterChangeWatcher(sys::PrinterChangeSource& source, ChangeHandler onChange);
  // Stops the thread and waits for it; its handles are closed by then.
  ~PrinterChangeWatcher();
  PrinterChangeWatcher(const PrinterChangeWatcher&) = delete;
  PrinterChangeWatcher& operator=(const PrinterChangeWatcher&) = delete;

  // Starts the thread the first time; later calls do nothing.
  void Start();
  bool Started() const;

 private:
  void Run();

  sys::PrinterChangeSource& source_;
  ChangeHandler onChange_;
  mutable std::mutex mutex_;
  std::thread thread_;
};

}  // namespace prn::ui
