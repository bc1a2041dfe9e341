// The time from a spooler change to the repainted printer list of the real
// manager window under Wine. Wine's FindFirstPrinterChangeNotification is a
// stub, so the simulated notification source stands in for it; everything
// after it is real: the watcher thread, the posted message, the rebuild on
// Wine's spooler and the list view's paint. Prints the numbers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "config/process_values.h"
#include "sim/printer_changes.h"
#include "sys/win32/platform.h"
#include "ui/win32/form_manager_window.h"
#include "wine_spooler_fixture.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

class RepaintBench : public WineSpoolerTest {};

TEST_F(RepaintBench, SpoolerChangeToRepaintedList) {
  InstallTestDriver();
  win32::Win32Platform machine;
  config::ProcessValues values;
  SystemPortList ports;
  sim::SimPrinterChanges changes;
  ManagerParts parts;
  parts.machine.removal.platform = machine.Platform();
  parts.machine.removal.platform.spooler = &spooler;
  parts.machine.changes = &changes;
  parts.texts = &values.strInstaller;
  parts.lang = &values.langOptions;
  parts.systemPorts = &ports;
  FormManagerWindow window(GetModuleHandleW(nullptr), parts, false);
  window.Show();
  HWND list = GetDlgItem(window.Handle(), manager_id::Printers);
  const LRESULT before = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);

  sys::PRINTER_INFO_2W info;
  info.pPrinterName = kTestPrinter;
  info.pDriverName = kTestDriver;
  info.pPortName = u"LPT1:";
  info.pPrintProcessor = u"winprint";
  info.pDatatype = u"RAW";
  ASSERT_TRUE(spooler.AddPrinterQueue(info));

  const auto start = std::chrono::steady_clock::now();
  changes.Signal(0x100);  // PRINTER_CHANGE_ADD_PRINTER
  MSG message;
  while (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == before && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  UpdateWindow(list);  // the paint itself
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("spooler change to repainted list under Wine: %.2f ms (%ld printers listed)\n", ms,
              static_cast<long>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), before + 1);
}

}  // namespace
}  // namespace prn::ui
