#pragma once
// A simulated machine with the English language file loaded, the spooler's
// change notifications and printer dialogs, and a window thread whose posted
// tasks run only when the test runs them.

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "config/process_values.h"
#include "sim/machine.h"
#include "sim/printer_changes.h"
#include "sim/printer_commands.h"
#include "testing/test_package.h"
#include "ui/form_manager.h"

namespace prn::testing {

class ManagerTest : public ::testing::Test {
 protected:
  ManagerTest();

  // The manager for a Windows version code (major × 10 + minor).
  ui::TFormManager& Manager(int32_t winVer = 100);
  void PutPrinter(const ustring& name, const ustring& port, uint32_t attributes = 0, const ustring& server = {});

  sim::Machine machine;
  config::ProcessValues values;
  ui::SystemPortList systemPorts;
  // The window thread: what is posted to it runs when the test says so.
  bool WaitForPosted(size_t count) { return machine.uiThread.WaitForPending(count, std::chrono::seconds(10)); }
  size_t RunPosted() { return machine.uiThread.RunPending(); }
  sim::SimPrinterChanges changes;
  sim::SimPrinterCommands commands{machine.spooler};
  std::unique_ptr<ui::TFormManager> manager;
};

}  // namespace prn::testing
