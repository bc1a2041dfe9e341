#include <windows.h>

#include <gtest/gtest.h>

#include "install/install_context.h"
#include "install/ui_add_printer.h"
#include "spooler/printer_queries.h"
#include "sys/win32/platform.h"
#include "sys/win32/spooler.h"
#include "trace/trace.h"
#include "wine_paths.h"

namespace prn::install {
namespace {

class PrintUiUnderWine : public ::testing::Test {
 protected:
  PrintUiUnderWine() { platform.spooler = &spooler; }

  win32::Win32Platform machine;
  win32::Win32Spooler spooler;
  sys::Platform platform = machine.Platform();
  ustring inf = testing::WinePath(PRN_SOURCE_DIR "/examples/package/QX1/QX1.INF");
};

// What Wine 8's printui.dll does with the install command of the offline
// route: rundll32 starts, says nothing and ends with 0, and neither a driver
// nor a queue appears (PrintUIEntry parses the switches and implements none).
// So the offline install ends with UIAddPrinterFailed under Wine; the
// simulated machine carries the Windows behaviour for the logic's tests.
TEST_F(PrintUiUnderWine, InstallCommandRunsButCreatesNoQueueOrDriver) {
  trace::Capture trace;
  ustring newPrinter;
  EXPECT_EQ(UIAddPrinter(platform, u"Quillon QX1", inf, u"LPT1:", newPrinter), UIAddPrinterFailed);
  EXPECT_TRUE(trace.Contains(u"RunCMD_pipe函數成功調用返回。"));  // it did run
  EXPECT_EQ(newPrinter, u"");
  EXPECT_FALSE(spooler::PrinterExists(spooler, u"Quillon QX1"));
  EXPECT_FALSE(spooler::PrinterDriverExists(spooler, u"Quillon QX1"));
}

TEST_F(PrintUiUnderWine, RundllOfTheSystemFolderExitsWithZeroAndNoOutput) {
  ustring program = u"\"" + testing::SystemFolder() + u"\\rundll32.exe\"";
  auto start = machine.processes.StartCaptured(PrintUiAddPrinterCommand(program, u"Quillon QX1", inf, u"LPT1:"));
  ASSERT_TRUE(start.process) << start.error;
  std::string chunk, output;
  while (start.process->ReadOutput(chunk, 4096) == sys::CapturedProcess::Read::Data) output += chunk;
  start.process->WaitForEnd();
  EXPECT_EQ(start.process->ExitCode(), 0u);
  EXPECT_EQ(output, "");
}

}  // namespace
}  // namespace prn::install
