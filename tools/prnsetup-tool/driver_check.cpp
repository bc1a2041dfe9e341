// The drivers of each entry, as Windows and the installer read their INF
// files on the systems the installer runs on.

#include <algorithm>
#include <climits>

#include "config/inf_models.h"
#include "config/profile_file.h"
#include "install/driver_ver.h"
#include "sys/files.h"
#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/check_parts.h"

namespace prn::tool {

namespace {

using config::InfArchitecture;
using config::InfFile;
using config::InfPlatform;

// A system the installer runs on: the version Windows reads an INF for,
// and the version number the installer itself sees (a program without a
// compatibility manifest is told 6.2 from Windows 8 on).
struct TargetSystem {
  const char16_t* name;
  InfPlatform platform;
  int32_t installerVersion;
};

constexpr TargetSystem kSystems[] = {
    {u"XP", {InfArchitecture::X86, 5, 1, 2600}, 51},
    {u"Vista", {InfArchitecture::X86, 6, 0, 6002}, 60},
    {u"7", {InfArchitecture::X86, 6, 1, 7601}, 61},
    {u"8", {InfArchitecture::X86, 6, 2, 9200}, 62},
    {u"8.1", {InfArchitecture::X86, 6, 3, 9600}, 62},
    {u"10", {InfArchitecture::X86, 10, 0, 19045}, 62},
    {u"XP", {InfArchitecture::Amd64, 5, 2, 3790}, 52},
    {u"Vista", {InfArchitecture::Amd64, 6, 0, 6002}, 60},
    {u"7", {InfArchitecture::Amd64, 6, 1, 7601}, 61},
    {u"8", {InfArchitecture::Amd64, 6, 2, 9200}, 62},
    {u"8.1", {InfArchitecture::Amd64, 6, 3, 9600}, 62},
    {u"10", {InfArchitecture::Amd64, 10, 0, 19045}, 62},
    {u"11", {InfArchitecture::Amd64, 10, 0, 22631}, 62},
};

// A driver an entry installs: the primary one, or the compatible one that
// replaces it from CIDForVersion on.
struct DriverChoice {
  const PackageEntry* entry;
  bool compatible;
  ustring name, hardwareId, folder, inf2k, infX64;
  int32_t fromVersion, untilVersion;  // installer versions [from, until)

