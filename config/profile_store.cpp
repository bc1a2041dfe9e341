#include "config/profile_store.h"

#include "config/profile_file.h"
#include "config/profile_writer.h"
#include "text/decimal.h"

namespace prn::config {

int32_t FileProfileStore::ReadInteger(const ustring& path, ustring_view section, ustring_view key,
                                      int32_t defaultValue) {
  ustring text = ReadString(path, section, key, u"");
  return text.empty() ? defaultValue : ParseLeadingDecimal(text);
}

ustring FileProfileStore::ReadString(const ustring& path, ustring_view section, ustring_view key,
                                     ustring_view defaultValue) {
  auto file = ProfileFile::Load(files_, path, ansi_);
  if (!file) return ustring(defaultValue);
  return file->ReadString(section, key, defaultValue);
}

uint32_t FileProfileStore::WriteString(const ustring& path, ustring_view section, ustring_view key,
                                       ustring_view value) {
  return WriteProfileString(files_, ansi_, path, section, key, value);
}

}  // namespace prn::config
