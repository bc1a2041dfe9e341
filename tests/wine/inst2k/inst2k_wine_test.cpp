// The real device-install library (x86_64 builds of inst2k.dll and
// inst2k64.dll) under Wine. Where Wine answers differently from Windows the
// test says so in its name; the library's own rules are tested on the
// simulated machine.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "fake_root_device.h"
#include "sys/device_library.h"
#include "sys/win32/device_library.h"
#include "sys/win32/handle.h"
#include "sys/win32/registry.h"
#include "sys/win32/text.h"

namespace prn::win32 {
namespace {

const char* const kExportNames[] = {
    "FuncInst2K",   "FuncFindExistDevice", "Inst2k_IsInlineDeviceExist", "Inst2k_RegistryInf", "RefreshHW",
    "EnableRootID", "SetDebugMode",        "ShowErrorCode",              "LastInstallErrorCode"};

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring LibraryPath(const wchar_t* name) { return BinFolder() + L"\\" + name; }

constexpr bool k64BitProcess = sizeof(void*) == 8;
// The build this test process can load: inst2k.dll in the 32-bit tests.
const wchar_t* const kOwnWidthLibrary = k64BitProcess ? L"inst2k64.dll" : L"inst2k.dll";

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(size - 1);
  return out;
}

// A test INF for the Printer class whose model carries the fake device's ID.
std::wstring WriteTestInf(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"prn-inst2k-test";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"\\" + name;
  std::ofstream(Narrow(path), std::ios::binary)
      << "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\n"
         "ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}\r\nProvider=%Quillon%\r\n"
         "DriverVer=01/01/2024,1.0.0.0\r\n\r\n"
         "[Manufacturer]\r\n%Quillon%=Quillon,NTamd64\r\n\r\n"
         "[Quillon]\r\n\"Quillon Wine Test\"=QUILLON_TEST,QUILLON\\WineTestPrn1\r\n\r\n"
         "[Quillon.NTamd64]\r\n\"Quillon Wine Test\"=QUILLON_TEST,QUILLON\\WineTestPrn1\r\n\r\n"
         "[QUILLON_TEST]\r\nAddReg=QUILLON_TEST.AddReg\r\n\r\n"
         "[QUILLON_TEST.Services]\r\nAddService=,2\r\n\r\n"
         "[QUILLON_TEST.AddReg]\r\nHKLM,\"Software\\PrnSetupWineTest\",\"Installed\",,\"" << Narrow(name) << "\"\r\n\r\n"
         "[Strings]\r\nQuillon=\"Quillon\"\r\n";
  return path;
}

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* name) {
    sys::DeviceLibraryLoad load = Win32DeviceLibraries().Load(U(LibraryPath(name).c_str()));
    library_ = std::move(load.library);
    error_ = load.error;
  }
  bool Loaded() const { return library_ != nullptr; }
  uint32_t Error() const { return error_; }
  const sys::Inst2kExports& Exports() const { return library_->Exports(); }

 private:
  std::unique_ptr<sys::DeviceLibrary> library_;
  uint32_t error_ = 0;
};

// The "USB" setup class, which a Windows machine has and a fresh Wine prefix
// lacks; registered for the length of a test when missing.
class UsbSetupClass {
 public:
  UsbSetupClass() {
    if (registry_.OpenKey(kKey, sys::RegistryView::Default) == 0) return;
    created_ = registry_.CreateKey(kKey, sys::RegistryView::Default) == 0 &&
               registry_.WriteValue(kKey, u"Class", sys::RegistryValue::String(u"USB"), sys::RegistryView::Default) == 0;
  }
  ~UsbSetupClass() {
    if (created_) registry_.DeleteTree(kKey, sys::RegistryView::Default);
  }
  UsbSetupClass(const UsbSetupClass&) = delete;
  UsbSetupClass& operator=(const UsbSetupClass&) = delete;

 private:
  static constexpr const char16_t* kKey =
      u"SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}";
  Win32Registry registry_;
  bool created_ = false;
};

struct Found {
  int32_t result;
  std::string hardwareId;
  std::string instanceId;
};

Found FindDevice(const sys::Inst2kExports& exports, const char* hardwareId) {
  std::array<char, 260> foundId{};
  std::array<char, 260> instance{};
  int32_t result = exports.FuncFindExistDevice(hardwareId, foundId.data(), instance.data());
  return {result, foundId.data(), instance.data()};
}

// The strings of one language of a module's string-table block for ids 0-15.
std::vector<std::wstring> StringBlock(HMODULE module, WORD language) {
  std::vector<std::wstring> strings;
  HRSRC resource = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(1), language);
  if (!resource) return strings;
  auto data = static_cast<const WCHAR*>(LockResource(LoadResource(module, resource)));
  for (int i = 0; i < 16; ++i) {
    WORD length = *data++;
    strings.emplace_back(data, length);
    data += length;
  }
  return strings;
}

