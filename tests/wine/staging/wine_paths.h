#pragma once
// Paths of the build and source trees as a program under Wine sees them.

#include <windows.h>

#include <string>

#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::testing {

// The Unix path through Wine's Z: drive.
inline ustring WinePath(const std::string& unixPath) {
  ustring path = u"Z:" + FromUtf8(unixPath);
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

// The folder of the running test program.
inline ustring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(win32::U(path, length));
}

inline ustring SystemFolder() {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return win32::U(folder, length);
}

inline ustring TempFolder(const char16_t* name) {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, buffer);
  return JoinPath(win32::U(buffer, length), name);
}

}  // namespace prn::testing
