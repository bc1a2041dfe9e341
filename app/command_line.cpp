#include "app/command_line.h"

#include "text/ascii.h"

namespace prn::app {

CommandLine ParseCommandLine(const StringList& parameters) {
  CommandLine result;
  if (!parameters.empty()) {
    const ustring code = AsciiUpper(parameters[0]);
    if (code == u"EN" || code == u"SC" || code == u"TC") result.langCode = parameters[0];
  }
  // An unrecognised language code does not shift "MANAGER" into position 1.
  result.manager = parameters.size() >= 2 && AsciiUpper(parameters[1]) == u"MANAGER";
  return result;
}

}  // namespace prn::app
