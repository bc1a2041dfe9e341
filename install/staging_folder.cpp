#include "install/staging_folder.h"

#include <utility>

#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"

namespace prn::install {

namespace {

bool IsDeviceName(ustring_view name) {
  ustring stem = AsciiUpper(name.substr(0, name.find(u'.')));
  while (!stem.empty() && stem.back() == u' ') stem.pop_back();
  for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) && stem[3] >= u'1' &&
         stem[3] <= u'9';
}

ustring PercentSpelling(char16_t c) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  return {u'%', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
}

}  // namespace

ustring FolderNameFor(ustring_view name) {
  size_t kept = name.size();
  while (kept > 0 && (name[kept - 1] == u'.' || name[kept - 1] == u' ')) --kept;
  ustring folder;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = name[i];
    bool mapped = c == u'%' || c == u'/' || c == u':' || i >= kept;
    folder += mapped ? PercentSpelling(c) : ustring(1, c);
  }
  return folder;
}

bool IsPlainFolderName(ustring_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (c < 0x20 || ustring_view(u"<>:\"/\\|?*").find(c) != ustring_view::npos) return false;
  }
  if (name.back() == u' ' || name.back() == u'.') return false;
  return !IsDeviceName(name);
}

StagingFolder MakeStagingFolder(ustring_view programFiles, ustring_view maker, ustring_view model) {
  if (!IsAbsoluteWindowsPath(programFiles))
    throw Error(Format(u"The Program Files folder \"%s\" is not a full path; the driver package cannot be staged.",
                       {programFiles}));
  const ustring makerFolder = FolderNameFor(maker), modelFolder = FolderNameFor(model);
  for (const auto& [name, folder] : {std::pair{maker, &makerFolder}, std::pair{model, &modelFolder}}) {
    if (!IsPlainFolderName(*folder))
      throw Error(Format(u"\"%s\" cannot be used as a folder name (it is empty, holds \\ * ? \" < > | or "
                         u"control characters, or names a device); the driver package cannot be staged.",
                         {name}));
  }
  StagingFolder staging;
  staging.root = JoinPath(JoinPath(programFiles, makerFolder), u"Printer Drivers");
  staging.folder = JoinPath(staging.root, modelFolder);
  return staging;
}

bool LiesUnder(ustring_view target, ustring_view root) {
  ustring base(root);
  while (!base.empty() && base.back() == u'\\') base.pop_back();
  return target.size() > base.size() + 1 && StartsWithNoCase(target, base) && target[base.size()] == u'\\';
}

}  // namespace prn::install
