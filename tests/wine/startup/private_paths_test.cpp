// The program as it ships, started under Wine (which runs every program
// elevated) with an environment that a standard user controls: TMP, TEMP
// and PRNSETUP_TRACE come from the user's own HKCU\Environment, and the
// user's %TEMP% may hold a junction. Nothing the elevated installer writes,
// loads or starts may lie where such a user can reach it.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "prnsetup_run.h"
#include "sys/win32/files.h"
#include "sys/win32/text.h"
#include "text/ascii.h"
#include "text/format.h"
#include "text/winpath.h"
#include "ui/win32/form_main_window.h"
#include "wine/wine_test_support.h"

namespace prn::testing {
namespace {

using win32::U;
using win32::W;

constexpr DWORD kWindowWait = 60000;
constexpr DWORD kRunWait = 240000;

// Environment variables of this process, and so of the installer it
// starts, set for one test.
class EnvironmentScope {
 public:
  explicit EnvironmentScope(std::vector<std::pair<const wchar_t*, ustring>> values) {
    for (const auto& [name, value] : values) {
      wchar_t old[4096] = {};
      const DWORD length = GetEnvironmentVariableW(name, old, 4096);
      saved_.push_back({name, length ? std::optional<std::wstring>(old) : std::nullopt});
      SetEnvironmentVariableW(name, W(value));
    }
  }
  ~EnvironmentScope() {
    for (const auto& [name, value] : saved_) SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
  }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

 private:
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> saved_;
};

void RemoveTraces(const ustring& stem) {
  for (const ustring& path : TraceFiles(stem)) DeleteFileW(W(path));
}

std::string Read(const ustring& path) {
  std::string bytes;
  win32::Win32FileSystem().ReadFile(path, bytes);
  return bytes;
}

// The text between `before` and `after` in the first line that holds both.
ustring Between(const ustring& text, const ustring& before, const ustring& after) {
  const size_t start = text.find(before);
  if (start == ustring::npos) return {};
  const size_t end = text.find(after, start + before.size());
  return end == ustring::npos ? ustring() : text.substr(start + before.size(), end - start - before.size());
}

bool LiesIn(const ustring& path, const ustring& folder) {
  return path.size() > folder.size() && StartsWithNoCase(path, folder) && path[folder.size()] == u'\\';
}

// The message boxes of the run, answered as a user would: yes to the
// question that starts the install, no to any later question, OK to the rest.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(const PrnSetupRun& run) : run_(run) {}

