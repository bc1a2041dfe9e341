#pragma once
// rundll32 printui.dll,PrintUIEntry as the simulated machine carries it out
// on its spooler: /if installs a driver model from an INF and creates a queue
// on a port, /dl deletes a printer, /dd deletes a driver. Arguments it does
// not understand, a model the INF does not list or a missing port make it do
// nothing, as the real command does under /q.

#include <map>
#include <optional>

#include "sim/processes.h"

namespace prn::sys {
class CodePage;
class FileSystem;
class Spooler;
}

namespace prn::sim {

struct PrintUiCommand {
  ustring command;                        // "if", "dl", "dd", …
  std::map<char16_t, ustring> options;    // /b /f /r /m /n /h … with their values
  bool quiet = false;                     // /q
};

// Parses PrintUIEntry's arguments (already split); nothing when a switch is
// unknown, a value is missing or a token is no switch.
std::optional<PrintUiCommand> ParsePrintUiCommand(const StringList& arguments);

// The folder the simulated spooler's installed driver files go to.
constexpr char16_t kSimDriverFolder[] = u"C:\\Windows\\System32\\spool\\drivers\\x64\\3";

// rundll32.exe of the simulated machine, knowing printui.dll,PrintUIEntry.
ProgramBehaviour Rundll32Program(sys::Spooler& spooler, sys::FileSystem& files, const sys::CodePage& ansi);

}  // namespace prn::sim
