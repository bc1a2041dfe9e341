#pragma once
// The real Windows parts the detection and removal routines use, bundled as
// the installer bundles them, with the programs of this build folder.

#include "sys/platform.h"
#include "sys/win32/platform.h"
#include "sys/win32/system_info.h"
#include "text/ustring.h"
#include "wine/wine_test_support.h"

namespace prn::testing {

struct WineMachine {
  sys::Platform Platform(bool wow64 = false);

  win32::Win32Platform basics;
  Wow64SystemInfo wow64System;
};

// A folder of this test in the user's temporary folder (created).
ustring TestFolder();

}  // namespace prn::testing
