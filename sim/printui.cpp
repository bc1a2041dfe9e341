#include "sim/printui.h"

#include <algorithm>
#include <set>

#include "config/profile_file.h"
#include "sys/files.h"
#include "sim/inf_models.h"
#include "sys/spooler.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::sim {

namespace {

const std::set<ustring> kCommands = {u"dd", u"dl", u"dn", u"dpn", u"e",  u"ga", u"ge", u"gd", u"ia",
                                     u"id", u"if", u"ii", u"il",  u"in", u"ip", u"k",  u"o",  u"p",
                                     u"s",  u"Sr", u"Ss", u"Xg",  u"Xs", u"y"};
const std::set<char16_t> kValueOptions = {u'a', u'b', u'c', u'f', u'h', u'j', u'l', u'm', u'n', u'r', u't', u'v'};
const std::set<char16_t> kFlags = {u'q', u'u', u'w', u'Y', u'z', u'Z', u'K', u'G'};

const ustring* Option(const PrintUiCommand& command, char16_t name) {
  auto found = command.options.find(name);
  return found == command.options.end() ? nullptr : &found->second;
}

bool PortExists(sys::Spooler& spooler, const ustring& port) {
  auto ports = spooler.EnumeratePorts2();
  return ports.ok && std::any_of(ports.records.begin(), ports.records.end(),
                                 [&](const sys::PORT_INFO_2W& p) { return EqualsNoCase(p.pPortName, port); });
}

// Copies the model's data file next to the INF into the driver folder, as the
// printer UI's file copy does before it adds the driver.
ustring InstallDataFile(sys::FileSystem& files, const ustring& infPath, const ustring& dataFile) {
  if (dataFile.empty()) return {};
  ustring target = JoinPath(kSimDriverFolder, dataFile);
  std::string bytes;
  if (files.ReadFile(JoinPath(FolderPart(files.FullPath(infPath)), dataFile), bytes) == 0 &&
      files.CreateDirectories(kSimDriverFolder) == 0)
    files.WriteFile(target, bytes);
  return target;
}

void InstallPrinterFromInf(const PrintUiCommand& command, sys::Spooler& spooler, sys::FileSystem& files,
                           const sys::CodePage& ansi) {
  const ustring *name = Option(command, u'b'), *inf = Option(command, u'f'), *port = Option(command, u'r'),
                *modelName = Option(command, u'm');
  if (!name || !inf || !port || !modelName || name->empty()) return;
  auto profile = config::ProfileFile::Load(files, *inf, ansi);
  if (!profile) return;
  auto model = FindInfModel(*profile, *modelName);
  if (!model || !PortExists(spooler, *port)) return;

  sys::DRIVER_INFO_3W driver;
  driver.pName = model->name;
  driver.pDataFile = InstallDataFile(files, *inf, model->dataFile);
  if (!spooler.InstallDriver(driver, sys::spool::CopyNewFiles)) return;

  sys::PRINTER_INFO_2W printer;
  printer.pPrinterName = *name;
  printer.pPortName = *port;
  printer.pDriverName = model->name;
  printer.pPrintProcessor = u"winprint";
  printer.pDatatype = u"RAW";
  spooler.AddPrinterQueue(printer);
}

void DeletePrinter(const PrintUiCommand& command, sys::Spooler& spooler) {
  const ustring* name = Option(command, u'n');
  if (!name) return;
  sys::PRINTER_DEFAULTSW defaults;
  defaults.DesiredAccess = sys::spool::PrinterAllAccess;
  if (auto printer = spooler.OpenPrinterHandle(*name, &defaults)) printer->DeleteQueue();
}

ustring EnvironmentOf(const ustring* architecture) {
  if (!architecture) return {};
  if (EqualsNoCase(*architecture, u"intel") || EqualsNoCase(*architecture, u"x86")) return u"Windows NT x86";
  if (EqualsNoCase(*architecture, u"x64")) return u"Windows x64";
  return *architecture;
}

void DeleteDriver(const PrintUiCommand& command, sys::Spooler& spooler) {
  const ustring* model = Option(command, u'm');
  if (!model) return;
  spooler.RemoveDriver(u"", EnvironmentOf(Option(command, u'h')), *model, 0, 0);
}

}  // namespace

std::optional<PrintUiCommand> ParsePrintUiCommand(const StringList& arguments) {
  PrintUiCommand command;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const ustring& token = arguments[i];
    if (token.size() < 2 || token[0] != u'/') return std::nullopt;
    ustring name = token.substr(1);
    if (kCommands.count(name)) {
      if (!command.command.empty()) return std::nullopt;
      command.command = name;
    } else if (name.size() == 1 && kValueOptions.count(name[0])) {
      if (i + 1 >= arguments.size()) return std::nullopt;
      command.options[name[0]] = arguments[++i];
    } else if (name.size() == 1 && kFlags.count(name[0])) {
      if (name[0] == u'q') command.quiet = true;
    } else {
      return std::nullopt;
    }
  }
  if (command.command.empty()) return std::nullopt;
  return command;
}

ProgramBehaviour Rundll32Program(sys::Spooler& spooler, sys::FileSystem& files, const sys::CodePage& ansi) {
  return [&spooler, &files, &ansi](const ProcessStartInfo& start) {
    const StringList& args = start.args;
    if (args.size() < 2 || !EqualsNoCase(args[1], u"printui.dll,PrintUIEntry")) return ProgramRun{};
    auto command = ParsePrintUiCommand(StringList(args.begin() + 2, args.end()));
    if (!command) return ProgramRun{};
    if (command->command == u"if") InstallPrinterFromInf(*command, spooler, files, ansi);
    if (command->command == u"dl") DeletePrinter(*command, spooler);
    if (command->command == u"dd") DeleteDriver(*command, spooler);
    return ProgramRun{};
  };
}

}  // namespace prn::sim
