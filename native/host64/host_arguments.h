#pragma once
// The 64-bit host's command line: switches "/Dll", "/Handle", "/Inf",
// "/HWID" and "/FindHWID" (any case), each followed by its value.
// The narrow copies of "/Inf" and "/HWID" for the library are fixed buffers
// that a value must fit together with its terminating zero.

#include <cstdint>
#include <string>
#include <vector>

#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::sys {
class CodePage;
}  // namespace prn::sys

namespace prn::host64 {

struct HostArguments {
  ustring dll;         // the library, a full path (a relative one is taken in the current directory)
  ustring inf;
  ustring hardwareId;
  ustring resultFile;  // "/FindHWID": present only in find mode
  sys::WindowHandle window = 0;  // "/Handle": the window that receives the install result

  bool FindMode() const { return !resultFile.empty(); }
};

// Reads the arguments after the program name. A value belongs to the switch
// before it and replaces an earlier value; values after an unknown switch,
// or before any switch, are ignored.
HostArguments ParseHostArguments(const std::vector<ustring>& arguments);

// The host's whole command line (GetCommandLineW), split by SplitCommandLine;
// the program name is skipped.
HostArguments ParseHostCommandLine(ustring_view commandLine);

// The "/Handle" value as wcstol reads it, widened without sign extension.
sys::WindowHandle ParseWindowHandle(ustring_view text);

constexpr size_t kInstallCopyBufferSize = 260;
constexpr size_t kFindCopyBufferSize = 1024;

struct NarrowCopy {
  std::string text;
  uint32_t error = 0;  // ERROR_INSUFFICIENT_BUFFER, or ERROR_NO_UNICODE_TRANSLATION
};

// The C run-time's conversion with no locale set (wcstombs in the "C"
// locale): characters up to U+00FF become one byte, any other fails.
NarrowCopy CrtNarrowCopy(ustring_view text, size_t bufferSize);
// The ANSI code page's conversion (WideCharToMultiByte, CP_ACP).
NarrowCopy AnsiNarrowCopy(const sys::CodePage& codePage, ustring_view text, size_t bufferSize);

}  // namespace prn::host64
