#include "native/host64/host_arguments.h"

#include "sys/system_info.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/command_line.h"

namespace prn::host64 {

namespace {

// The value a switch sets, or null for a switch the host does not know.
ustring* ValueOf(HostArguments& parsed, ustring_view name, ustring& handleText) {
  if (EqualsNoCase(name, u"/Dll")) return &parsed.dll;
  if (EqualsNoCase(name, u"/Handle")) return &handleText;
  if (EqualsNoCase(name, u"/Inf")) return &parsed.inf;
  if (EqualsNoCase(name, u"/HWID")) return &parsed.hardwareId;
  if (EqualsNoCase(name, u"/FindHWID")) return &parsed.resultFile;
  return nullptr;
}

}  // namespace

sys::WindowHandle ParseWindowHandle(ustring_view text) {
  return static_cast<sys::WindowHandle>(static_cast<uint32_t>(ParseLeadingDecimal(text)));
}

HostArguments ParseHostArguments(const std::vector<ustring>& arguments) {
  HostArguments parsed;
  ustring handleText;
  ustring* current = nullptr;
  for (const auto& argument : arguments) {
    if (argument.starts_with(u'/')) {
      current = ValueOf(parsed, argument, handleText);
    } else if (current) {
      *current = argument;
    }
  }
  parsed.window = ParseWindowHandle(handleText);
  return parsed;
}

HostArguments ParseHostCommandLine(ustring_view commandLine) {
  StringList arguments = SplitCommandLine(commandLine);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return ParseHostArguments(arguments);
}

NarrowCopy CrtNarrowCopy(ustring_view text, size_t bufferSize) {
  NarrowCopy copy;
  for (char16_t c : text) {
    if (c > 0xFF) return {{}, winerr::NoUnicodeTranslation};
    copy.text.push_back(static_cast<char>(c));
  }
  if (copy.text.size() + 1 > bufferSize) return {{}, winerr::InsufficientBuffer};
  return copy;
}

NarrowCopy AnsiNarrowCopy(const sys::CodePage& codePage, ustring_view text, size_t bufferSize) {
  NarrowCopy copy{codePage.ToAnsi(text), 0};
  if (copy.text.size() + 1 > bufferSize) return {{}, winerr::InsufficientBuffer};
  return copy;
}

}  // namespace prn::host64
