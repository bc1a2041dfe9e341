#pragma once
// The program's entry logic: module initialisation, the command line, loading,
// the windows, the message loop and the clean-up, with the exit code.

#include "app/form_host.h"
#include "app/process_values.h"
#include "sys/platform.h"

namespace prn::app {

constexpr int kExitNormal = 0;
constexpr int kExitStartupFailed = 1;

class Shell {
 public:
  // Module initialisation: the empty settings list, the system language, the
  // language object without a file.
  Shell(const sys::Platform& platform, FormHost& forms);

  // `parameters` without the program's own name. Answers the exit code.
  int Run(const StringList& parameters);

  ProcessValues& Values() { return values_; }
  const ProcessValues& Values() const { return values_; }

 private:
  bool LoadAndCreateWindows(bool manager);
  void ReportStartupError(const ustring& text);
  void WaitForRunningHosts();

  sys::Platform platform_;
  FormHost& forms_;
  ProcessValues values_;
};

}  // namespace prn::app
