// PLP_RW.DLL as the installer binds it: by its full path (the copy in the work
// folder in the program; here the build's own beside the test).

#include <windows.h>

#include <gtest/gtest.h>

#include "spooler/usb_ports.h"
#include "sys/win32/hardening.h"
#include "sys/win32/spooler.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "sys/win32/usb_port_library.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::win32 {
namespace {

ustring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(U(path));
}

ustring LibraryIn(const ustring& folder) { return JoinPath(folder, u"PLP_RW.DLL"); }

TEST(UsbPortLibrary, OurLibraryBesideTheProgramFindsNoUsbPrintersUnderWine) {
  Win32UsbPortLibrary usb(LibraryIn(ProgramFolder()));
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
  Win32UsbPortLibrary usb(LibraryIn(JoinPath(ProgramFolder(), u"no-such-folder")));
  trace::Capture capture;
  sys::UsbPortLibrary::Scan scan(usb);
  EXPECT_EQ(scan.Refresh(), 0);
  EXPECT_EQ(scan.Entry(0).deviceId, "");
  EXPECT_TRUE(capture.Contains(u"could not be loaded"));
}

// A PLP_RW.DLL that is some other library: copied from System32 for the test.
TEST(UsbPortLibrary, ALibraryWithoutTheExportsMeansNoUsbPrinters) {
  ustring folder = JoinPath(ProgramFolder(), u"usb-lib-without-exports");
  CreateDirectoryW(W(folder), nullptr);
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_TRUE(CopyFileW(W(JoinPath(U(system), u"version.dll")), W(JoinPath(folder, u"PLP_RW.DLL")), FALSE));
  {
    Win32UsbPortLibrary usb(LibraryIn(folder));
    trace::Capture capture;
    sys::UsbPortLibrary::Scan scan(usb);
    EXPECT_EQ(scan.Refresh(), 0);
    EXPECT_TRUE(capture.Contains(u"lacks USBPrintRefresh or GetUSBHWID"));
  }
  DeleteFileW(W(JoinPath(folder, u"PLP_RW.DLL")));
  RemoveDirectoryW(W(folder));
}

TEST(UsbPortLibrary, NoLibraryOrARelativeOneIsNeverSearchedFor) {
  {
    Win32UsbPortLibrary none;
    trace::Capture capture;
    sys::UsbPortLibrary::Scan scan(none);
    EXPECT_EQ(scan.Refresh(), 0);
    EXPECT_TRUE(capture.Contains(u"no USB port library PLP_RW.DLL"));
  }
  Win32UsbPortLibrary usb(u"PLP_RW.DLL");
  trace::Capture capture;
  sys::UsbPortLibrary::Scan scan(usb);
  EXPECT_EQ(scan.Refresh(), 0);
  EXPECT_TRUE(capture.Contains(u"is not a full path"));
}

// The installer restricts the default DLL folders to System32 before it
// binds the library; a library beside it that PLP_RW.DLL imports must still load.
TEST(UsbPortLibrary, ItsOwnDependencyBesideItLoadsInAHardenedProcess) {
  ASSERT_TRUE(HardenProcess().dllDirectories);
  Win32UsbPortLibrary usb(LibraryIn(JoinPath(ProgramFolder(), u"usb-dependency")));
  trace::Capture capture;
  sys::UsbPortLibrary::Scan scan(usb);
  EXPECT_EQ(scan.Refresh(), 1);  // the count comes from the dependency
  EXPECT_FALSE(capture.Contains(u"could not be loaded"));
}

}  // namespace
}  // namespace prn::win32
