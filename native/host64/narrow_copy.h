#pragma once
// The host's narrow copies of "/Inf" and "/HWID" for the library: fixed
// buffers that a value must fit together with its terminating zero.

#include <cstdint>
#include <string>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
}

namespace prn::host64 {

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
