#pragma once
// The language file: OEM branding, dialog texts and window captions. Every
// lookup first tries the key with the brand name appended.

#include <optional>

#include "config/install_infos.h"
#include "config/profile_file.h"
#include "config/str_installer.h"
#include "config/window_description.h"

namespace prn::config {

class TLangOptions {
 public:
  // `strInstaller` is the process-wide text record that loading fills.
  explicit TLangOptions(TStrInstaller& strInstaller) : strInstaller_(strInstaller) {}

  // Opens the file when it exists and loads it; without a file every lookup
  // answers empty. Raises the index error when the settings have no entry.
  void LoadFromFile(const ustring& fileName, const TInstallInfos& settings, const sys::FileSystem& files,
                    const sys::CodePage& ansi);
  void LoadSettings(const ProfileFile* ini, const TInstallInfos& settings);

  ustring GetOptionString(ustring_view sectionName, ustring_view itemName, ustring_view defaultValue) const;
  void LoadGlobalStrings();
  void LoadControlsCaption(FormDescription& form, ustring_view sectionName) const;
  void LoadMenuCaption(MenuDescription& menu, ustring_view sectionName) const;

  bool HasFile() const { return m_Ini.has_value(); }

 private:
  TStrInstaller& strInstaller_;
  std::optional<ProfileFile> m_Ini;
};

// Every "\r\n" written in the file (letters in any case) becomes CR LF.
ustring ReplaceLineBreaks(ustring_view text);

}  // namespace prn::config
