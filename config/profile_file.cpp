#include "config/profile_file.h"

#include "sys/files.h"
#include "sys/system_info.h"
#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"

namespace prn::config {

namespace {

bool IsValidUtf8(const std::string& bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > bytes.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

ustring DecodeUtf16(const std::string& bytes, size_t start, bool bigEndian) {
  ustring out;
  out.reserve((bytes.size() - start) / 2);
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    unsigned char a = static_cast<unsigned char>(bytes[i]);
    unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

bool StartsWithBytes(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

bool HasByteOrderMark(const std::string& bytes) {
  return StartsWithBytes(bytes, "\xFF\xFE") || StartsWithBytes(bytes, "\xFE\xFF") ||
         StartsWithBytes(bytes, "\xEF\xBB\xBF");
}

ustring StripQuotes(ustring value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

ustring DecodeByByteOrderMark(const std::string& bytes, const sys::CodePage& ansi) {
  if (StartsWithBytes(bytes, "\xFF\xFE")) return DecodeUtf16(bytes, 2, false);
  if (StartsWithBytes(bytes, "\xFE\xFF")) return DecodeUtf16(bytes, 2, true);
  if (StartsWithBytes(bytes, "\xEF\xBB\xBF")) return FromUtf8(std::string_view(bytes).substr(3));
  return ansi.FromAnsi(bytes);
}

ustring DecodeText(const std::string& bytes, const sys::CodePage& ansi) {
  if (!HasByteOrderMark(bytes) && IsValidUtf8(bytes)) return FromUtf8(bytes);
  return DecodeByByteOrderMark(bytes, ansi);
}

ustring ReadFileText(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path) {
  std::string bytes;
  if (uint32_t code = files.ReadFile(path, bytes))
    throw Error(Format(u"Cannot open file \"%s\". Windows error %d.", {path, code}));
  return DecodeByByteOrderMark(bytes, ansi);
}

int64_t TextLength(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& path) {
  return static_cast<int64_t>(ReadFileText(files, ansi, path).size());
}

StringList SplitLines(ustring_view text) {
  StringList lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == ustring_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return lines;
}

ProfileFile ProfileFile::Parse(const std::string& bytes, const sys::CodePage& ansi) {
  ProfileFile file;
  ustring text = DecodeText(bytes, ansi);
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == ustring::npos) end = text.size();
    ustring line = Trim(ustring_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++pos;

    if (line.empty() || line[0] == u';') continue;
    if (line[0] == u'[') {
      size_t close = line.find(u']');
      ustring name = Trim(ustring_view(line).substr(1, close == ustring::npos ? ustring::npos : close - 1));
      file.sections_.push_back(Section{name, {}});
      current = &file.sections_.back();
      continue;
    }
    if (!current) continue;  // lines before the first section belong to none
    size_t equals = line.find(u'=');
    Entry entry;
    if (equals == ustring::npos) {
      entry.key = line;
    } else {
      entry.key = Trim(ustring_view(line).substr(0, equals));
      entry.value = StripQuotes(Trim(ustring_view(line).substr(equals + 1)));
    }
    if (entry.value.size() > kMaxValueLength) entry.value.resize(kMaxValueLength);
    current->entries.push_back(std::move(entry));
  }
  return file;
}

std::optional<ProfileFile> ProfileFile::Load(const sys::FileSystem& files, const ustring& path,
                                             const sys::CodePage& ansi) {
  std::string bytes;
  if (files.ReadFile(path, bytes) != 0) return std::nullopt;
  return Parse(bytes, ansi);
}

std::vector<ustring> ProfileFile::SectionNames() const {
  std::vector<ustring> names;
  size_t used = 0;
  for (const auto& section : sections_) {
    // The names share one buffer, each with its terminator, and a final one.
    if (used + section.name.size() + 1 >= kSectionNamesBuffer) break;
    used += section.name.size() + 1;
    names.push_back(section.name);
  }
  return names;
}

const ProfileFile::Section* ProfileFile::FindSection(ustring_view name) const {
  for (const auto& section : sections_) {
    if (EqualsNoCase(section.name, name)) return &section;
  }
  return nullptr;
}

bool ProfileFile::HasSection(ustring_view section) const { return FindSection(section) != nullptr; }

std::optional<ustring> ProfileFile::Find(ustring_view section, ustring_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  for (const auto& entry : found->entries) {
    if (EqualsNoCase(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

ustring ProfileFile::ReadString(ustring_view section, ustring_view key, ustring_view defaultValue) const {
  auto value = Find(section, key);
  return value ? *value : ustring(defaultValue);
}

int32_t ProfileFile::ReadInteger(ustring_view section, ustring_view key, int32_t defaultValue) const {
  auto value = Find(section, key);
  if (!value) return defaultValue;
  auto number = ParseProfileInteger(*value);
  return number ? *number : defaultValue;
}

bool ProfileFile::ReadBool(ustring_view section, ustring_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

const std::vector<ProfileFile::Entry>* ProfileFile::Entries(ustring_view section) const {
  const Section* found = FindSection(section);
  return found ? &found->entries : nullptr;
}

std::optional<int32_t> ParseProfileInteger(ustring_view text) {
  if (text.empty()) return std::nullopt;
  size_t i = 0;
  bool negative = false;
  if (text[0] == u'-' || text[0] == u'+') {
    negative = text[0] == u'-';
    i = 1;
  }
  bool hex = false;
  if (i < text.size() && text[i] == u'$') {
    hex = true;
    ++i;
  } else if (text.size() - i > 2 && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    int digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (hex && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return std::nullopt;
    value = value * (hex ? 16 : 10) + digit;
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return std::nullopt;
  }
  if (hex) {
    // Hexadecimal fills the 32 bits: $FFFFFFFF is -1.
    int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(value));
    // In 32 bits, as the value itself: -$80000000 is $80000000 again.
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(bits)) : bits;
  }
  if (!negative && value > 0x7FFFFFFFull) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(value)) : static_cast<int32_t>(value);
}

}  // namespace prn::config
