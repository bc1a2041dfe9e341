// The trace on Windows. An elevated installer takes PRNSETUP_TRACE from the
// user's own environment, so the path it names is the user's choice: a link
// there would have an administrator append text (partly the user's, too)
// to any file, a batch file in the all-users Startup folder among them. So
// when elevated, the variable only turns the trace on, and the stem of its
// file name names a new file in <Windows>\Logs\PrnSetup, a folder only
// administrators and SYSTEM may change, reached through no link, and never
// a file that exists already.

#include "trace/trace.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "trace/win32/final_path.h"

namespace prn::trace {

namespace {

constexpr int kNameAttempts = 100;

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;  // assume the worst
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool answered = GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
  CloseHandle(token);
  if (answered) return elevation.TokenIsElevated != 0;
  // Windows XP knows no elevation: an administrator's process is as mighty.
  BYTE administrators[SECURITY_MAX_SID_SIZE];
  size = sizeof(administrators);
  BOOL member = TRUE;
  if (CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size)) {
    CheckTokenMembership(nullptr, administrators, &member);
  }
  return member != FALSE;
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

// Makes the folder when it is missing (with `sddl` as its access list, or
// what it inherits) and answers whether it is there, a folder and no link.
bool PlainFolder(const std::wstring& path, const wchar_t* sddl) {
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
  if (sddl && !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                     &attributes.lpSecurityDescriptor, nullptr)) {
    return false;
  }
  CreateDirectoryW(path.c_str(), sddl ? &attributes : nullptr);
  LocalFree(attributes.lpSecurityDescriptor);
  HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool plain = GetFileInformationByHandle(folder, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                     win32::HandleNamesPath(folder, path);
  CloseHandle(folder);
  return plain;
}

// The variable's file name without its extension, kept to letters, digits,
// '.', '-' and '_' ("PrnSetup" where that leaves nothing). Only the stem is
// the user's: the extension is always ".log".
std::wstring Stem(const wchar_t* named) {
  std::wstring name(named);
  const size_t slash = name.find_last_of(L"\\/:");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  std::wstring stem;
  for (wchar_t c : name) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'.' ||
        c == L'-' || c == L'_') {
      stem.push_back(c);
    }
  }
  return stem.empty() ? L"PrnSetup" : stem;
}

// Digits by hand: the C++ library's conversions would bring its whole
// formatter into every shipped binary that carries the trace.
std::wstring Number(unsigned long value, int width) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  if (digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), L'0');
  return digits;
}

// A new file "<stem>-<date>-<time>-<process id>[-n].log".
HANDLE CreateNewTraceFile(const std::wstring& folder, const wchar_t* named) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::wstring base = folder + L"\\" + Stem(named) + L"-" + Number(now.wYear, 4) + Number(now.wMonth, 2) +
                            Number(now.wDay, 2) + L"-" + Number(now.wHour, 2) + Number(now.wMinute, 2) +
                            Number(now.wSecond, 2) + L"-" + Number(GetCurrentProcessId(), 1);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring path = base + (attempt ? L"-" + Number(attempt, 1) : L"") + L".log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS) return INVALID_HANDLE_VALUE;
  }
  return INVALID_HANDLE_VALUE;
}

std::FILE* ProtectedTraceFile(const wchar_t* named) {
  const std::wstring windows = WindowsFolder();
  if (windows.empty()) return nullptr;
  const std::wstring logs = windows + L"\\Logs", folder = logs + L"\\PrnSetup";
  // Administrators and SYSTEM change it; everyone else may not even look.
  if (!PlainFolder(logs, nullptr) || !PlainFolder(folder, L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)")) {
    return nullptr;
  }
  HANDLE file = CreateNewTraceFile(folder, named);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_APPEND | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, "ab");
  if (!stream) _close(descriptor);
  return stream;
}

}  // namespace

std::FILE* OpenTraceDestination() {
  const wchar_t* named = _wgetenv(L"PRNSETUP_TRACE");
  if (!named || !*named) return nullptr;
  if (!RunsElevated()) return _wfopen(named, L"ab");
  return ProtectedTraceFile(named);
}

}  // namespace prn::trace
