#pragma once
// Opening a link button's target in the skinned window: a web address as
// it stands, a document through its associated program, and when the system
// has no program for it, the packaged PDF reader or the document's folder;
// all of them as the desktop's user, not elevated.

#include <cstdint>

#include "config/str_installer.h"
#include "sys/dialogs.h"
#include "text/ustring.h"

namespace prn::sys {
class Dialogs;
class FileSystem;
class Shell;
}  // namespace prn::sys

namespace prn::ui {

// ShellExecuteW's answer when no program is associated with the file type.
constexpr intptr_t kSeErrNoAssoc = 31;

class LinkOpener {
 public:
  LinkOpener(const sys::FileSystem& files, sys::Shell& shell, sys::Dialogs& dialogs,
             const config::TStrInstaller& texts)
      : files_(files), shell_(shell), dialogs_(dialogs), texts_(texts) {}

  // `target` is a web address or a full path; `pdfReader` the installer of a
  // PDF reader that the package offers (may be empty or relative).
  void OpenLink(const ustring& target, const ustring& pdfReader, sys::WindowHandle owner);

 private:
  void OfferReader(const ustring& target, const ustring& pdfReader, sys::WindowHandle owner);
  void OpenFolderOf(const ustring& target, sys::WindowHandle owner);

  const sys::FileSystem& files_;
  sys::Shell& shell_;
  sys::Dialogs& dialogs_;
  const config::TStrInstaller& texts_;
};

// The extension of a path's file name without its full stop ("pdf"); empty when it has none.
ustring FileExtension(ustring_view path);

}  // namespace prn::ui
