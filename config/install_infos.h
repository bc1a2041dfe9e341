#pragma once
// The printer entries of the settings file, read once at start-up.

#include <cstdint>
#include <vector>

#include "config/install_info.h"
#include "config/profile_file.h"
#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::config {

// What reading the settings needs to know of the machine and the run.
struct SettingsEnvironment {
  const sys::FileSystem* files = nullptr;
  const sys::CodePage* codePage = nullptr;
  ustring programFolder;     // folder of the executable, with trailing backslash
  uint16_t systemLangId = 0x0409;
  int32_t winVer = 0;        // major × 10 + minor
};

// "EN", "SC" or "TC" for the system default language.
ustring SettingsLanguageSuffix(uint16_t systemLangId);

// The folder rule of DriverDir: one trailing backslash dropped; empty means
// the program's own folder; "*" stays; anything else is taken relative to
// the program folder.
ustring ResolveSettingsFolder(ustring value, const ustring& programFolder);

// Reads one section into `info` as LoadSettings does, raising the same errors.
void ReadInstallInfo(const ProfileFile& ini, const ustring& section, const SettingsEnvironment& env,
                     TRInstallInfo& info);

class TInstallInfos {
 public:
  // Reads the file when it exists; a missing file leaves the list empty.
  void LoadFromFile(const ustring& fileName, const SettingsEnvironment& env);
  // Reads every section; raises prn::Error with the section's name and the
  // message on the first faulty entry (earlier entries stay filled).
  void LoadSettings(const ProfileFile* ini, const SettingsEnvironment& env);

  int GetCount() const { return static_cast<int>(m_slPrinters.size()); }
  // A full copy of entry `index`; raises the index error outside 0..Count-1.
  void GetInfoItem(int index, TRInstallInfo& info) const;
  TRInstallInfo GetInfoItem(int index) const;
  const std::vector<ustring>& SectionNames() const { return m_slPrinters; }

 private:
  std::vector<ustring> m_slPrinters;
  std::vector<TRInstallInfo> m_InfoItems;
};

}  // namespace prn::config
