#pragma once
// Everything the portable logic may ask of the machine, handed in as one
// bundle. The real Windows machine (sys/win32) and the simulated one
// (sim/) each fill it; a routine takes only the members it needs.

namespace prn::sys {

class FileSystem;       // sys/files.h
class CodePage;         // sys/system_info.h: the ANSI code page
class LastError;        // sys/win_errors.h: the thread's last-error value
class SystemInfo;       // sys/system_info.h: language, version, WOW64, folders, error texts, sleep
class Resources;        // sys/files.h: RCDATA resources of the executable
class Dialogs;          // sys/dialogs.h: message boxes
class Spooler;          // sys/spooler.h: winspool
class UsbPortLibrary;   // sys/usb_port_library.h: PLP_RW.DLL bound at first use
class DeviceLibraries;  // sys/device_library.h: loads inst2k.dll / inst2k64.dll by full path
class Registry;         // sys/registry.h: HKLM keys and values
class Processes;        // sys/processes.h: starting and waiting for processes, pipes
class Shell;            // sys/shell.h: special folders, SHFileOperation, ShellExecute
class Privileges;       // sys/system_info.h: token privileges and restart
class UiThread;         // sys/ui_thread.h: the one road to the UI thread

struct Platform {
  FileSystem* files = nullptr;
  CodePage* codePage = nullptr;
  LastError* lastError = nullptr;
  SystemInfo* system = nullptr;
  Resources* resources = nullptr;
  Dialogs* dialogs = nullptr;
  Spooler* spooler = nullptr;
  UsbPortLibrary* usb = nullptr;
  DeviceLibraries* deviceLibraries = nullptr;
  Registry* registry = nullptr;
  Processes* processes = nullptr;
  Shell* shell = nullptr;
  Privileges* privileges = nullptr;
  UiThread* uiThread = nullptr;
};

}  // namespace prn::sys