TEST(Inst2kDlls, BothBuildsLoadByFullPathAndExportTheNineNames) {
  if (!k64BitProcess) {
    // A 32-bit process cannot map the 64-bit build; that is why the host exists.
    EXPECT_EQ(LoadedLibrary(L"inst2k64.dll").Error(), static_cast<uint32_t>(ERROR_BAD_EXE_FORMAT));
  }
  for (const wchar_t* name : {L"inst2k.dll", L"inst2k64.dll"}) {
    if (!k64BitProcess && std::wstring(name) == L"inst2k64.dll") continue;
    Module module(LoadLibraryExW(LibraryPath(name).c_str(), nullptr, 0));
    ASSERT_TRUE(module) << Narrow(name) << " error " << GetLastError();
    for (const char* exportName : kExportNames) {
      EXPECT_NE(GetProcAddress(module.Get(), exportName), nullptr) << Narrow(name) << " " << exportName;
    }
    EXPECT_EQ(GetProcAddress(module.Get(), "Inst2K"), nullptr);

    LoadedLibrary bound(name);
    ASSERT_TRUE(bound.Loaded());
    const auto& exports = bound.Exports();
    EXPECT_TRUE(exports.FuncInst2K && exports.FuncFindExistDevice && exports.Inst2k_IsInlineDeviceExist &&
                exports.Inst2k_RegistryInf && exports.RefreshHW && exports.EnableRootID && exports.SetDebugMode &&
                exports.ShowErrorCode && exports.LastInstallErrorCode);
  }
  EXPECT_EQ(LoadedLibrary(L"no-such-inst2k.dll").Error(), static_cast<uint32_t>(ERROR_MOD_NOT_FOUND));
}

