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
  // Opens the file without loading anything yet.
  void Open(const ustring& fileName, const sys::FileSystem& files, const sys::CodePage& ansi);
  // Takes a file already read, such as a built-in language file.
  void Open(ProfileFile file) { m_Ini = std::move(file); }
  // Chooses the brand row and fills the text record; nothing without a file.
  void LoadSettings(const TInstallInfos& settings);
  // `entryIndex` is the brand row that settings entry 0 asks for (0: none).
  void LoadSettings(int32_t entryIndex);

  ustring GetOptionString(ustring_view sectionName, ustring_view itemName, ustring_view defaultValue) const;
  void LoadGlobalStrings();
  void LoadControlsCaption(FormDescription& form, ustring_view sectionName) const;
  void LoadMenuCaption(MenuDescription& menu, ustring_view sectionName) const;

  bool HasFile() const { return m_Ini.has_value(); }
  const ProfileFile* File() const { return m_Ini ? &*m_Ini : nullptr; }

 private:
  TStrInstaller& strInstaller_;
  std::optional<ProfileFile> m_Ini;
};

// Every "\r\n" written in the file (letters in any case) becomes CR LF.
ustring ReplaceLineBreaks(ustring_view text);

}  // namespace prn::config
