// PrnSetup.exe (the x86_64 build of the installer's sources) started for real
// under Wine from a package folder: its work folder, the files it extracts,
// the clean-up when its main window closes, and the missing-settings box.

#include <windows.h>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "prnsetup_run.h"
#include "sys/win32/files.h"
#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::testing {
namespace {

using win32::U;
using win32::W;

constexpr DWORD kWindowWait = 60000;

std::set<ustring> Subfolders(const ustring& folder, ustring_view prefix = u"") {
  std::set<ustring> names;
  WIN32_FIND_DATAW data;
  ustring pattern = JoinPath(folder, u"*");
  win32::FindHandle find(FindFirstFileW(W(pattern), &data));
  if (!find) return names;
  do {
    ustring name = U(data.cFileName);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != u"." && name != u".." &&
        name.starts_with(prefix)) {
      names.insert(name);
    }
  } while (FindNextFileW(find.Get(), &data));
  return names;
}

// The bytes of an RCDATA resource of an executable, read without running it.
std::string ExeResource(const ustring& exe, const wchar_t* name) {
  win32::Module module(LoadLibraryExW(W(exe), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) return {};
  HRSRC found = FindResourceW(module.Get(), name, MAKEINTRESOURCEW(10));
  if (!found) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(module.Get(), found)));
  return data ? std::string(data, SizeofResource(module.Get(), found)) : std::string();
}

class PrnSetupStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(package_.Ready());
    exe_ = package_.Exe();
    workRoot_ = WorkFolderParent();
    before_ = Subfolders(workRoot_, u"PrnSetup-");
  }

  // Work folders that appeared since the test began.
  std::vector<ustring> NewWorkFolders() {
    std::vector<ustring> added;
    for (const ustring& name : Subfolders(workRoot_, u"PrnSetup-")) {
      if (!before_.count(name)) added.push_back(JoinPath(workRoot_, name));
    }
    return added;
  }

  std::string Read(const ustring& path) {
    std::string bytes;
    EXPECT_EQ(files_.ReadFile(path, bytes), 0u) << ToUtf8(path);
    return bytes;
  }

  // Every file of `from` is in `to` with the same bytes; asked again while
  // the copy comes, so a file not there yet is no failure.
  bool SameTree(const ustring& from, const ustring& to) {
    for (const ustring& name : files_.ListFiles(from, u"*")) {
      std::string copied;
      if (files_.ReadFile(JoinPath(to, name), copied) != 0 || copied != Read(JoinPath(from, name))) return false;
    }
    for (const ustring& sub : Subfolders(from)) {
      if (!SameTree(JoinPath(from, sub), JoinPath(to, sub))) return false;
    }
    return true;
  }

  // The copy begins once the window is up and runs on its own thread.
  bool BecomesSameTree(const ustring& from, const ustring& to) {
    for (DWORD waited = 0; waited < kWindowWait; waited += 50) {
      if (SameTree(from, to)) return true;
      Sleep(50);
    }
    return SameTree(from, to);
  }

  void CloseAndExpectCleanExit(PrnSetupRun& run, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.WaitForExit(kWindowWait), 0u);
  }

  win32::Win32FileSystem files_;
  PackageCopy package_{u"prn-wine-startup"};
  ustring exe_, workRoot_;
  std::set<ustring> before_;
};

class LanguageRunTest : public PrnSetupStartupTest,
                        public ::testing::WithParamInterface<std::pair<const char16_t*, const wchar_t*>> {};

TEST_P(LanguageRunTest, ExtractsTheChosenLanguageAndTheProgramsAndRemovesTheFolderOnClose) {
  const auto [code, resource] = GetParam();
  PrnSetupRun run(exe_, code, package_.Folder());
  ASSERT_TRUE(run.Started());
  HWND main = run.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(main, nullptr) << "no window";

  std::vector<ustring> created = NewWorkFolders();
  ASSERT_EQ(created.size(), 1u);
  const ustring dir = created[0];
  EXPECT_EQ(FileNamePart(dir).size(), 25u);  // "PrnSetup-" and 16 hexadecimal digits

  const std::string expected = ExeResource(exe_, resource);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Read(JoinPath(dir, u"Lang\\Strings.ini")), expected);
  // The programs travel packed: what comes out is what the build made, the
  // 64-bit ones from the x86_64 build beside this test.
  for (const char16_t* program : {u"inst2k.dll", u"inst2k64.dll", u"PrnSetup64.exe"}) {
    const std::string built = Read(JoinPath(ThisFolder(), program));
    ASSERT_GT(built.size(), 4096u) << ToUtf8(program);
    EXPECT_TRUE(Read(JoinPath(dir, program)) == built) << ToUtf8(program) << " differs from the one built";
  }
  EXPECT_TRUE(BecomesSameTree(JoinPath(package_.Folder(), u"Resource"), JoinPath(dir, u"Resource")));

  CloseAndExpectCleanExit(run, main);
  EXPECT_FALSE(files_.DirectoryExists(dir));
}

