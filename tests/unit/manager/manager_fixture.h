#pragma once
// A simulated machine with the English language file loaded, the spooler's
// change notifications and printer dialogs, and a window thread whose posted
// tasks run only when the test drains them.

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "app/process_values.h"
#include "sys/sim/machine.h"
#include "sys/sim/sim_printer_changes.h"
#include "sys/sim/sim_printer_commands.h"
#include "ui/form_manager.h"
#include "ui/task_poster.h"

namespace prn::testing {

inline constexpr char16_t kManagerDriver[] = u"Quillon QX1";

class ManualPoster : public ui::TaskPoster {
 public:
  void Post(std::function<void()> task) override;
  // Runs what was posted so far; answers how many tasks ran.
  int Drain();
  size_t Waiting() const;
  // Blocks until `count` tasks wait (false after ten seconds).
  bool WaitFor(size_t count);

 private:
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

class ManagerTest : public ::testing::Test {
 protected:
  ManagerTest();

  // The manager for a Windows version code (major × 10 + minor).
  ui::TFormManager& Manager(int32_t winVer = 100);
  void PutPrinter(const ustring& name, const ustring& port, uint32_t attributes = 0, const ustring& server = {});

  sim::Machine machine;
  app::ProcessValues values;
  ui::SystemPortList systemPorts;
  ManualPoster poster;
  sim::SimPrinterChanges changes;
  sim::SimPrinterCommands commands{machine.spooler};
  std::unique_ptr<ui::TFormManager> manager;
};

}  // namespace prn::testing
