#include "prnsetup_run.h"

#include "sys/win32/win32_text.h"

namespace prn::testing {

using win32::U;
using win32::W;

PrnSetupRun::PrnSetupRun(const ustring& exe, const ustring& parameters, const ustring& currentDirectory) {
  ustring commandLine = u"\"" + exe + u"\"" + (parameters.empty() ? u"" : u" " + parameters);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, FALSE, 0, nullptr, W(currentDirectory), &startup,
                      &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
}

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

}  // namespace prn::testing
