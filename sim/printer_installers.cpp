#include "sim/printer_installers.h"

#include <algorithm>
#include <set>

#include "config/profile_file.h"
#include "sim/codepage.h"
#include "sim/files.h"
#include "sim/spooler.h"
#include "sys/files.h"
#include "sys/spooler.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::sim {

namespace {

ustring Unquoted(ustring text) {
  text = Trim(text);
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') text = text.substr(1, text.size() - 2);
  return text;
}

// "%Key%" stands for the value of Key in [Strings].
ustring Resolved(const config::ProfileFile& inf, const ustring& text) {
  ustring plain = Unquoted(text);
  if (plain.size() >= 2 && plain.front() == u'%' && plain.back() == u'%') {
    if (auto value = inf.Find(u"Strings", plain.substr(1, plain.size() - 2))) return Unquoted(*value);
  }
  return plain;
}

StringList CommaItems(const ustring& value) {
  StringList items;
  size_t start = 0;
  for (;;) {
    size_t comma = value.find(u',', start);
    items.push_back(Trim(ustring_view(value).substr(start, comma == ustring::npos ? ustring::npos : comma - start)));
    if (comma == ustring::npos) return items;
    start = comma + 1;
  }
}

StringList ModelSections(const config::ProfileFile& inf) {
  StringList sections;
  const auto* manufacturers = inf.Entries(u"Manufacturer");
  if (!manufacturers) return sections;
  for (const auto& entry : *manufacturers) {
    StringList items = CommaItems(entry.value.empty() ? entry.key : entry.value);
    if (items.empty() || items[0].empty()) continue;
    sections.push_back(items[0]);
    for (size_t i = 1; i < items.size(); ++i) sections.push_back(items[0] + u"." + items[i]);
  }
  return sections;
}

template <typename Matches>
std::optional<InfModel> FindModel(const config::ProfileFile& inf, Matches matches) {
  for (const ustring& section : ModelSections(inf)) {
    const auto* models = inf.Entries(section);
    if (!models) continue;
    for (const auto& entry : *models) {
      ustring name = Resolved(inf, entry.key);
      const StringList items = CommaItems(entry.value);
      if (!matches(name, items)) continue;
      InfModel model{name, items[0], u""};
      if (auto dataFile = inf.Find(model.installSection, u"DataFile")) model.dataFile = Unquoted(*dataFile);
      return model;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<InfModel> FindInfModel(const config::ProfileFile& inf, ustring_view modelName) {
  return FindModel(inf, [&](const ustring& name, const StringList&) { return EqualsNoCase(name, modelName); });
}

std::optional<InfModel> FindInfModelForDevice(const config::ProfileFile& inf, const StringList& hardwareIds) {
  return FindModel(inf, [&](const ustring&, const StringList& items) {
    for (size_t i = 1; i < items.size(); ++i) {
      for (const ustring& id : hardwareIds) {
        if (EqualsNoCase(items[i], id)) return true;
      }
    }
    return false;
  });
}

}  // namespace prn::sim

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

namespace prn::sim {

namespace {
constexpr char16_t kUsbMonitor[] = u"USB Monitor";
}

ustring DevicePortOf(const std::string& instanceId) {
  const ustring id = AsciiUpper(FromUtf8(instanceId));
  if (size_t usb = id.rfind(u"&USB"); usb != ustring::npos && id.size() >= usb + 7) return id.substr(usb + 1, 6);
  if (size_t lpt = id.rfind(u"&LPT"); lpt != ustring::npos && id.size() >= lpt + 5) return id.substr(lpt + 1, 4) + u":";
  return {};
}

std::function<void(const SimDevice&)> PrinterClassInstaller(SimSpooler& spooler, SimFileSystem& files,
                                                             const SimCodePage& codePage) {
  return [&spooler, &files, &codePage](const SimDevice& device) {
    const ustring port = DevicePortOf(device.instanceId);
    auto inf = config::ProfileFile::Load(files, files.FullPath(codePage.FromAnsi(device.driverInf)), codePage);
    if (port.empty() || !inf) return;
    StringList hardwareIds;
    for (const std::string& id : device.hardwareIds) hardwareIds.push_back(FromUtf8(id));
    auto model = FindInfModelForDevice(*inf, hardwareIds);
    if (!model) return;

    if (!spooler.FindPort(port)) spooler.PutPort(port, port.starts_with(u"USB") ? kUsbMonitor : kLocalPortMonitor);
    if (!spooler.FindDriver(model->name)) spooler.PutDriver(model->name);
    ustring name = model->name;
    for (int copy = 2; spooler.FindPrinter(name); ++copy) name = model->name + u" (Copy " + ToDecimal(copy) + u")";
    spooler.PutPrinter(name, model->name, port);
  };
}

}  // namespace prn::sim
