#pragma once
// The program's entry logic: module initialisation, the command line, loading,
// the windows, the message loop and the clean-up, with the exit code.

#include "config/process_values.h"
#include "sys/platform.h"
#include "text/ustring.h"
#include "ui/form_host.h"

namespace prn::app {

using config::ProcessValues;

struct CommandLine {
  ustring langCode;     // "EN", "SC" or "TC" as typed; empty for anything else
  bool manager = false; // "MANAGER" in position 2, any case
};

// `parameters` without the program's own name.
CommandLine ParseCommandLine(const StringList& parameters);

constexpr int kExitNormal = 0;
constexpr int kExitStartupFailed = 1;

class Startup {
 public:
  // Module initialisation: the empty settings list, the system language, the
  // language object without a file.
  Startup(const sys::Platform& platform, ui::FormHost& forms);

  // `parameters` without the program's own name. Answers the exit code.
  int Run(const StringList& parameters);

  ProcessValues& Values() { return values_; }
  const ProcessValues& Values() const { return values_; }

 private:
  bool LoadAndCreateWindows(bool manager);
  void ReportStartupError(const ustring& text);
  void WaitForRunningHosts();

  sys::Platform platform_;
  ui::FormHost& forms_;
  ProcessValues values_;
};

}  // namespace prn::app
