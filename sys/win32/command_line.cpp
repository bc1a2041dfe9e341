#include "sys/win32/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "sys/win32/text.h"

namespace prn::win32 {

StringList ProcessParameters() {
  StringList parameters;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return parameters;
  for (int i = 1; i < count; ++i) parameters.push_back(U(arguments[i]));
  LocalFree(arguments);
  return parameters;
}

}  // namespace prn::win32