INSTANTIATE_TEST_SUITE_P(Codes, LanguageRunTest,
                         ::testing::Values(std::pair{u"EN", L"RC_STRINGS_INI_EN"},
                                           std::pair{u"SC", L"RC_STRINGS_INI_CN"},
                                           std::pair{u"TC", L"RC_STRINGS_INI_CHT"}));

TEST_F(PrnSetupStartupTest, TheThreeLanguageResourcesDiffer) {
  const std::string en = ExeResource(exe_, L"RC_STRINGS_INI_EN");
  EXPECT_NE(en, ExeResource(exe_, L"RC_STRINGS_INI_CN"));
  EXPECT_NE(en, ExeResource(exe_, L"RC_STRINGS_INI_CHT"));
  EXPECT_NE(ExeResource(exe_, L"RC_STRINGS_INI_CN"), ExeResource(exe_, L"RC_STRINGS_INI_CHT"));
}

TEST_F(PrnSetupStartupTest, TwoInstancesGetTwoWorkFolders) {
  PrnSetupRun first(exe_, u"EN", package_.Folder());
  PrnSetupRun second(exe_, u"EN", package_.Folder());
  HWND firstMain = first.WaitForVisibleWindow(kWindowWait);
  HWND secondMain = second.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(firstMain, nullptr);
  ASSERT_NE(secondMain, nullptr);

  std::vector<ustring> created = NewWorkFolders();
  ASSERT_EQ(created.size(), 2u);
  EXPECT_NE(created[0], created[1]);
  for (const ustring& dir : created) EXPECT_TRUE(files_.FileExists(JoinPath(dir, u"inst2k.dll")));

  CloseAndExpectCleanExit(first, firstMain);
  CloseAndExpectCleanExit(second, secondMain);
  for (const ustring& dir : created) EXPECT_FALSE(files_.DirectoryExists(dir));
}

TEST_F(PrnSetupStartupTest, ManagerOnTheCommandLineBecomesTheMainWindow) {
  PrnSetupRun run(exe_, u"FR MANAGER", package_.Folder());
  HWND main = run.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(main, nullptr);
  // The manager's own window, captioned from the language file.
  EXPECT_EQ(WindowClassName(main), u"TFormManager");
  EXPECT_EQ(WindowCaption(main), u"Printer Port Manager");
  // The installer window exists, hidden; its caption comes from the package.
  HWND installer = nullptr;
  for (HWND window : run.TopLevelWindows()) {
    const ustring name = WindowClassName(window);
    if (name == u"TFormMain" || name == u"TFormMainV2") installer = window;
  }
  ASSERT_NE(installer, nullptr);
  EXPECT_FALSE(IsWindowVisible(installer));
  CloseAndExpectCleanExit(run, main);
}

TEST_F(PrnSetupStartupTest, WithoutSetupIniShowsTheMissingFileBoxAndEndsWithOne) {
  const ustring elsewhere = JoinPath(package_.Root(), u"elsewhere");
  ASSERT_EQ(files_.CreateDirectories(elsewhere), 0u);
  PrnSetupRun run(exe_, u"", elsewhere);
  HWND box = run.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowCaption(box), u"出錯了");
  EXPECT_EQ(WindowClassName(box), u"#32770");
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);  // the box's message text
  EXPECT_EQ(U(text), u"配置文件（" + JoinPath(elsewhere, u"Setup.Ini") + u"）不存在，程序將退出！");

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(run.WaitForExit(kWindowWait), 1u);
  // The failed start-up took its work folder with it.
  for (const ustring& dir : NewWorkFolders()) EXPECT_FALSE(files_.DirectoryExists(dir)) << ToUtf8(dir);
}

}  // namespace
}  // namespace prn::testing