TEST(Inst2kDlls, CarryTheStringTableInEnglishAndSimplifiedChinese) {
  Module module(LoadLibraryExW(LibraryPath(kOwnWidthLibrary).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(module);
  auto english = StringBlock(module.Get(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_EQ(english.size(), 16u);
  EXPECT_EQ(english[1], L"%s fail: %s\n");
  EXPECT_EQ(english[2], L"%s fail: (0x%08X)\n");
  EXPECT_EQ(english[3], L"Error");
  EXPECT_EQ(english[4], L"Can not find the INF file!");
  auto chinese = StringBlock(module.Get(), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  ASSERT_EQ(chinese.size(), 16u);
  EXPECT_EQ(chinese[1], L"%s \x5931\x8D25: %s\n");
  EXPECT_EQ(chinese[2], L"%s \x5931\x8D25: (0x%08X)\n");
  EXPECT_EQ(chinese[3], L"\x9519\x8BEF");
  EXPECT_EQ(chinese[4], L"\x627E\x4E0D\x5230\x6587\x4EF6!");
}

TEST(Inst2kOnWine, RegistryInfCopiesTheInfIntoTheSystemInfStore) {
  LoadedLibrary library(kOwnWidthLibrary);
  std::wstring inf = WriteTestInf(L"QuillonWineStage.inf");
  std::string infPath = Narrow(inf);
  std::array<char, 512> name{};
  SetLastError(0);
  ASSERT_NE(library.Exports().Inst2k_RegistryInf(infPath.c_str(), nullptr, name.data(), 512), 0)
      << "error " << GetLastError();
  std::printf("SetupCopyOEMInf stored the INF as %s\n", name.data());

  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string store = std::string(windows) + "\\inf\\";
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.data(), static_cast<int>(store.size()),
                           store.c_str(), static_cast<int>(store.size())),
            CSTR_EQUAL)
      << name.data();
  EXPECT_NE(GetFileAttributesA(name.data()), INVALID_FILE_ATTRIBUTES);

  // A buffer no larger than the stored path keeps its content.
  std::array<char, 512> small{};
  small[0] = '#';
  EXPECT_NE(library.Exports().Inst2k_RegistryInf(infPath.c_str(), nullptr, small.data(),
                                                 static_cast<uint32_t>(strlen(name.data()) + 1)),
            0);
  EXPECT_EQ(small[0], '#');

  DeleteFileA(name.data());
  std::string pnf = std::string(name.data(), strlen(name.data()) - 3) + "pnf";
  DeleteFileA(pnf.c_str());
}

TEST(Inst2kOnWine, RegistryInfOfAMissingInfFailsWithTheReasonAsLastError) {
  LoadedLibrary library(kOwnWidthLibrary);
  std::array<char, 512> name{};
  SetLastError(0);
  EXPECT_EQ(library.Exports().Inst2k_RegistryInf("C:\\no-such-folder\\missing.inf", nullptr, name.data(), 512), 0);
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(name[0], '\0');
}

TEST(Inst2kOnWine, WithoutAUsbSetupClassTheSearchFindsNothing) {
  FakeRootDevice device(L"QUILLON\\WineTestPrn1");
  ASSERT_TRUE(device.Registered()) << "error " << device.Error();
  LoadedLibrary library(kOwnWidthLibrary);
  library.Exports().EnableRootID(1);
  ASSERT_NE(Win32Registry().OpenKey(u"SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}",
                                    sys::RegistryView::Default),
            0u)
      << "Wine 8 registers no USB setup class";
  EXPECT_EQ(FindDevice(library.Exports(), "WineTestPrn1").result, 0);
}

TEST(Inst2kOnWine, FindExistDeviceFindsAFakeRootDeviceOnlyAfterEnableRootId) {
  UsbSetupClass usbClass;
  LoadedLibrary library(kOwnWidthLibrary);
  EXPECT_EQ(FindDevice(library.Exports(), "QuillonAbsentPrinter9Z").result, 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));

  FakeRootDevice device(L"QUILLON\\WineTestPrn1");
  ASSERT_TRUE(device.Registered()) << "error " << device.Error();
  std::printf("fake device %s\n", device.InstanceId().c_str());

  Found before = FindDevice(library.Exports(), "WineTestPrn1");
  EXPECT_EQ(before.result, 0);
  library.Exports().EnableRootID(1);
  Found after = FindDevice(library.Exports(), "WineTestPrn1");
  EXPECT_EQ(after.result, 1);
  EXPECT_EQ(after.hardwareId, "QUILLON\\WineTestPrn1");
  EXPECT_EQ(after.instanceId, device.InstanceId());
  EXPECT_EQ(library.Exports().LastInstallErrorCode(), 0u);

  // The search gave the root device a parameters key, without a port name.
  Win32Registry registry;
  ustring key = u"SYSTEM\\CurrentControlSet\\Enum\\" + FromUtf8(device.InstanceId()) + u"\\Device Parameters";
  EXPECT_EQ(registry.OpenKey(key, sys::RegistryView::Default), 0u);
  sys::RegistryValue port;
  EXPECT_NE(registry.ReadValue(key, u"PortName", port, sys::RegistryView::Default), 0u);
}

TEST(Inst2kOnWine, FuncInst2KInstallsTheDriverForTheFakeDevice) {
  FakeRootDevice device(L"QUILLON\\WineTestPrn1");
  ASSERT_TRUE(device.Registered());
  std::string inf = Narrow(WriteTestInf(L"QuillonWineInstall.inf"));
  LoadedLibrary library(kOwnWidthLibrary);
  library.Exports().ShowErrorCode(0);
  int32_t result = library.Exports().FuncInst2K(inf.c_str(), "QUILLON\\WineTestPrn1", "LPT1:", 0);
  std::printf("FuncInst2K answered %d, LastInstallErrorCode 0x%08X\n", result,
              library.Exports().LastInstallErrorCode());
  EXPECT_EQ(result, 0);

  ustring installed;
  Win32Registry registry;
  sys::RegistryValue value;
  ASSERT_EQ(registry.ReadValue(u"Software\\PrnSetupWineTest", u"Installed", value, sys::RegistryView::Default), 0u);
  EXPECT_EQ(value.Text(), u"QuillonWineInstall.inf");
  registry.DeleteTree(u"Software\\PrnSetupWineTest", sys::RegistryView::Default);
}

TEST(Inst2kOnWine, FuncInst2KRefusesADirectoryWithoutInstalling) {
  LoadedLibrary library(kOwnWidthLibrary);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(library.Exports().FuncInst2K(windows, "QUILLON\\WineTestPrn1", "LPT1:", 0), 2);
  EXPECT_EQ(library.Exports().LastInstallErrorCode(), 0u);
}

TEST(Inst2kOnWine, WineAnswersUpdateDriverWithSuccessEvenWithoutAMatchingDevice) {
  LoadedLibrary library(kOwnWidthLibrary);
  std::string inf = Narrow(WriteTestInf(L"QuillonWineProbe.inf"));
  SetLastError(0);
  uint32_t code = library.Exports().Inst2k_IsInlineDeviceExist(0, "QuillonAbsentPrinter9Z", inf.c_str(), 4);
  std::printf("UpdateDriverForPlugAndPlayDevices without a device: %u\n", code);
  EXPECT_EQ(code, 0u) << "Windows answers 0xE000020B here";
}

TEST(Inst2kOnWine, RefreshHWAnswersWinesConfigurationManagerFailure) {
  LoadedLibrary library(kOwnWidthLibrary);
  uint32_t result = library.Exports().RefreshHW();
  std::printf("RefreshHW: 0x%X\n", result);
  EXPECT_EQ(result, 0x13u) << "CM_Locate_DevNode_Ex is a stub answering CR_FAILURE in Wine 8";
}

}  // namespace
}  // namespace prn::win32
