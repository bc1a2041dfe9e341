// PrnSetup.exe: hardening first, then start-up on the real machine.

#include <windows.h>

#include <exception>

#include "app/startup.h"
#include "sys/win32/system_info.h"
#include "sys/win32/hardening.h"
#include "sys/win32/platform.h"
#include "ui/win32/form_host.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything else can load a DLL.
  prn::win32::HardenProcess();

  prn::win32::Win32Platform machine;
  prn::ui::Win32FormHost forms(instance);
  try {
    prn::app::Startup startup(machine.Platform(), forms);
    forms.Bind(machine.Platform(), startup.Values());
    return startup.Run(prn::win32::ProcessParameters());
  } catch (const std::exception& error) {
    // A fault no handler expected: say so rather than vanish.
    machine.dialogs.ShowMessage(0, prn::FromUtf8(error.what()), u"PrnSetup", MB_OK | MB_ICONERROR);
    return prn::app::kExitStartupFailed;
  }
}
