#include "prnsetup_run.h"

#include "sys/win32/files.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::testing {

using win32::U;
using win32::W;

PrnSetupRun::PrnSetupRun(const ustring& exe, const ustring& parameters, const ustring& currentDirectory,
                         bool suspended) {
  ustring commandLine = u"\"" + exe + u"\"" + (parameters.empty() ? u"" : u" " + parameters);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0, nullptr,
                      W(currentDirectory), &startup, &info)) {
    return;
  }
  thread_.Reset(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
}

void PrnSetupRun::Resume() { ResumeThread(thread_.Get()); }

PrnSetupRun::~PrnSetupRun() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 99);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

// A named callback: a lambda does not convert to the stdcall WNDENUMPROC of i686.
BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> PrnSetupRun::TopLevelWindows() const {
  WindowSearch search{processId_, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND PrnSetupRun::WaitForVisibleWindow(DWORD ms) const {
  const ULONGLONG end = GetTickCount64() + ms;
  do {
    for (HWND window : TopLevelWindows()) {
      if (IsWindowVisible(window) && WindowClassName(window) != u"IME") return window;
    }
    if (WaitForSingleObject(process_.Get(), 100) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount64() < end);
  return nullptr;
}

HWND PrnSetupRun::FindWindowByCaption(const ustring& caption) const {
  for (HWND window : TopLevelWindows()) {
    if (WindowCaption(window) == caption) return window;
  }
  return nullptr;
}

DWORD PrnSetupRun::WaitForExit(DWORD ms) {
  if (WaitForSingleObject(process_.Get(), ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.Get(), &code);
  return code;
}

ustring WindowCaption(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return U(text);
}

ustring WindowClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return U(name);
}

ustring ThisFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(U(path));
}

ustring UserTempFolder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  wchar_t longPath[MAX_PATH] = {};
  return GetLongPathNameW(path, longPath, MAX_PATH) ? U(longPath) : U(path);
}

ustring WorkFolderParent() {
  wchar_t windows[MAX_PATH] = {};
  GetSystemWindowsDirectoryW(windows, MAX_PATH);
  const ustring systemTemp = JoinPath(U(windows), u"SystemTemp");
  return win32::Win32FileSystem().DirectoryExists(systemTemp) ? systemTemp : JoinPath(U(windows), u"Temp");
}

ustring HostFolder(const char* unixPath) {
  ustring path = u"Z:" + FromUtf8(unixPath);
  for (char16_t& c : path) c = c == u'/' ? u'\\' : c;
  return path;
}

PackageCopy::PackageCopy(const char16_t* name) {
  win32::Win32FileSystem files;
  root_ = JoinPath(UserTempFolder(), name);
  files.DeleteTree(root_);
  package_ = JoinPath(root_, u"package");
  exe_ = JoinPath(package_, u"PrnSetup.exe");
  ready_ = files.CreateDirectories(package_) == 0 && WritePackage() &&
           CopyFileW(W(JoinPath(ThisFolder(), u"PrnSetup.exe")), W(exe_), FALSE);
}

PackageCopy::~PackageCopy() { win32::Win32FileSystem().DeleteTree(root_); }

bool PackageCopy::WritePackage() {
  win32::Win32FileSystem files;
  const ustring examples = HostFolder(PRN_SOURCE_DIR "/examples/package");
  if (files.FileExists(JoinPath(examples, u"Setup.Ini"))) return files.CopyTree(examples, package_) == 0;
  const std::u16string ini =
      u"\uFEFF[QX1]\r\nViewMode = 10\r\nPrinterName = Quillon QX1\r\nPrinterHWID = QuillonQX17A3F\r\n"
      u"DriverDir =\r\nINF.2K = QX1.INF\r\nINF.X64 = QX1.INF\r\n";
  return files.WriteFile(JoinPath(package_, u"Setup.Ini"),
                         std::string(reinterpret_cast<const char*>(ini.data()), ini.size() * 2)) == 0 &&
         files.WriteFile(JoinPath(package_, u"QX1.INF"), "[Version]\r\n") == 0 &&
         files.CreateDirectories(JoinPath(package_, u"Resource\\sub")) == 0 &&
         files.WriteFile(JoinPath(package_, u"Resource\\Close1.png"), "close") == 0 &&
         files.WriteFile(JoinPath(package_, u"Resource\\sub\\min1.png"), "min") == 0;
}

ustring TraceFolder() {
  wchar_t windows[MAX_PATH] = {};
  GetSystemWindowsDirectoryW(windows, MAX_PATH);
  return JoinPath(U(windows), u"Logs\\PrnSetup");
}

std::vector<ustring> TraceFiles(const ustring& stem) {
  std::vector<ustring> paths;
  for (const ustring& name : win32::Win32FileSystem().ListFiles(TraceFolder(), stem + u"-*.log")) {
    paths.push_back(JoinPath(TraceFolder(), name));
  }
  return paths;
}

ustring ReadTrace(const ustring& stem) {
  std::string text;
  for (const ustring& path : TraceFiles(stem)) {
    std::string bytes;
    if (win32::Win32FileSystem().ReadFile(path, bytes) == 0) text += bytes;
  }
  return FromUtf8(text);
}

}  // namespace prn::testing
