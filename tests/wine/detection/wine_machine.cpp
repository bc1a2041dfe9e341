#include "wine_machine.h"

#include <windows.h>

#include "sys/win32/win32_text.h"
#include "text/winpath.h"

namespace prn::testing {

sys::Platform WineMachine::Platform(bool wow64) {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.system = wow64 ? static_cast<sys::SystemInfo*>(&wow64System) : &system;
  platform.dialogs = &dialogs;
  platform.spooler = &spooler;
  platform.deviceLibraries = &deviceLibraries;
  platform.registry = &registry;
  platform.processes = &processes;
  return platform;
}

ustring BinFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderPart(win32::U(path, length));
}

ustring TestFolder() {
  wchar_t temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  ustring folder = JoinPath(win32::U(temp, length), u"prn-detection-test");
  CreateDirectoryW(win32::W(folder), nullptr);
  return folder;
}

}  // namespace prn::testing
