#pragma once
// Small questions to the system that start-up and other parts ask.

#include <cstdint>

#include "text/ustring.h"

namespace prn::sys {

class SystemInfo;

// `prefix` followed by "EN", "CN" or "CHT": from the command-line code ("EN",
// "SC", "TC" in any case) when there is one, else from the system default
// language, read at the call.
ustring LanguageCodeSuffix(ustring_view prefix, ustring_view code, const sys::SystemInfo& system);

// Windows major version × 10 + minor version; 0 when the query fails.
int32_t GetWinVer(const sys::SystemInfo& system);

// True when this program runs under WOW64; false when the system cannot tell.
bool IsWow64(const sys::SystemInfo& system);

// The text shown when a system call fails: the system's own message and the
// file or folder concerned, on two lines.
ustring SystemErrorText(const sys::SystemInfo& system, uint32_t code, const ustring& subject);

}  // namespace prn::sys
