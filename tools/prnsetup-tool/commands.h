#pragma once
// The tool's commands, independent of how files are reached.

#include <cstdint>
#include <iosfwd>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::tool {

struct SettingsOptions {
  ustring file;
  ustring programFolder;  // with trailing backslash
  uint16_t langId = 0x0409;
  int32_t winVer = 61;
};

struct LangOptions {
  ustring file;
  int32_t index = 0;
  uint16_t langId = 0x0409;
};

// The ANSI code page of a system with that language (936, 950 or 1252).
unsigned AnsiCodePageFor(uint16_t langId);

// Prints the entries as a JSON array; on a settings error prints its text to
// `err` and answers 1.
int RunSettings(const SettingsOptions& options, const sys::FileSystem& files, const sys::CodePage& ansi,
                std::ostream& out, std::ostream& err);
// Prints the filled text record as one JSON object.
int RunLang(const LangOptions& options, const sys::FileSystem& files, const sys::CodePage& ansi,
            std::ostream& out, std::ostream& err);

}  // namespace prn::tool
