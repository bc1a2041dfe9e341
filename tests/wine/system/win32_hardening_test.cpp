#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/files.h"
#include "sys/win32/handle.h"
#include "sys/win32/hardening.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::win32 {
namespace {

// A DLL planted beside the program (a package folder in Downloads) must not
// be loaded by bare name once the process is hardened.
TEST(HardenProcess, EveryProtectionTakesAndPlantedDllsAreNotLoaded) {
  Win32SystemInfo system;
  Win32FileSystem files;
  const ustring planted = JoinPath(system.ExecutableFolder(), u"prnplanted.dll");
  ASSERT_TRUE(CopyFileW(W(JoinPath(system.SystemDirectory(), u"version.dll")), W(planted), FALSE));

  HardeningResult result = HardenProcess();
  EXPECT_TRUE(result.dllDirectories);
  EXPECT_TRUE(result.dllSearchPath);
  EXPECT_TRUE(result.searchPathMode);
  EXPECT_TRUE(result.heapTermination);
  EXPECT_TRUE(result.dep);

  Module byName(LoadLibraryW(L"prnplanted.dll"));
  EXPECT_FALSE(byName) << "a DLL beside the program was loaded by bare name";
  Module fromSystem(LoadSystemLibrary(L"version.dll"));
  EXPECT_TRUE(fromSystem);
  files.RemoveFile(planted);
}

ustring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return U(path, length);
}

// Vista and 7 without the update reject the search flags: the fallback takes
// the System32 copy by full path, and a name that only a planted copy beside
// the program answers is not loaded at all.
TEST(LoadSystemLibrary, WithoutTheSearchFlagsLoadsFromSystem32ByFullPath) {
  Win32SystemInfo system;
  const ustring planted = JoinPath(system.ExecutableFolder(), u"prnplanted2.dll");
  ASSERT_TRUE(CopyFileW(W(JoinPath(system.SystemDirectory(), u"version.dll")), W(planted), FALSE));

  Module version(LoadSystemLibrary(L"version.dll", false));
  ASSERT_TRUE(version);
  EXPECT_EQ(AsciiUpper(FolderPart(ModulePath(version.Get()))), AsciiUpper(system.SystemDirectory()));
  Module byName(LoadSystemLibrary(L"prnplanted2.dll", false));
  EXPECT_FALSE(byName);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  DeleteFileW(W(planted));
}

}  // namespace
}  // namespace prn::win32
