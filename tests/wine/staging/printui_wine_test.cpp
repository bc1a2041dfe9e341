#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include "install/ui_add_printer.h"
#include "sys/win32/win32_processes.h"
#include "text/ascii.h"
#include "wine_paths.h"

namespace prn {
namespace {

bool LocalPrinterExists(const ustring& name) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::string buffer(needed, '\0');
  if (needed == 0 ||
      !EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed, &count))
    return false;
  auto printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (EqualsNoCase(win32::U(printers[i].pPrinterName), name)) return true;
  }
  return false;
}

// What Wine 8's printui.dll does with the install command the offline route
// sends: rundll32 runs and ends with 0, says nothing, and no queue appears
// (PrintUIEntry parses its switches and implements none). The simulated
// machine carries the command's Windows behaviour for the logic's tests.
TEST(PrintUiUnderWine, InstallCommandRunsButCreatesNoQueue) {
  ustring inf = testing::WinePath(PRN_SOURCE_DIR "/examples/package/QX1/QX1.INF");
  ustring name = u"PrnSetup Wine Probe";
  ustring program = u"\"" + testing::SystemFolder() + u"\\rundll32.exe\"";
  ustring command = install::PrintUiAddPrinterCommand(program, name, inf, u"LPT1:");
  ASSERT_FALSE(LocalPrinterExists(name));

  win32::Win32Processes processes;
  auto start = processes.StartCaptured(command);
  ASSERT_TRUE(start.process) << start.error;
  std::string chunk, output;
  while (start.process->ReadOutput(chunk, 4096) == sys::CapturedProcess::Read::Data) output += chunk;
  start.process->WaitForEnd();
  EXPECT_EQ(start.process->ExitCode(), 0u);
  EXPECT_EQ(output, "");
  EXPECT_FALSE(LocalPrinterExists(name));
}

}  // namespace
}  // namespace prn
