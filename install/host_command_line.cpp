#include "install/host_command_line.h"

#include "text/command_line.h"

namespace prn::install {

bool IsPassableHardwareId(ustring_view id) {
  return !id.empty() && id.front() != u'/' && id.find_first_of(ustring_view(u" \t\"\0", 4)) == ustring_view::npos;
}

bool IsPassableValue(ustring_view value) {
  return !value.empty() && value.front() != u'/' && !QuoteArgument(value).empty();
}

std::optional<ustring> BuildHostCommandLine(const HostCommand& command) {
  // The program name is read up to the next quote, backslashes and all.
  if (!IsPassableValue(command.hostPath) || command.hostPath.back() == u'\\') return std::nullopt;
  if (!IsPassableValue(command.libraryPath) || !IsPassableValue(command.infPath)) return std::nullopt;
  if (!IsPassableHardwareId(command.hardwareId)) return std::nullopt;
  if (command.resultFile && !IsPassableValue(*command.resultFile)) return std::nullopt;

  // The host reads "/Handle" as a signed 32-bit number and keeps its bits:
  // a handle with the top bit set travels as a negative number.
  const auto handle = static_cast<int32_t>(static_cast<uint32_t>(command.windowHandle));
  ustring line = u"\"" + command.hostPath + u"\"" + u" /Handle " + ToDecimal(static_cast<long long>(handle)) +
                 u" /Dll " + QuoteArgument(command.libraryPath) + u" /Inf " + QuoteArgument(command.infPath) +
                 u" /HWID " + command.hardwareId;
  if (command.resultFile) line += u" /FindHWID " + QuoteArgument(*command.resultFile);
  return line;
}

}  // namespace prn::install
