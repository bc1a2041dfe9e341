#include "wine_machine.h"

#include <windows.h>

#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::testing {

sys::Platform WineMachine::Platform(bool wow64) {
  sys::Platform platform = basics.Platform();
  if (wow64) platform.system = &wow64System;
  return platform;
}

ustring TestFolder() {
  wchar_t temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  ustring folder = JoinPath(win32::U(temp, length), u"prn-detection-test");
  CreateDirectoryW(win32::W(folder), nullptr);
  return folder;
}

}  // namespace prn::testing
