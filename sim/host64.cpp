#include "sim/host64.h"

#include "config/profile_store.h"
#include "native/host64/host_arguments.h"
#include "native/host64/host_run.h"
#include "sys/dialogs.h"
#include "sim/codepage.h"
#include "sim/device_library.h"
#include "sim/dialogs.h"
#include "sim/files.h"
#include "sim/threads.h"
#include "sim/window_messages.h"

namespace prn::sim {

namespace {

class SimHostUi : public host64::HostUi {
 public:
  SimHostUi(SimDialogs& dialogs, SimWindows& windows) : dialogs_(dialogs), windows_(windows) {}
  void ShowErrorBox(const ustring& text, const ustring& caption) override {
    dialogs_.ShowMessage(0, text, caption, sys::mb::IconError);
  }
  void SendToWindow(sys::WindowHandle window, uint32_t message, uintptr_t wParam, uint32_t lParam) override {
    windows_.Send(window, message, wParam, lParam);
  }

 private:
  SimDialogs& dialogs_;
  SimWindows& windows_;
};

// While the host runs, relative paths mean what they mean in its own
// current directory (the library resolves the INF path there too).
class CurrentDirectoryScope {
 public:
  CurrentDirectoryScope(SimFileSystem& files, const ustring& directory)
      : files_(files), previous_(files.CurrentDirectory()) {
    if (!directory.empty()) files_.SetCurrentDirectory(directory);
  }
  ~CurrentDirectoryScope() { files_.SetCurrentDirectory(previous_); }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  SimFileSystem& files_;
  ustring previous_;
};

}  // namespace

ProgramBehaviour PrnSetup64Program(SimHostParts parts) {
  return [parts](const ProcessStartInfo& start) {
    ProgramRun run;
    // As the real host: its own command line, split by its own rules.
    const host64::HostArguments arguments = host64::ParseHostCommandLine(start.commandLine);
    run.atEnd = [parts, arguments, directory = start.currentDirectory] {
      As64BitProcess bitness;
      CurrentDirectoryScope scope(parts.files, directory);
      config::FileProfileStore profiles(parts.files, parts.codePage);
      SimHostUi ui(parts.dialogs, parts.windows);
      // As the real host's entry: whatever goes wrong, the process just ends.
      try {
        host64::RunHost({parts.libraries, parts.files, parts.codePage, profiles, ui}, arguments);
      } catch (const SimDeadlock&) {
        throw;  // the installer's fault, not the host's
      } catch (...) {
      }
    };
    return run;
  };
}

}  // namespace prn::sim
