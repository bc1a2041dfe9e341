// Setup.Ini as the installer reads it: every entry through the installer's
// own reader, and the values it refuses or cannot follow.

#include <climits>

#include "config/install_infos.h"
#include "install/older_driver_removal.h"
#include "sys/files.h"
#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/check_parts.h"

namespace prn::tool {

namespace {

constexpr char16_t kWontStart[] = u"; the installer will not start.";
// A Windows form name holds 31 characters and its terminator.
constexpr size_t kFormNameCharacters = 32;

// Whether a name taken against the package folder climbs out of it.
bool LeavesFolder(ustring_view name) {
  int depth = 0;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of(u"\\/", start);
    if (end == ustring_view::npos) end = name.size();
    const ustring_view part = name.substr(start, end - start);
    if (part == u"..") --depth;
    else if (!part.empty() && part != u".") ++depth;
    if (depth < 0) return true;
    start = end + 1;
  }
  return false;
}

// The faults that make the installer's reader stop at this entry, each at its key.
bool ReportUnreadableEntry(const CheckContext& check, const config::ProfileFile& ini, const ustring& section) {
  bool fatal = false;
  auto fault = [&](const char16_t* key, const ustring& text) {
    check.findings.Error(check.SettingsPlace(section, key), text + kWontStart);
    fatal = true;
  };
  for (const char16_t* key : {u"PrinterName", u"PrinterHWID"}) {
    if (ini.ReadString(section, key, u"").empty()) fault(key, u"is empty or missing");
  }
  const auto driverDir = ini.Find(section, u"DriverDir");
  const ustring folder = config::ResolveSettingsFolder(driverDir.value_or(u"*"), check.package);
  if (!driverDir) {
    fault(u"DriverDir", u"is missing, so the installer looks for a folder named “*”; write “DriverDir =” for the "
                        u"package folder itself");
    return fatal;
  }
  if (!check.Files().DirectoryExists(folder)) {
    fault(u"DriverDir", Format(u"names the folder “%s”, which is not in the package", {*driverDir}));
    return fatal;
  }
  for (const char16_t* key : {u"INF.2K", u"INF.X64"}) {
    const ustring inf = ini.ReadString(section, key, u"");
    if (inf.empty()) fault(key, u"is empty or missing");
    else if (!check.Files().FileExists(folder + u"\\" + inf))
      fault(key, Format(u"names “%s”, which is not in %s", {inf, check.FolderText(folder)}));
  }
  return fatal;
}

// The compatible driver replaces the primary one from Windows version
// CIDForVersion on; the installer reads its names without any check.
void CheckCompatibleDriver(const CheckContext& check, const config::ProfileFile& ini, const PackageEntry& entry) {
  const config::TRInstallInfo& info = entry.info;
  if (info.CompatibleName.empty()) return;
  const ustring from = Format(u"; from Windows %d.%d on the installer installs “%s” with it and fails.",
                              {info.CIDForVersion / 10, info.CIDForVersion % 10, info.CompatibleName});
  auto fault = [&](const char16_t* key, const ustring& text) {
    check.findings.Error(check.SettingsPlace(entry.section, key), text + from);
  };
  if (info.CompatibleID.empty()) fault(u"CompatibleID", u"is empty or missing");
  if (!check.Files().DirectoryExists(info.CompatibleDriverDir)) {
    fault(u"CompatibleDriverDir", Format(u"names the folder “%s”, which is not in the package",
                                         {ini.ReadString(entry.section, u"CompatibleDriverDir", u"*")}));
    return;
  }
  for (const char16_t* key : {u"CompatibleINF.2K", u"CompatibleINF.X64"}) {
    const ustring inf = ini.ReadString(entry.section, key, u"");
    if (inf.empty()) fault(key, u"is empty or missing");
    else if (!check.Files().FileExists(info.CompatibleDriverDir + u"\\" + inf))
      fault(key, Format(u"names “%s”, which is not in %s", {inf, check.FolderText(info.CompatibleDriverDir)}));
  }
}

// Staging copies the driver folder and installs the INF of the file name
// given, from the top of that folder.
void CheckInfNames(const CheckContext& check, const config::ProfileFile& ini, const PackageEntry& entry) {
  for (const char16_t* key : {u"INF.2K", u"INF.X64", u"CompatibleINF.2K", u"CompatibleINF.X64"}) {
    const ustring inf = ini.ReadString(entry.section, key, u"");
    if (inf.find_first_of(u"\\/") == ustring::npos) continue;
    check.findings.Error(check.SettingsPlace(entry.section, key),
                         Format(u"names “%s” in a subfolder; staging installs “%s” from the top of the driver folder "
                                u"instead.",
                                {inf, FileNamePart(inf)}));
  }
}

void CheckFolders(const CheckContext& check, const config::ProfileFile& ini, const ustring& section) {
  for (const char16_t* key : {u"DriverDir", u"CompatibleDriverDir"}) {
    const ustring folder = ini.ReadString(section, key, u"");
    if (!LeavesFolder(folder)) continue;
    check.findings.Error(check.SettingsPlace(section, key),
                         Format(u"names “%s”, which lies outside the package; the installer would copy and "
                                u"register a driver from wherever the package is unpacked.",
                                {folder}));
  }
}

void CheckValues(const CheckContext& check, const PackageEntry& entry) {
  const config::TRInstallInfo& info = entry.info;
  if (info.DefaultForm.size() >= kFormNameCharacters) {
    check.findings.Error(check.SettingsPlace(entry.section, u"DefaultForm"),
                         Format(u"is %d characters long; a Windows form name has at most 31, so the installer "
                                u"leaves the new printer's paper form unset.",
                                {info.DefaultForm.size()}));
  }
  if (!info.MustUninstallForGDP.empty()) {
    try {
      install::VersionNumbers(info.MustUninstallForGDP);
    } catch (const Error&) {
      check.findings.Error(check.SettingsPlace(entry.section, u"MustUninstallForGDP"),
                           Format(u"“%s” is not a version such as 1.0.2.8; the check for an older installed driver "
                                  u"stops every install of this model.",
                                  {info.MustUninstallForGDP}));
    }
  }
  if (!info.AfterRun.empty() && !check.Files().FileExists(check.InPackage(info.AfterRun))) {
    check.findings.Warning(check.SettingsPlace(entry.section, u"AfterRun"),
                           Format(u"names “%s”, which is not in the package; nothing runs after the install.",
                                  {info.AfterRun}));
  }
}

// Documents open from the current directory, the package folder; a link
// that is no web address was cleared by the reader when its file is missing.
void CheckDocumentsAndLinks(const CheckContext& check, const config::ProfileFile& ini, const PackageEntry& entry,
                            const CheckLanguage& language) {
  const config::TRInstallInfo& info = entry.info;
  const std::pair<const char16_t*, const ustring*> documents[] = {
      {u"InstallGuide", &info.InstallGuide}, {u"QuickGuide", &info.QuickGuide}, {u"UserManual", &info.UserManual}};
  for (const auto& [name, value] : documents) {
    const ustring key = ustring(name) + u"." + language.code;
    if (value->empty() || check.Files().FileExists(check.InPackage(*value))) continue;
    const ustring text = ini.Find(entry.section, key)
                             ? Format(u"names “%s”, which is not in the package; the window's link to it stays "
                                      u"disabled.", {*value})
                             : Format(u"is not set, so the installer offers “%s”, which is not in the package; the "
                                      u"guide's link stays disabled.", {*value});
    check.findings.Error(check.SettingsPlace(entry.section, key), text);
  }
  const ustring* links[] = {&info.Button2Link, &info.Button3Link, &info.Button4Link, &info.Button5Link};
  for (int button = 2; button <= 5; ++button) {
    const ustring key = Format(u"Button%dLink.%s", {button, language.code});
    const ustring written = ini.ReadString(entry.section, key, u"");
    if (written.empty() || StartsWithNoCase(written, u"HTTP") || !links[button - 2]->empty()) continue;
    check.findings.Error(check.SettingsPlace(entry.section, key),
                         Format(u"names “%s”, which is not in the package, so the skinned window hides button %d.",
                                {written, button}));
  }
}

// A language's key missing where the English one is set: that system gets
// the key's default instead.
void CheckLanguageFallbacks(const CheckContext& check, const config::ProfileFile& ini, const PackageEntry& entry,
                            const CheckLanguage& language) {
  if (language.code == u"EN") return;
  const config::TRInstallInfo& info = entry.info;
  const std::pair<const char16_t*, const ustring*> keys[] = {
      {u"FunctionDescribe", &info.FunctionDescribe}, {u"InstallGuide", &info.InstallGuide},
      {u"QuickGuide", &info.QuickGuide},             {u"UserManual", &info.UserManual},
      {u"BGImage", &info.BGImage},                   {u"PrinterImage", &info.PrinterImage},
      {u"PDFReader", &info.PDFReader},               {u"Button2Link", &info.Button2Link},
      {u"Button3Link", &info.Button3Link},           {u"Button4Link", &info.Button4Link},
      {u"Button5Link", &info.Button5Link}};
  for (const auto& [name, value] : keys) {
    const ustring key = ustring(name) + u"." + language.code;
    if (ini.Find(entry.section, key) || !ini.Find(entry.section, ustring(name) + u".EN")) continue;
    check.findings.Warning(check.SettingsPlace(entry.section, key),
                           Format(u"is missing while %s.EN is set: a %s system gets %s instead.",
                                  {name, language.name, value->empty() ? ustring(u"nothing") : u"“" + *value + u"”"}));
  }
}

}  // namespace

