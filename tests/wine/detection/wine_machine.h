#pragma once
// The real Windows parts the detection and removal routines use, bundled as
// the installer bundles them, with the programs of this build folder.

#include "sys/platform.h"
#include "sys/win32/win32_platform.h"
#include "sys/win32/win32_system_info.h"
#include "text/ustring.h"

namespace prn::testing {

// Answers the WOW64 question as the 32-bit installer on 64-bit Windows
// would; this 64-bit test program is not under WOW64 itself.
class Wow64SystemInfo : public win32::Win32SystemInfo {
 public:
  std::optional<bool> Wow64Flag() const override { return true; }
};

struct WineMachine {
  sys::Platform Platform(bool wow64 = false);

  win32::Win32Platform basics;
  Wow64SystemInfo wow64System;
};

// The folder of this test program, where the build puts PrnSetup64.exe and inst2k64.dll.
ustring BinFolder();
// A folder of this test in the user's temporary folder (created).
ustring TestFolder();

}  // namespace prn::testing
