#include "contract/win32/win32_machine.h"

#include <windows.h>
#include <winspool.h>

#include "contract/scene.h"
#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include <string>
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::contract {

namespace {

constexpr wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr bool kWide = sizeof(void*) == 8;

std::vector<uint8_t> Terminated(const ustring& text) {
  ustring terminated = text + u'\0';
  auto bytes = reinterpret_cast<const uint8_t*>(terminated.data());
  return std::vector<uint8_t>(bytes, bytes + terminated.size() * 2);
}

TestCommand QuotedCommand(const ustring& program, const ustring& arguments) {
  return {program, u"\"" + program + u"\" " + arguments};
}

TestCommand Cmd(const ustring& arguments) {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return QuotedCommand(JoinPath(win32::U(folder, length), u"cmd.exe"), u"/c " + arguments);
}

}  // namespace

Win32Machine::Win32Machine() { CleanUp(); }
Win32Machine::~Win32Machine() { CleanUp(); }

ustring Win32Machine::ScratchFolder() const {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, buffer);
  return JoinPath(win32::U(buffer, length), u"prn-contract");
}

ustring Win32Machine::DriverDirectory() const {
  wchar_t folder[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed);
  return win32::U(folder);
}

ustring Win32Machine::OwnEnvironment() const { return kWide ? u"Windows x64" : u"Windows NT x86"; }
ustring Win32Machine::OtherEnvironment() const { return kWide ? u"Windows NT x86" : u"Windows x64"; }

TestCommand Win32Machine::CommandThatPrints(const ustring& word) const { return Cmd(u"echo " + word); }

TestCommand Win32Machine::CommandThatExits(uint32_t code) const { return Cmd(u"exit " + ToDecimal(code)); }

TestCommand Win32Machine::CommandThatLeavesAFile(const ustring& file) const {
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  const ustring child = JoinPath(FolderPart(win32::U(self, length)), u"prn_test_child.exe");
  return QuotedCommand(child, u"close-output 1500 \"" + file + u"\"");
}

void Win32Machine::DeletePrinterIfPresent(const ustring& name) {
  sys::PRINTER_DEFAULTSW all;
  all.DesiredAccess = sys::spool::PrinterAllAccess;
  // Wine lets AddPrinterW add a second queue of the same name.
  for (int i = 0; i < 4; ++i) {
    auto printer = spooler_.OpenPrinterHandle(name, &all);
    if (!printer || !printer->DeleteQueue()) return;
  }
}

void Win32Machine::CleanUp() {
  ForgetDefaultPrinterIfOurs();
  DeletePrinterIfPresent(kTestPrinter);
  RemoveTestDriver();
  DeleteLocalPort(kTestLocalPort);
  files_.DeleteTree(ScratchFolder());
  RemoveRegistryRoot();
}

void Win32Machine::DeleteLocalPort(const ustring& name) {
  sys::PRINTER_DEFAULTSW admin;
  admin.DesiredAccess = sys::spool::ServerAccessAdminister;
  auto monitor = spooler_.OpenPrinterHandle(u",XcvMonitor Local Port", &admin);
  if (!monitor) return;
  uint32_t needed = 0;
  uint32_t status = 0;
  monitor->SendXcvData(u"DeletePort", Terminated(name), 0, needed, status);
}

// Wine removes the driver's registry entry only; the staged data file and
// the spooler's copy of it go here (wineps.drv stays: it is Wine's).
void Win32Machine::RemoveTestDriver() {
  spooler_.RemoveDriver(u"", u"", kTestDriver, 0, 0);
  files_.RemoveFile(JoinPath(DriverDirectory(), kTestDataFile));
  files_.RemoveFile(JoinPath(DriverDirectory(), ustring(u"3\\") + kTestDataFile));
}

// Wine keeps the default as "name,winspool,port" in the user's profile and
// has no call that clears it; a deleted test printer must not stay default.
void Win32Machine::ForgetDefaultPrinterIfOurs() {
  win32::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kWindowsKey, 0, KEY_READ | KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return;
  wchar_t device[512] = {};
  DWORD size = sizeof device - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), L"device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &size) != ERROR_SUCCESS) {
    return;
  }
  if (StartsWithNoCase(win32::U(device), ustring(kTestPrinter) + u",")) RegDeleteValueW(key.Get(), L"device");
}

void Win32Machine::RemoveRegistryRoot() {
  for (auto view : {sys::RegistryView::Default, sys::RegistryView::Force32, sys::RegistryView::Force64}) {
    registry_.DeleteTree(kTestRegistryRoot, view);
  }
}

}  // namespace prn::contract
