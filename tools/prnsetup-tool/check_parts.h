#pragma once
// The parts of `prnsetup-tool check` and what they share: the package, the
// languages checked, the entries as the installer reads them, and the
// findings they add to.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "config/install_info.h"
#include "config/profile_file.h"
#include "text/ustring.h"
#include "tools/prnsetup-tool/findings.h"
#include "tools/prnsetup-tool/package_check.h"

namespace prn::tool {

struct CheckLanguage {
  ustring code;              // the settings suffix: "EN", "SC", "TC"
  uint16_t languageId;       // a system of that language
  const char* builtInFile;   // the resource of the language file the installer carries for it
  ustring builtInName;       // that file's name in resources/lang
  ustring name;              // "Simplified Chinese"
};

// The three languages, in this order: EN, SC, TC.
const std::vector<CheckLanguage>& CheckLanguages();

struct CheckContext {
  const CheckEnvironment& environment;
  ustring package;  // with a trailing backslash
  Findings& findings;

  const sys::FileSystem& Files() const { return *environment.files; }
  const sys::CodePage& CodePage(const CheckLanguage& language) const {
    return environment.codePage(language.languageId);
  }
  // A name of the package taken against its folder, as the installer takes
  // names against its folder and current directory.
  ustring InPackage(ustring_view name) const;
  // A path as the author knows it: relative to the package when inside it.
  ustring Shown(ustring_view path) const;
  // "the folder “QX1”", or "the package folder" for the package itself.
  ustring FolderText(const ustring& folder) const;
  Place SettingsPlace(const ustring& section, ustring key = {}) const { return {u"Setup.Ini", section, key}; }
};

// One printer entry as the installer reads it on a system of one language,
// without the compatible driver put in the primary one's place.
struct PackageEntry {
  int index = 0;
  ustring section;
  config::TRInstallInfo info;
};

struct PackageSettings {
  const CheckLanguage* language = nullptr;
  std::optional<config::ProfileFile> file;  // nothing when Setup.Ini cannot be read
  std::vector<PackageEntry> entries;        // those that could be read, in file order
};

// A file saved in a code page reads differently on systems of other
// languages. `readByWindows`: the file is read by Windows itself, which takes
// only UTF-16 with a byte-order mark for more than the code page.
void CheckEncoding(const CheckContext& check, const Place& place, const std::string& bytes, bool readByWindows);

// Setup.Ini: readable, every entry readable, and the values the installer
// refuses or cannot follow (documents, links, paper form, versions, folders).
PackageSettings CheckSettings(const CheckContext& check, const CheckLanguage& language);

// Each entry's INF files, primary and compatible, for 32- and 64-bit Windows
// from XP on: printer class, DriverVer, the model and its hardware ID, the
// install section, the source files, the print processor; and models that
// stage an older driver over another model's. What does not depend on the
// language (the INF files' own faults) is checked when `fileChecks` is set.
void CheckDrivers(const CheckContext& check, const PackageSettings& settings, bool fileChecks);

// The pictures of each language the windows show: each file is decoded once,
// after all are known, on several threads where the decoder allows it.
class PictureCheck {
 public:
  explicit PictureCheck(const CheckContext& check) : check_(check) {}
  // Reports the pictures an entry names that are missing; keeps the rest.
  void CheckPackagePictures(const PackageSettings& settings);
  // Decodes what was kept and reports what does not decode, backgrounds of
  // the wrong size, and pictures the system had no decoder for.
  void Finish();

 private:
  struct Kept {
    ustring path;
    bool background;
  };
  // A picture an entry names by `key`; reports it missing with `whenMissing`.
  void Named(const PackageEntry& entry, const ustring& key, const ustring& name, const ustring& whenMissing,
             bool background = false);
  void CheckButtonPictures(const PackageSettings& settings);

  const CheckContext& check_;
  std::vector<Kept> kept_;
};

// The language file the installer carries for each checked language, and the
// brand row that Setup.Ini's first entry asks for.
void CheckBuiltInLanguageFile(const CheckContext& check, const PackageSettings& settings);
// A maker's language file: every key the installer reads, the placeholders
// of each text, brand row `row` (0: the file's own OEMCOmpanyIndex).
void CheckLanguageFile(const CheckContext& check, const Place& place, const std::string& bytes,
                       const sys::CodePage& ansi, int32_t row);

// Installs every model on three simulated machines through the installer's
// own run; a run that does not end in one configured queue is an error.
void SimulateInstalls(const CheckContext& check, const PackageSettings& settings,
                      const std::filesystem::path& hostSetupIni);

}  // namespace prn::tool
