#pragma once
// Windows' own printer installers on the simulated machine, both working
// from a printer INF's models: rundll32 printui.dll,PrintUIEntry and the
// Printer class installer that plug and play calls.
//
// PrintUIEntry: /if installs a driver model from an INF and creates a queue
// on a port, /dl deletes a printer, /dd deletes a driver. Arguments it does
// not understand, a model the INF does not list or a missing port make it do
// nothing, as the real command does under /q.
//
// The class installer: once plug and play has installed a driver for an
// attached printer, it adds the driver to the spooler and creates the
// printer's queue on the device's port, named after the INF's model
// ("<model> (Copy 2)" when that name is taken), as Windows does.

#include <functional>
#include <map>
#include <optional>

#include "config/profile_file.h"
#include "sim/device_tree.h"
#include "sim/processes.h"
#include "text/ustring.h"

namespace prn::sim {

// A model a printer INF lists, and the data file its install section names.
struct InfModel {
  ustring name;            // as the INF lists it, strings resolved
  ustring installSection;
  ustring dataFile;        // the install section's DataFile, empty when none
};

// The model of that name (compared without regard to ASCII case) from the
// models sections of [Manufacturer], plain or decorated (".NTamd64"…).
std::optional<InfModel> FindInfModel(const config::ProfileFile& inf, ustring_view modelName);
// The first model whose hardware IDs include one of `hardwareIds`.
std::optional<InfModel> FindInfModelForDevice(const config::ProfileFile& inf, const StringList& hardwareIds);

}  // namespace prn::sim

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

namespace prn::sim {

class SimCodePage;
class SimFileSystem;
class SimSpooler;

// The port a device's instance ID names: "…&USB001" gives "USB001",
// "…&LPT1" gives "LPT1:"; empty for anything else.
ustring DevicePortOf(const std::string& instanceId);

std::function<void(const SimDevice&)> PrinterClassInstaller(SimSpooler& spooler, SimFileSystem& files,
                                                             const SimCodePage& codePage);

}  // namespace prn::sim
