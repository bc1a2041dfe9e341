#include "wine_spooler_fixture.h"

#include <winspool.h>

#include <string>

#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::testing {

namespace {

constexpr char16_t kDataFileName[] = u"prn-wine-test.gpd";
constexpr wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::vector<uint8_t> Terminated(const ustring& text) {
  ustring terminated = text + u'\0';
  auto bytes = reinterpret_cast<const uint8_t*>(terminated.data());
  return std::vector<uint8_t>(bytes, bytes + terminated.size() * 2);
}

ustring DriverDirectory() {
  wchar_t folder[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed);
  return win32::U(folder);
}

}  // namespace

void WineSpoolerTest::SetUp() { CleanUp(); }
void WineSpoolerTest::TearDown() { CleanUp(); }

// The data file is staged in the driver directory, from where the spooler
// copies it into the version folder; wineps.drv is Wine's own, already there.
void WineSpoolerTest::InstallTestDriver() {
  ustring staged = JoinPath(DriverDirectory(), kDataFileName);
  HANDLE file = CreateFileW(win32::W(staged), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char content[] = "*GPDFileVersion: \"1.0.2.8\"\r\n";
  DWORD written = 0;
  WriteFile(file, content, sizeof content - 1, &written, nullptr);
  CloseHandle(file);

  sys::DRIVER_INFO_3W driver;
  driver.pName = kTestDriver;
  driver.pDriverPath = u"wineps.drv";
  driver.pConfigFile = u"wineps.drv";
  driver.pDataFile = kDataFileName;
  ASSERT_TRUE(spooler.InstallDriver(driver, sys::spool::CopyNewFiles));
}

void WineSpoolerTest::DeletePrinterIfPresent(const ustring& name) {
  sys::PRINTER_DEFAULTSW all;
  all.DesiredAccess = sys::spool::PrinterAllAccess;
  // Wine lets AddPrinterW add a second queue of the same name.
  for (int i = 0; i < 4; ++i) {
    auto printer = spooler.OpenPrinterHandle(name, &all);
    if (!printer || !printer->DeleteQueue()) return;
  }
}

void WineSpoolerTest::DeleteLocalPort(const ustring& name) {
  sys::PRINTER_DEFAULTSW admin;
  admin.DesiredAccess = sys::spool::ServerAccessAdminister;
  auto monitor = spooler.OpenPrinterHandle(u",XcvMonitor Local Port", &admin);
  if (!monitor) return;
  uint32_t needed = 0;
  uint32_t status = 0;
  monitor->SendXcvData(u"DeletePort", Terminated(name), 0, needed, status);
}

void WineSpoolerTest::CleanUp() {
  ForgetDefaultPrinterIfOurs();
  DeletePrinterIfPresent(kTestPrinter);
  RemoveTestDriver();
  DeleteLocalPort(kTestLocalPort);
}

// Wine removes the driver's registry entry only; our data file goes here
// (wineps.drv stays: it is Wine's).
void WineSpoolerTest::RemoveTestDriver() {
  spooler.RemoveDriver(u"", u"", kTestDriver, 0, 0);
  DeleteFileW(win32::W(JoinPath(DriverDirectory(), kDataFileName)));
  DeleteFileW(win32::W(JoinPath(DriverDirectory(), ustring(u"3\\") + kDataFileName)));
}

// Wine keeps the default as "name,winspool,port" in the user's profile and
// has no call that clears it; a deleted test printer must not stay default.
void WineSpoolerTest::ForgetDefaultPrinterIfOurs() {
  win32::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kWindowsKey, 0, KEY_READ | KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return;
  wchar_t device[512] = {};
  DWORD size = sizeof device - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), L"device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &size) != ERROR_SUCCESS) {
    return;
  }
  if (StartsWithNoCase(win32::U(device), ustring(kTestPrinter) + u",")) RegDeleteValueW(key.Get(), L"device");
}

}  // namespace prn::testing
