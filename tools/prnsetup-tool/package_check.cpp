#include "tools/prnsetup-tool/package_check.h"

#include <algorithm>
#include <ostream>

#include "config/profile_file.h"
#include "install/buffer_driver_files.h"
#include "sys/files.h"
#include "text/ascii.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/check_parts.h"

namespace prn::tool {

const std::vector<CheckLanguage>& CheckLanguages() {
  static const std::vector<CheckLanguage> languages = {
      {u"EN", 0x0409, "RC_STRINGS_INI_EN", u"Strings_EN.ini", u"English"},
      {u"SC", 0x0804, "RC_STRINGS_INI_CN", u"Strings_CN.ini", u"Simplified Chinese"},
      {u"TC", 0x0404, "RC_STRINGS_INI_CHT", u"Strings_CHT.ini", u"Traditional Chinese"},
  };
  return languages;
}

ustring CheckContext::InPackage(ustring_view name) const { return Files().FullPath(FullWindowsPath(package, name)); }

ustring CheckContext::Shown(ustring_view path) const {
  const ustring folder = package.substr(0, package.size() - 1);
  return install::LiesUnder(path, folder) ? RelativeWindowsPath(folder, path) : ustring(path);
}

ustring CheckContext::FolderText(const ustring& folder) const {
  const ustring full = Files().FullPath(folder);
  if (EqualsNoCase(full.back() == u'\\' ? full : full + u"\\", package)) return u"the package folder";
  return u"the folder “" + Shown(full) + u"”";
}

void CheckEncoding(const CheckContext& check, const Place& place, const std::string& bytes, bool readByWindows) {
  const bool utf16 = bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0);
  if (utf16) return;
  bool differs;
  if (readByWindows) {
    differs = std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  } else {
    const CheckLanguage& english = CheckLanguages()[0];
    const CheckLanguage& chinese = CheckLanguages()[1];
    differs = config::DecodeText(bytes, check.CodePage(english)) != config::DecodeText(bytes, check.CodePage(chinese));
  }
  if (differs) {
    check.findings.Warning(place, u"is saved in a code page, so its non-ASCII text reads differently on English and "
                                  u"Chinese systems; save it as UTF-16 LE with a byte-order mark.");
  }
}

namespace {

std::vector<const CheckLanguage*> ChosenLanguages(const StringList& codes) {
  std::vector<const CheckLanguage*> chosen;
  for (const CheckLanguage& language : CheckLanguages()) {
    const bool wanted = codes.empty() || std::any_of(codes.begin(), codes.end(), [&](const ustring& code) {
                          return EqualsNoCase(code, language.code);
                        });
    if (wanted) chosen.push_back(&language);
  }
  return chosen;
}

// The brand row a maker's language file is checked for: the one the
// package's first entry asks for, else the file's own.
int32_t BrandRowOf(const PackageSettings* settings) {
  if (!settings || settings->entries.empty() || settings->entries[0].index != 0) return 0;
  return settings->entries[0].info.Index;
}

}  // namespace

Findings CheckPackage(const CheckOptions& options, const CheckEnvironment& environment) {
  Findings findings;
  CheckContext check{environment, options.package.value_or(u""), findings};
  std::optional<PackageSettings> first;
  if (options.package) {
    PictureCheck pictures(check);
    for (const CheckLanguage* language : ChosenLanguages(options.languages)) {
      PackageSettings settings = CheckSettings(check, *language);
      CheckDrivers(check, settings, !first);
      pictures.CheckPackagePictures(settings);
      CheckBuiltInLanguageFile(check, settings);
      if (!first) first = std::move(settings);
    }
    pictures.Finish();
    if (options.simulate && first) SimulateInstalls(check, *first, options.hostSetupIni);
  }
  for (const LanguageFileInput& file : options.langFiles) {
    CheckLanguageFile(check, {file.shown}, file.bytes, environment.codePage(CheckLanguages()[0].languageId),
                      BrandRowOf(first ? &*first : nullptr));
  }
  return findings;
}

int RunCheck(const CheckOptions& options, const CheckEnvironment& environment, bool json, std::ostream& out) {
  const Findings findings = CheckPackage(options, environment);
  if (json) PrintFindingsJson(findings, out);
  else PrintFindings(findings, out);
  return findings.Count(Severity::Error) > 0 ? 1 : 0;
}

}  // namespace prn::tool
