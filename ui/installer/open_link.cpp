#include "ui/installer/open_link.h"

#include "sys/dialogs.h"
#include "sys/files.h"
#include "sys/shell.h"
#include "text/ascii.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::ui {

namespace {
constexpr intptr_t kShellSuccessFloor = 32;
}

ustring FileExtension(ustring_view path) {
  ustring name = FileNamePart(path);
  size_t dot = name.rfind(u'.');
  return dot == ustring::npos ? ustring() : name.substr(dot + 1);
}

void LinkOpener::OpenLink(const ustring& target, const ustring& pdfReader, sys::WindowHandle owner) {
  if (!IsWebLink(target) && !files_.FileExists(target) && !files_.DirectoryExists(target)) {
    dialogs_.ShowMessage(owner, texts_.FileOrPathNotExist, texts_.ErrorTitle, sys::mb::Ok | sys::mb::IconError);
    return;
  }
  intptr_t result = shell_.OpenAsDesktopUser(owner, target);
  trace::Format(u"ShellExecute(%s) Ret = %d", {target, static_cast<long long>(result)});
  if (result == kSeErrNoAssoc) {
    OfferReader(target, pdfReader, owner);
  } else if (result < kShellSuccessFloor) {
    OpenFolderOf(target, owner);
  }
}

void LinkOpener::OfferReader(const ustring& target, const ustring& pdfReader, sys::WindowHandle owner) {
  ustring extension = FileExtension(target);
  if (EqualsNoCase(extension, u"PDF")) {
    if (!pdfReader.empty() && files_.FileExists(pdfReader)) {
      int answer = dialogs_.ShowMessage(owner, texts_.NotPDFReaderInstall, texts_.ErrorTitle,
                                        sys::mb::YesNo | sys::mb::IconWarning);
      if (answer == sys::mb::IdYes) {
        shell_.OpenAsDesktopUser(owner, files_.FullPath(pdfReader));
        return;
      }
    } else {
      dialogs_.ShowMessage(owner, texts_.NotPDFReaderInstall2, texts_.ErrorTitle,
                           sys::mb::Ok | sys::mb::IconWarning);
    }
  } else {
    // The language text is data: the extension fills its "%s", nothing else is read.
    dialogs_.ShowMessage(owner, Format(texts_.NotFileReaderInstall, {extension}), texts_.ErrorTitle,
                         sys::mb::Ok | sys::mb::IconError);
  }
  OpenFolderOf(target, owner);
}

void LinkOpener::OpenFolderOf(const ustring& target, sys::WindowHandle owner) {
  shell_.OpenAsDesktopUser(owner, FolderPart(target));
}

}  // namespace prn::ui
