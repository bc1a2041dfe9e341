#include "sys/win32/platform.h"

namespace prn::win32 {

sys::Platform Win32Platform::Platform() {
  sys::Platform platform;
  platform.files = &files;
  platform.codePage = &codePage;
  platform.lastError = &lastError;
  platform.system = &system;
  platform.resources = &resources;
  platform.dialogs = &dialogs;
  platform.processes = &processes;
  platform.shell = &shell;
  platform.privileges = &privileges;
  platform.spooler = &spooler;
  platform.registry = &registry;
  platform.usb = &usb;
  platform.deviceLibraries = &deviceLibraries;
  platform.uiThread = &uiThread;
  return platform;
}

}  // namespace prn::win32
