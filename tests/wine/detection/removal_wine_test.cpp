// Removal against Wine's registry, INF folder and spooler.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "removal/uninstall_registry.h"
#include "removal/delete_printer_and_driver.h"
#include "sys/win32/text.h"
#include "text/winpath.h"
#include "trace/trace.h"
#include "wine_machine.h"

namespace prn::removal {
namespace {

using namespace prn::testing;

constexpr char16_t kMaker[] = u"PrnWineTest";
constexpr wchar_t kMakerKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PrnWineTest Printer Utilities";
constexpr wchar_t kDriver[] = L"PrnWineTest QX1";
// The registry view a process of this build opens without asking for one.
constexpr REGSAM kOwnView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// Registry keys written and read with the raw API in an explicit view
// (KEY_WOW64_32KEY or KEY_WOW64_64KEY), independent of the code under test.
class UninstallRegistryOnWine : public ::testing::Test {
 protected:
  void SetUp() override { CleanUp(); }
  void TearDown() override { CleanUp(); }

  static std::wstring DriverKey(const wchar_t* driver) {
    return std::wstring(kMakerKey) + L"\\PrinterDrivers\\" + driver;
  }
  void Put(REGSAM view, const wchar_t* driver, std::optional<DWORD> leaveOemInf) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, DriverKey(driver).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (leaveOemInf) {
      RegSetValueExW(key, L"Leave OEM INF", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*leaveOemInf),
                     sizeof(DWORD));
    }
    RegCloseKey(key);
  }
  static bool Exists(REGSAM view, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  bool Delete(bool wow64, const wchar_t* driver = kDriver) {
    RemovalContext context{machine.Platform(), wow64};
    return DelRegUninstallInfo(context, win32::U(driver), kMaker);
  }
  static void CleanUp() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      HKEY key = nullptr;
      if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMakerKey, 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kMakerKey, view, 0);
      }
    }
  }

  WineMachine machine;
};

TEST_F(UninstallRegistryOnWine, UnderWow64TheEntriesOfThe32BitViewGo) {
  Put(KEY_WOW64_32KEY, kDriver, 0);
  Put(KEY_WOW64_64KEY, kDriver, 0);
  ASSERT_TRUE(Exists(KEY_WOW64_32KEY, kMakerKey));
  EXPECT_TRUE(Delete(true));
  EXPECT_FALSE(Exists(KEY_WOW64_32KEY, kMakerKey));
  EXPECT_TRUE(Exists(KEY_WOW64_64KEY, DriverKey(kDriver)));
}

TEST_F(UninstallRegistryOnWine, OtherwiseTheRootOfTheProcessOwnViewIsCleaned) {
  Put(KEY_WOW64_32KEY, kDriver, 0);
  Put(KEY_WOW64_64KEY, kDriver, 0);
  EXPECT_TRUE(Delete(false));
  EXPECT_FALSE(Exists(kOwnView, kMakerKey));
  EXPECT_TRUE(Exists(kOtherView, DriverKey(kDriver)));
}

TEST_F(UninstallRegistryOnWine, TheTopKeyGoesWithTheLastDriverKey) {
  Put(KEY_WOW64_32KEY, kDriver, 0);
  Put(KEY_WOW64_32KEY, L"PrnWineTest QX5", 0);
  EXPECT_TRUE(Delete(true));
  EXPECT_FALSE(Exists(KEY_WOW64_32KEY, DriverKey(kDriver)));
  EXPECT_TRUE(Exists(KEY_WOW64_32KEY, kMakerKey));
  EXPECT_TRUE(Delete(true, L"PrnWineTest QX5"));
  EXPECT_FALSE(Exists(KEY_WOW64_32KEY, kMakerKey));
  EXPECT_FALSE(Delete(true));  // nothing left to delete
}

TEST_F(UninstallRegistryOnWine, TheDriversOemInfCopiesInWinesInfFolderGo) {
  const ustring folder = InfFolderOf(machine.basics.system.SystemDirectory());
  const ustring inf = JoinPath(folder, u"oem990.inf");
  const ustring pnf = JoinPath(folder, u"oem990.pnf");
  std::ofstream(win32::W(inf), std::ios::binary)
      << "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\nProvider=%ProviderName%\r\n"
         "[PrnWineTest]\r\n\"PrnWineTest QX1\" = QX1.Install, USBPRINT\\PrnWineTestQX1\r\n"
         "[Strings]\r\nProviderName=\"PrnWineTest\"\r\n";
  std::ofstream(win32::W(pnf), std::ios::binary) << "pnf";
  ASSERT_TRUE(machine.basics.files.FileExists(inf));
  Put(kOwnView, kDriver, std::nullopt);
  EXPECT_TRUE(Delete(false));
  EXPECT_FALSE(machine.basics.files.FileExists(inf));
  EXPECT_FALSE(machine.basics.files.FileExists(pnf));
}

// Wine's DeletePrinterDriverExW refuses any deletion flag, and an unknown
// driver fails on Windows too: both attempts fail, about 1.1 s apart.
TEST(DelSpecPrnDrvOnWine, AnUnknownDriverFailsTwiceWithThePause) {
  WineMachine machine;
  RemovalContext context{machine.Platform(), false};
  trace::Capture trace;
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(DelSpecPrnDrv(context, u"PrnWineTest No Such Driver", kMaker));
  EXPECT_GE(GetTickCount64() - start, 1080u);
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <1>, LastError = 0x00000057"));
  EXPECT_TRUE(trace.Contains(u"DeletePrinterDriverEx Failt <2> After Sleep(1000), LastError = 0x00000057"));
}

}  // namespace
}  // namespace prn::removal
