#pragma once
// What the in-process Wine tests share: where this build and the sources
// are, the WOW64 answer of the 32-bit installer, message boxes that answer
// themselves, and links planted from the Unix side.

#include <windows.h>

#include <functional>
#include <string>
#include <mutex>
#include <vector>

#include "sys/dialogs.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/ustring.h"
#include "text/winpath.h"

namespace prn::testing {

// The folder of this test program, where the build puts PrnSetup64.exe and inst2k64.dll.
inline ustring BinFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(win32::U(path, length));
}

// A file of the source tree, as Wine sees the host's file system.
inline ustring SourcePath(const char* relative) {
  ustring path = u"Z:" + FromUtf8(std::string(PRN_SOURCE_DIR) + "/" + relative);
  for (char16_t& c : path) c = c == u'/' ? u'\\' : c;
  return path;
}

// Answers the WOW64 question as the 32-bit installer on 64-bit Windows
// would; the test program itself is not under WOW64.
class Wow64SystemInfo : public win32::Win32SystemInfo {
 public:
  std::optional<bool> Wow64Flag() const override { return true; }
};

// Boxes are kept and answered at once, so that no test waits for a person.
// Runs ask from their worker threads, so the record is locked.
class AnsweringDialogs : public sys::Dialogs {
 public:
  struct Shown {
    ustring text, caption;
    uint32_t flags;
  };
  // The button a box of these flags is answered with.
  using Answer = std::function<int(uint32_t flags)>;

  static int AlwaysOk(uint32_t) { return sys::mb::IdOk; }

  explicit AnsweringDialogs(Answer answer = AlwaysOk) : answer_(std::move(answer)) {}

  int ShowMessage(sys::WindowHandle, const ustring& text, const ustring& caption, uint32_t flags) override {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back({text, caption, flags});
    return answer_(flags);
  }
  std::vector<Shown> Recorded() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
  }

 private:
  Answer answer_;
  mutable std::mutex mutex_;
  std::vector<Shown> shown_;
};

// Wine's own name of a file on the Unix side.
inline std::string UnixName(const ustring& path) {
  using UnixNameFn = char*(CDECL*)(LPCWSTR);
  auto unixName = reinterpret_cast<UnixNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  char* name = unixName(win32::W(path));
  if (!name) return {};
  std::string result(name);
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Runs a Unix program (Wine starts those too) and waits until `done` says
// its effect shows: Wine cannot wait for a Unix process itself.
inline bool RunUnix(const wchar_t* program, const std::string& arguments, const std::function<bool()>& done) {
  std::wstring line = std::wstring(program) + L" " + win32::Wide(FromUtf8(arguments));
  const std::wstring path = std::wstring(L"Z:") + program;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  for (int i = 0; i < 100 && !done(); ++i) Sleep(50);
  return done();
}

inline bool Exists(const ustring& path) { return GetFileAttributesW(win32::W(path)) != INVALID_FILE_ATTRIBUTES; }

// A link planted as a standard user would plant a junction: under Wine a
// Unix symbolic link, which Wine shows as a reparse point.
inline bool PlantLink(const ustring& link, const ustring& target) {
  const std::string arguments =
      "-s \"" + UnixName(target) + "\" \"" + UnixName(FolderPart(link)) + "/" + ToUtf8(FileNamePart(link)) + "\"";
  return RunUnix(L"/bin/ln", arguments, [&] { return Exists(link); });
}

// Wine's own calls would follow a link, so the Unix side clears up.
inline void RemoveFromUnixSide(const ustring& path) {
  if (Exists(path)) RunUnix(L"/bin/rm", "-rf \"" + UnixName(path) + "\"", [&] { return !Exists(path); });
}

}  // namespace prn::testing
