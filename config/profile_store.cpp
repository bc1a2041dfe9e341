#include "config/profile_store.h"

#include <optional>
#include <vector>

#include "config/profile_file.h"
#include "sys/system_info.h"
#include "sys/files.h"
#include "text/ascii.h"

namespace prn::config {

namespace {

// The section name of a "[name]" line.
std::optional<ustring> SectionName(ustring_view line) {
  ustring trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != u'[') return std::nullopt;
  size_t close = trimmed.find(u']');
  return Trim(ustring_view(trimmed).substr(1, close == ustring::npos ? ustring::npos : close - 1));
}

std::optional<ustring> KeyName(ustring_view line) {
  ustring trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] == u';') return std::nullopt;
  return Trim(ustring_view(trimmed).substr(0, trimmed.find(u'=')));
}

enum class Encoding { Ansi, Utf16Le, Utf8 };

Encoding EncodingOf(const std::string& bytes) {
  if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0))
    return Encoding::Utf16Le;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Encoding::Utf8;
  return Encoding::Ansi;
}

std::string Encode(Encoding encoding, ustring_view text, const sys::CodePage& ansi) {
  switch (encoding) {
    case Encoding::Utf16Le: {
      std::string bytes = "\xFF\xFE";
      for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
      }
      return bytes;
    }
    case Encoding::Utf8: return "\xEF\xBB\xBF" + ToUtf8(text);
    case Encoding::Ansi: break;
  }
  return ansi.ToAnsi(text);
}

}  // namespace

ustring SetProfileString(ustring_view text, ustring_view section, ustring_view key, ustring_view value) {
  std::vector<ustring> lines = SplitLines(text);
  const ustring entry = ustring(key) + u"=" + ustring(value);

  size_t index = 0;
  while (index < lines.size() && !(SectionName(lines[index]) && EqualsNoCase(*SectionName(lines[index]), section)))
    ++index;
  if (index == lines.size()) {
    lines.push_back(u"[" + ustring(section) + u"]");
    lines.push_back(entry);
  } else {
    size_t insertAt = index + 1;
    bool replaced = false;
    for (size_t i = index + 1; i < lines.size() && !SectionName(lines[i]); ++i) {
      auto name = KeyName(lines[i]);
      if (!name) continue;
      if (EqualsNoCase(*name, key)) {
        lines[i] = *name + u"=" + ustring(value);
        replaced = true;
        break;
      }
      insertAt = i + 1;
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }

  ustring result;
  for (const auto& line : lines) result += line + u"\r\n";
  return result;
}

uint32_t WriteProfileString(sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path,
                            ustring_view section, ustring_view key, ustring_view value) {
  std::string bytes;
  if (files.FileExists(path)) {
    if (uint32_t status = files.ReadFile(path, bytes)) return status;
  }
  ustring text = SetProfileString(DecodeText(bytes, ansi), section, key, value);
  return files.WriteFile(path, Encode(EncodingOf(bytes), text, ansi));
}

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