PackageSettings CheckSettings(const CheckContext& check, const CheckLanguage& language) {
  PackageSettings settings;
  settings.language = &language;
  const Place file{u"Setup.Ini"};
  const ustring path = check.package + u"Setup.Ini";
  std::string bytes;
  if (!check.Files().FileExists(path)) {
    check.findings.Error(file, u"is missing; the installer says so and ends at once.");
    return settings;
  }
  if (check.Files().ReadFile(path, bytes) != 0) {
    check.findings.Error(file, u"cannot be read.");
    return settings;
  }
  CheckEncoding(check, file, bytes, false);
  settings.file = config::ProfileFile::Parse(bytes, check.CodePage(language));
  const config::ProfileFile& ini = *settings.file;
  const StringList sections = ini.SectionNames();
  if (sections.empty()) {
    check.findings.Error(file, u"has no printer section; the installer ends at start.");
    return settings;
  }
  // INT_MIN: no Windows version replaces the primary driver, so both stay visible.
  const config::SettingsEnvironment environment{&check.Files(), &check.CodePage(language), check.package,
                                                language.languageId, INT32_MIN};
  for (size_t i = 0; i < sections.size(); ++i) {
    CheckFolders(check, ini, sections[i]);
    const bool unreadable = ReportUnreadableEntry(check, ini, sections[i]);
    PackageEntry entry{static_cast<int>(i), sections[i], {}};
    try {
      config::ReadInstallInfo(ini, sections[i], environment, entry.info);
    } catch (const Error& e) {
      if (!unreadable) check.findings.Error(check.SettingsPlace(sections[i]), u"stops the installer at start: " + e.Text());
      continue;
    }
    CheckCompatibleDriver(check, ini, entry);
    CheckInfNames(check, ini, entry);
    CheckValues(check, entry);
    CheckDocumentsAndLinks(check, ini, entry, language);
    CheckLanguageFallbacks(check, ini, entry, language);
    settings.entries.push_back(std::move(entry));
  }
  return settings;
}

}  // namespace prn::tool