  const char16_t* NameKey() const { return compatible ? u"CompatibleName" : u"PrinterName"; }
  const char16_t* HardwareIdKey() const { return compatible ? u"CompatibleID" : u"PrinterHWID"; }
  const char16_t* InfKey(InfArchitecture a) const {
    if (a == InfArchitecture::X86) return compatible ? u"CompatibleINF.2K" : u"INF.2K";
    return compatible ? u"CompatibleINF.X64" : u"INF.X64";
  }
  const ustring& Inf(InfArchitecture a) const { return a == InfArchitecture::X86 ? inf2k : infX64; }
  bool UsedOn(const TargetSystem& system) const {
    return system.installerVersion >= fromVersion && system.installerVersion < untilVersion;
  }
};

std::vector<DriverChoice> DriverChoices(const std::vector<PackageEntry>& entries) {
  std::vector<DriverChoice> choices;
  for (const PackageEntry& entry : entries) {
    const config::TRInstallInfo& info = entry.info;
    const bool hasCompatible = !info.CompatibleName.empty();
    choices.push_back({&entry, false, info.PrinterName, info.PrinterHWID, info.DriverDir, info.INF2K, info.INFX64,
                       INT_MIN, hasCompatible ? info.CIDForVersion : INT_MAX});
    if (hasCompatible) {
      choices.push_back({&entry, true, info.CompatibleName, info.CompatibleID, info.CompatibleDriverDir,
                         info.CompatibleINF2K, info.CompatibleINFX64, info.CIDForVersion, INT_MAX});
    }
  }
  return choices;
}

const char16_t* BitsOf(InfArchitecture architecture) {
  return architecture == InfArchitecture::X86 ? u"32-bit Windows" : u"64-bit Windows";
}

using Systems = std::vector<const TargetSystem*>;

// "64-bit Windows", "64-bit Windows 8 and later", "32-bit Windows XP and 7".
ustring SystemsOf(InfArchitecture architecture, const Systems& failed, const Systems& used) {
  const ustring bits = BitsOf(architecture);
  if (failed != used) {
    ustring listed = bits;
    for (size_t i = 0; i < failed.size(); ++i) {
      listed += (i == 0 ? u" " : i + 1 == failed.size() ? u" and " : u", ") + ustring(failed[i]->name);
    }
    return listed;
  }
  const TargetSystem* first = nullptr;
  const TargetSystem* last = nullptr;
  for (const TargetSystem& system : kSystems) {
    if (system.platform.architecture != architecture) continue;
    if (!first) first = &system;
    last = &system;
  }
  const ustring from = failed.front()->name, to = failed.back()->name;
  if (failed.front() == first) return failed.back() == last ? bits : bits + u" up to " + to;
  return bits + u" " + from + (failed.back() == last ? u" and later" : u" to " + to);
}

// "on 32-bit and 64-bit Windows", "on 32-bit Windows and 64-bit Windows 8 and later".
ustring SystemsText(const Systems& failed, const Systems& used) {
  StringList parts;
  for (InfArchitecture architecture : {InfArchitecture::X86, InfArchitecture::Amd64}) {
    Systems failedHere, usedHere;
    for (const TargetSystem* system : failed) {
      if (system->platform.architecture == architecture) failedHere.push_back(system);
    }
    for (const TargetSystem* system : used) {
      if (system->platform.architecture == architecture) usedHere.push_back(system);
    }
    if (!failedHere.empty()) parts.push_back(SystemsOf(architecture, failedHere, usedHere));
  }
  if (parts.size() == 2 && parts[0] == BitsOf(InfArchitecture::X86) && parts[1] == BitsOf(InfArchitecture::Amd64)) {
    return u"on 32-bit and 64-bit Windows";
  }
  return u"on " + Join(parts, u" and ");
}

ustring Bracketed(const StringList& names) {
  ustring text;
  for (const ustring& name : names) text += (text.empty() ? u"[" : u", [") + name + u"]";
  return text.empty() ? u"no models section" : text;
}

// [Version] of an INF: the printer class, and DriverVer as the installer
// reads it: a profile value of "month/day/year,version".
void CheckVersionSection(const CheckContext& check, const ustring& path, const std::string& bytes,
                         const InfFile& inf, const sys::CodePage& ansi) {
  const Place file{check.Shown(path)};
  const config::InfLine* classLine = inf.Find(u"Version", u"Class");
  const ustring infClass = classLine && !classLine->values.empty() ? classLine->values[0] : ustring();
  if (!EqualsNoCase(infClass, u"Printer")) {
    check.findings.Error({file.file, classLine ? classLine->number : 0},
                         classLine ? Format(u"has Class=%s: it is not a printer INF, so printui refuses it.", {infClass})
                                   : ustring(u"has no Class=Printer in [Version]: it is not a printer INF, so printui "
                                             u"refuses it."));
  }
  const config::InfLine* line = inf.Find(u"Version", u"DriverVer");
  const Place place{file.file, line ? line->number : 0};
  const ustring value = config::ProfileFile::Parse(bytes, ansi).ReadString(u"Version", u"DriverVer", u"");
  if (value.empty()) {
    check.findings.Error(place, u"has no DriverVer in [Version]; installing the model a second time stops with "
                                u"“Inf DriverVer Format Error”.");
    return;
  }
  const install::DriverVer driverVer = install::ParseDriverVer(value);
  try {
    install::DriverDateDays(driverVer.dateText, driverVer.dateText, driverVer.dateText);
  } catch (const Error&) {
    check.findings.Error(place, Format(u"DriverVer “%s” has no month/day/year date before its comma; installing the "
                                       u"model a second time stops with “Inf DriverVer Format Error”.", {value}));
  }
  const size_t comma = value.find(u',');
  const ustring version = comma == ustring::npos ? value : value.substr(comma + 1);
  ustring parts = Trim(version);
  std::replace(parts.begin(), parts.end(), u'.', u',');
  for (const ustring& part : install::SplitCommaText(parts)) {
    if (config::ParseProfileInteger(part)) continue;
    check.findings.Error(place, Format(u"DriverVer “%s”: “%s” is not a number; the installer reads it as 0 and "
                                       u"compares driver versions wrongly.", {value, part}));
    break;
  }
  if (Trim(version).size() > 25) {
    check.findings.Error(place, Format(u"DriverVer “%s”: the installer reads only the first 25 characters of the "
                                       u"version.", {value}));
  }
  if (line && Join(line->values, u",") != value) {
    check.findings.Warning(place, Format(u"DriverVer reads “%s” for Windows but “%s” for the installer, which "
                                         u"takes the line as written; compare versions may go wrong.",
                                         {Join(line->values, u","), value}));
  }
}

// A disk whose tag names a cabinet holds its files inside it.
bool IsCabinet(const config::InfLine* disk) {
  if (!disk || disk->values.size() < 2) return false;
  const ustring& tag = disk->values[1];
  return tag.size() >= 4 && EqualsNoCase(ustring_view(tag).substr(tag.size() - 4), u".cab");
}

// [SourceDisksFiles] (and its decorated twin) against the driver folder.
void CheckSourceFiles(const CheckContext& check, const ustring& path, const InfFile& inf, const ustring& folder,
                      InfArchitecture architecture) {
  const ustring decoration = architecture == InfArchitecture::X86 ? u".x86" : u".amd64";
  auto disk = [&](const ustring& id) {
    const config::InfLine* line = inf.Find(u"SourceDisksNames" + decoration, id);
    return line ? line : inf.Find(u"SourceDisksNames", id);
  };
  for (const ustring& section : {ustring(u"SourceDisksFiles"), u"SourceDisksFiles" + decoration}) {
    const auto* lines = inf.Section(section);
    if (!lines) continue;
    for (const config::InfLine& line : *lines) {
      if (!line.hasKey || line.key.empty()) continue;
      const config::InfLine* diskLine = line.values.empty() ? nullptr : disk(line.values[0]);
      if (IsCabinet(diskLine)) continue;
      ustring source = folder;
      if (diskLine && diskLine->values.size() > 3) source = JoinPath(source, diskLine->values[3]);
      if (line.values.size() > 1) source = JoinPath(source, line.values[1]);
      source = JoinPath(source, line.key);
      if (check.Files().FileExists(check.Files().FullPath(source))) continue;
      check.findings.Error({check.Shown(path), line.number},
                           Format(u"lists “%s”, which is not in %s; Windows stops the driver's install when it "
                                  u"cannot copy it.",
                                  {line.key, check.FolderText(FolderPart(check.Files().FullPath(source)))}));
    }
  }
}

// What printui's /m and plug and play find of a driver in its INF on each system.
struct ModelFaults {
  Systems used, noModel, noHardwareId, noInstallSection;
  StringList sections;  // what the first system without the model reads
  StringList ids;       // what the model lists where the hardware ID is missing
  ustring installSection;
  int modelLine = 0;
};

void CheckPrintProcessor(const CheckContext& check, const DriverChoice& driver, const ustring& path, const InfFile& inf,
                         const ustring& installSection) {
  const ustring& processor = driver.entry->info.PrintProcess;
  if (processor.empty() || EqualsNoCase(processor, u"winprint")) return;
  const auto offered = inf.Value(installSection, u"PrintProcessor");
  if (offered && EqualsNoCase(offered->substr(0, offered->find(u',')), processor)) return;
  check.findings.Warning(check.SettingsPlace(driver.entry->section, u"PrintProcess"),
                         Format(u"names the print processor “%s”, which neither Windows (winprint) nor %s installs; "
                                u"the new printer keeps its own.",
                                {processor, check.Shown(path)}));
}

// One INF of a driver, for the architectures that install from it. The
// file's own faults are the same in every language: `fileChecks` says
// whether to look for them this time.
void CheckModel(const CheckContext& check, const DriverChoice& driver, const ustring& path,
                const std::vector<InfArchitecture>& architectures, const CheckLanguage& language, bool fileChecks) {
  std::string bytes;
  if (check.Files().ReadFile(path, bytes) != 0) return;  // a missing INF is reported with the settings
  const sys::CodePage& ansi = check.CodePage(language);
  const InfFile inf = InfFile::Parse(bytes, ansi, language.languageId);
  if (fileChecks) {
    CheckEncoding(check, {check.Shown(path)}, bytes, true);
    CheckVersionSection(check, path, bytes, inf, ansi);
    for (InfArchitecture architecture : architectures) CheckSourceFiles(check, path, inf, driver.folder, architecture);
  }

  ModelFaults faults;
  bool processorChecked = false;
  for (const TargetSystem& system : kSystems) {
    const bool served = std::find(architectures.begin(), architectures.end(), system.platform.architecture) !=
                        architectures.end();
    if (!served || !driver.UsedOn(system)) continue;
    faults.used.push_back(&system);
    const auto models = config::FindModel(inf, system.platform, driver.name);
    if (models.empty()) {
      if (faults.noModel.empty()) {
        for (const auto& read : config::ModelsSectionsFor(inf, system.platform)) faults.sections.push_back(read.name);
      }
      faults.noModel.push_back(&system);
      continue;
    }
    const bool hasId = std::any_of(models.begin(), models.end(), [&](const config::InfModel& model) {
      return std::any_of(model.ids.begin(), model.ids.end(),
                         [&](const ustring& id) { return EqualsNoCase(id, driver.hardwareId); });
    });
    if (!hasId) {
      faults.noHardwareId.push_back(&system);
      faults.ids = models[0].ids;
    }
    const auto installSection = config::InstallSectionFor(inf, models[0].installSection, system.platform);
    if (!installSection) {
      faults.noInstallSection.push_back(&system);
      faults.installSection = models[0].installSection;
      faults.modelLine = models[0].line;
    } else if (!processorChecked) {
      CheckPrintProcessor(check, driver, path, inf, *installSection);
      processorChecked = true;
    }
  }
  const ustring shown = check.Shown(path);
  const ustring& section = driver.entry->section;
  if (!faults.noModel.empty()) {
    check.findings.Error(check.SettingsPlace(section, driver.NameKey()),
                         Format(u"“%s” is not a model of %s %s (it reads %s there); printui's /m cannot install it.",
                                {driver.name, shown, SystemsText(faults.noModel, faults.used),
                                 Bracketed(faults.sections)}));
  }
  if (!faults.noHardwareId.empty()) {
    check.findings.Error(check.SettingsPlace(section, driver.HardwareIdKey()),
                         Format(u"“%s” is not a hardware ID of “%s” in %s %s (it lists %s); plug and play never "
                                u"matches the printer to this driver.",
                                {driver.hardwareId, driver.name, shown,
                                 SystemsText(faults.noHardwareId, faults.used),
                                 faults.ids.empty() ? ustring(u"none") : Join(faults.ids, u", ")}));
  }
  if (!faults.noInstallSection.empty()) {
    check.findings.Error({shown, faults.modelLine},
                         Format(u"“%s” names the install section [%s], which the INF lacks %s; its driver cannot be "
                                u"installed.",
                                {driver.name, faults.installSection,
                                 SystemsText(faults.noInstallSection, faults.used)}));
  }
}

// Entries that install a driver of the same name share its staging folder;
// the older INF, installed second, replaces the newer staged copy.
void CheckStagedVersions(const CheckContext& check, const std::vector<DriverChoice>& drivers,
                         const CheckLanguage& language) {
  for (InfArchitecture architecture : {InfArchitecture::X86, InfArchitecture::Amd64}) {
    for (const DriverChoice& older : drivers) {
      for (const DriverChoice& newer : drivers) {
        if (older.entry == newer.entry || !EqualsNoCase(older.name, newer.name) ||
            std::max(older.fromVersion, newer.fromVersion) >= std::min(older.untilVersion, newer.untilVersion))
          continue;
        int32_t comparison = 0;
        try {
          comparison = install::InfCompareVersion(check.Files(), check.CodePage(language), older.Inf(architecture),
                                                  newer.Inf(architecture));
        } catch (const Error&) {
          continue;  // an unreadable date is reported with its INF
        }
        if (comparison != -1) continue;
        check.findings.Warning(
            check.SettingsPlace(older.entry->section, older.InfKey(architecture)),
            Format(u"installs “%s” from %s, whose DriverVer is older than that of %s, which [%s] stages in the same "
                   u"folder; installing [%s] after [%s] on %s puts the older driver in place.",
                   {older.name, check.Shown(older.Inf(architecture)), check.Shown(newer.Inf(architecture)),
                    newer.entry->section, older.entry->section, newer.entry->section, BitsOf(architecture)}));
      }
    }
  }
}

}  // namespace

void CheckDrivers(const CheckContext& check, const PackageSettings& settings, bool fileChecks) {
  const std::vector<DriverChoice> drivers = DriverChoices(settings.entries);
  for (const DriverChoice& driver : drivers) {
    if (EqualsNoCase(driver.inf2k, driver.infX64)) {
      CheckModel(check, driver, driver.inf2k, {InfArchitecture::X86, InfArchitecture::Amd64}, *settings.language,
                 fileChecks);
    } else {
      CheckModel(check, driver, driver.inf2k, {InfArchitecture::X86}, *settings.language, fileChecks);
      CheckModel(check, driver, driver.infX64, {InfArchitecture::Amd64}, *settings.language, fileChecks);
    }
  }
  if (fileChecks) CheckStagedVersions(check, drivers, *settings.language);
}

}  // namespace prn::tool