  void AnswerOpenBoxes() {
    for (HWND window : run_.TopLevelWindows()) {
      if (WindowClassName(window) != u"#32770" || !IsWindowVisible(window) || answered_.count(window)) continue;
      answered_.insert(window);
      int answer = IDOK;
      if (GetDlgItem(window, IDYES)) answer = ++questions_ == 1 ? IDYES : IDNO;
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
  }

 private:
  const PrnSetupRun& run_;
  std::set<HWND> answered_;
  int questions_ = 0;
};

// The programs as they start, with PRNSETUP_TRACE naming a batch file in a
// folder that the user's own processes run from: their trace goes to the
// protected folder, never into that file, and shows that each program's
// entry turned on the protections that keep planted DLLs out (System32 only
// for what is loaded by name, safe search, heap termination, DEP).
TEST(PrivatePaths, TheInstallerAndItsHostTraceOnlyWhereUsersCannotWriteAndHardenThemselves) {
  PackageCopy package(u"prn-wine-trace");
  ASSERT_TRUE(package.Ready());
  const ustring victim = JoinPath(package.Root(), u"prn-trace-victim.bat");
  ASSERT_EQ(win32::Win32FileSystem().WriteFile(victim, "@echo untouched\r\n"), 0u);
  RemoveTraces(u"prn-trace-victim");
  EnvironmentScope environment({{L"PRNSETUP_TRACE", victim}});
  {
    PrnSetupRun installer(package.Exe(), u"EN", package.Folder());
    HWND main = installer.WaitForVisibleWindow(kWindowWait);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(installer.WaitForExit(kWindowWait), 0u);
  }
  {
    const ustring result = JoinPath(package.Root(), u"result.ini");
    PrnSetupRun host(JoinPath(ThisFolder(), u"PrnSetup64.exe"),
                     u"/Dll \"" + JoinPath(ThisFolder(), u"inst2k64.dll") + u"\" /Inf \"" +
                         JoinPath(package.Folder(), u"QX1\\QX1.INF") + u"\" /HWID QuillonAbsent9Z /FindHWID \"" +
                         result + u"\"",
                     package.Root());
    ASSERT_TRUE(host.Started());
    EXPECT_EQ(host.WaitForExit(kWindowWait), 0u);
  }

  EXPECT_EQ(Read(victim), "@echo untouched\r\n");
  const ustring trace = ReadTrace(u"prn-trace-victim");
  EXPECT_NE(trace.find(u"程序將退出，byby ！"), ustring::npos);
  const ustring allTaken = u"Process hardened: DLL folders 1, DLL search path 1, safe search mode 1, heap termination 1, "
                           u"DEP 1";
  const size_t first = trace.find(allTaken);
  ASSERT_NE(first, ustring::npos) << ToUtf8(trace);
  EXPECT_NE(trace.find(allTaken, first + 1), ustring::npos) << "one of the two programs did not harden itself";
  RemoveTraces(u"prn-trace-victim");
}

// The file name the elevated trace takes at this local time for this process.
ustring TraceFileName(const ustring& stem, const SYSTEMTIME& time, DWORD processId) {
  return Format(u"%s-%.4u%.2u%.2u-%.2u%.2u%.2u-%u.log",
                {stem, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                 static_cast<unsigned long>(processId)});
}

void StartAndClose(PrnSetupRun& run) {
  HWND main = run.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(run.WaitForExit(kWindowWait), 0u);
}

// Only an administrator could plant them, but the trace is reached through
// no link, and a file of the name it takes is never written into.
TEST(PrivatePaths, TheTraceFollowsNoLinkAndEntersNoFileThatIsThere) {
  PackageCopy package(u"prn-wine-trace-links");
  ASSERT_TRUE(package.Ready());
  win32::Win32FileSystem files;
  const ustring folder = TraceFolder(), aside = TraceFolder() + u"-aside";
  {
    const ustring victim = JoinPath(package.Root(), u"victim");
    ASSERT_EQ(files.CreateDirectories(victim), 0u);
    const bool moved = files.DirectoryExists(folder) && MoveFileW(W(folder), W(aside));
    ASSERT_TRUE(PlantLink(folder, victim));
    EnvironmentScope environment({{L"PRNSETUP_TRACE", JoinPath(package.Root(), u"prn-trace-link.log")}});
    PrnSetupRun run(package.Exe(), u"EN", package.Folder());
    StartAndClose(run);
    RemoveFromUnixSide(folder);
    if (moved) MoveFileW(W(aside), W(folder));
    EXPECT_TRUE(files.ListFiles(victim, u"*").empty()) << "the trace went through the link";
  }
  // Files of every name the trace could take in the next half minute.
  EnvironmentScope environment({{L"PRNSETUP_TRACE", JoinPath(package.Root(), u"prn-trace-planted.log")}});
  PrnSetupRun run(package.Exe(), u"EN", package.Folder(), true);
  ASSERT_TRUE(run.Started());
  SYSTEMTIME now{};
  GetLocalTime(&now);
  FILETIME start{};
  SystemTimeToFileTime(&now, &start);
  std::vector<ustring> planted;
  for (int second = 0; second < 30; ++second) {
    ULARGE_INTEGER at{{start.dwLowDateTime, start.dwHighDateTime}};
    at.QuadPart += second * 10000000ull;
    FILETIME later{at.LowPart, at.HighPart};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&later, &time);
    planted.push_back(JoinPath(folder, TraceFileName(u"prn-trace-planted", time, run.ProcessId())));
    ASSERT_EQ(files.WriteFile(planted.back(), "planted"), 0u);
  }
  run.Resume();
  StartAndClose(run);
  for (const ustring& path : planted) {
    EXPECT_EQ(Read(path), "planted") << ToUtf8(path);
    DeleteFileW(W(path));
  }
  EXPECT_NE(ReadTrace(u"prn-trace-planted").find(u"-> _ResLoad()"), ustring::npos);  // in a name of its own
  RemoveTraces(u"prn-trace-planted");
}

// Install, Yes, and the run to its end, with the user's %TEMP% holding a
// junction where the installer kept its work folder before, to a folder of
// the user's own: the trace shows the work folder and the host's result file
// (on 64-bit Windows, where the shipped 32-bit program starts the host) in
// the Windows folder, and nothing reached the junction's target.
TEST(PrivatePaths, AnInstallKeepsItsWorkFolderAndResultFileOutOfTheUsersReach) {
  PackageCopy package(u"prn-wine-paths");
  ASSERT_TRUE(package.Ready());
  const ustring userTemp = JoinPath(package.Root(), u"usertemp"), attacker = JoinPath(package.Root(), u"attacker");
  win32::Win32FileSystem files;
  ASSERT_EQ(files.CreateDirectories(userTemp), 0u);
  ASSERT_EQ(files.CreateDirectories(JoinPath(attacker, u"PrnSetup")), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(attacker, u"PrnSetup\\inst2k.dll"), "planted"), 0u);
  ASSERT_TRUE(PlantLink(JoinPath(userTemp, u"Pellnor"), attacker));
  RemoveTraces(u"prn-trace-paths");
  EnvironmentScope environment(
      {{L"TMP", userTemp}, {L"TEMP", userTemp}, {L"PRNSETUP_TRACE", JoinPath(userTemp, u"prn-trace-paths.log")}});

