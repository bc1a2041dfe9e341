// PLP_RW.DLL as the installer binds it: by full path beside the program.

#include <windows.h>

#include <gtest/gtest.h>

#include "spooler/usb_ports.h"
#include "sys/win32/win32_basics.h"
#include "sys/win32/win32_spooler.h"
#include "sys/win32/win32_text.h"
#include "sys/win32/win32_usb_port_library.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::win32 {
namespace {

ustring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(U(path));
}

TEST(UsbPortLibrary, OurLibraryBesideTheProgramFindsNoUsbPrintersUnderWine) {
  Win32UsbPortLibrary usb(JoinPath(ProgramFolder(), u"PLP_RW.DLL"));
  trace::Capture capture;
  {
    sys::UsbPortLibrary::Scan scan(usb);
    EXPECT_EQ(scan.Refresh(), 0);
    EXPECT_EQ(scan.Entry(0).port, "");
  }
  EXPECT_FALSE(capture.Contains(u"no USB printers"));

  Win32Spooler spooler;
  Win32LastError lastError;
  Win32CodePage codePage;
  EXPECT_EQ(spooler::GetOnlineUSBPortForNotInstallDriver(usb, spooler, lastError, codePage, u"Quillon", u""), u"");
}

TEST(UsbPortLibrary, AMissingLibraryIsTracedAndMeansNoUsbPrinters) {
  Win32UsbPortLibrary usb(JoinPath(ProgramFolder(), u"no-such-folder\\PLP_RW.DLL"));
  trace::Capture capture;
  sys::UsbPortLibrary::Scan scan(usb);
  EXPECT_EQ(scan.Refresh(), 0);
  EXPECT_EQ(scan.Entry(0).deviceId, "");
  EXPECT_TRUE(capture.Contains(u"could not be loaded"));
}

TEST(UsbPortLibrary, ALibraryWithoutTheExportsMeansNoUsbPrinters) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  Win32UsbPortLibrary usb(JoinPath(U(system), u"version.dll"));
  trace::Capture capture;
  sys::UsbPortLibrary::Scan scan(usb);
  EXPECT_EQ(scan.Refresh(), 0);
  EXPECT_TRUE(capture.Contains(u"lacks USBPrintRefresh or GetUSBHWID"));
}

}  // namespace
}  // namespace prn::win32
