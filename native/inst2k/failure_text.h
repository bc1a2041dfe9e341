#pragma once
// The library's texts: its string table as data, for a machine that loads the
// library without reading its resources, and the text of a failure box,
// composed from a string-table pattern and kept within the library's fixed
// buffers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
}  // namespace prn::sys

namespace prn::inst2k {

struct TableString {
  uint16_t language;  // 1033 English, 2052 Simplified Chinese
  uint32_t id;
  ustring text;
};

const std::vector<TableString>& StringTable();

constexpr size_t kSystemTextBufferSize = 200;  // system message text
constexpr size_t kBoxTextBufferSize = 300;     // composed box text
constexpr size_t kStringBufferSize = 260;      // a string-table entry

// Narrow text cut, on a character boundary, to fit a buffer of `bufferSize`
// bytes together with its terminating zero.
std::string FitAnsi(const sys::CodePage& codePage, const std::string& text, size_t bufferSize);

// The pattern filled with the label and the system text when there is one
// ("%s fail: %s\n"), else with the label and the code ("%s fail: (0x%08X)\n");
// never longer than the box buffer allows. The pattern is data: a stray
// placeholder renders empty.
std::string ComposeFailureText(const sys::CodePage& codePage, const std::string& pattern,
                               const std::string& label, const std::optional<std::string>& systemText,
                               uint32_t code);

}  // namespace prn::inst2k