  PrnSetupRun run(package.Exe(), u"EN", package.Folder());
  HWND main = run.WaitForVisibleWindow(kWindowWait);
  ASSERT_NE(main, nullptr);
  BoxAnswerer boxes(run);
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(ui::form_main_id::Start, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(main, ui::form_main_id::Start)));
  // The run has ended when the window takes input again after the probe.
  bool ended = false;
  for (DWORD waited = 0; waited < kRunWait && !ended; waited += 200) {
    boxes.AnswerOpenBoxes();
    Sleep(200);
    ended = ReadTrace(u"prn-trace-paths").find(u"<- ExistReqInlineSetupDevice") != ustring::npos &&
            IsWindowEnabled(GetDlgItem(main, ui::form_main_id::Exit));
  }
  EXPECT_TRUE(ended) << "the run did not get past the probe";
  PostMessageW(main, WM_CLOSE, 0, 0);
  for (DWORD waited = 0; waited < kWindowWait && run.WaitForExit(200) == STILL_ACTIVE; waited += 200) {
    boxes.AnswerOpenBoxes();
  }

  const ustring trace = ReadTrace(u"prn-trace-paths");
  const ustring workFolder = Between(trace, u"准备从", u"創建臨時文件夾。");
  EXPECT_TRUE(LiesIn(workFolder, WorkFolderParent())) << ToUtf8(workFolder);
  wchar_t profile[MAX_PATH] = {};
  GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  EXPECT_FALSE(LiesIn(workFolder, U(profile)));
  if (sizeof(void*) == 4) {  // the shipped program on 64-bit Windows asks the host
    const ustring host = Between(trace, u"命令行：\"", u"\"");
    const ustring resultFile = Between(trace, u"/FindHWID \"", u"\"");
    EXPECT_EQ(FolderPart(host), workFolder) << ToUtf8(trace);
    EXPECT_EQ(FolderPart(resultFile), workFolder);
    EXPECT_NE(trace.find(u"已成功地創建了64位檢測進程"), ustring::npos);
  }
  EXPECT_NE(trace.find(u"准备刪除臨時文件夾：" + workFolder), ustring::npos);
  EXPECT_FALSE(files.DirectoryExists(workFolder));
  // The junction's target holds what the user put there, and nothing else.
  EXPECT_EQ(files.ListFiles(JoinPath(attacker, u"PrnSetup"), u"*"), std::vector<ustring>{u"inst2k.dll"});
  EXPECT_EQ(Read(JoinPath(attacker, u"PrnSetup\\inst2k.dll")), "planted");
  RemoveFromUnixSide(JoinPath(userTemp, u"Pellnor"));
  RemoveTraces(u"prn-trace-paths");
}

}  // namespace
}  // namespace prn::testing
