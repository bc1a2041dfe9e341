#include "config/inf_file.h"

#include "config/profile_file.h"
#include "sys/files.h"
#include "text/ascii.h"
#include "text/format.h"

namespace prn::config {

namespace {

struct RawLine {
  int number;
  ustring text;  // comment cut, continuations joined, trimmed
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

ustring WithoutComment(ustring_view line) {
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == u'"') quoted = !quoted;
    else if (line[i] == u';' && !quoted) return ustring(line.substr(0, i));
  }
  return ustring(line);
}

// The position of the first `c` outside double quotes, or npos.
size_t FindUnquoted(ustring_view text, char16_t c) {
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'"') quoted = !quoted;
    else if (text[i] == c && !quoted) return i;
  }
  return ustring_view::npos;
}

// A backslash that ends a line outside quotes joins the next line to it.
bool Continues(ustring_view line) {
  if (line.empty() || line.back() != u'\\') return false;
  size_t quotes = 0;
  for (char16_t c : line) quotes += c == u'"' ? 1 : 0;
  return quotes % 2 == 0;
}

// The items of a text, split at unquoted commas when asked. Quotes are
// removed ("" inside them is one quote); blanks at an item's ends count only
// when quoted.
StringList SplitItems(ustring_view text, bool atCommas) {
  StringList items;
  ustring current, blanks;
  bool quoted = false, started = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
        current.push_back(u'"');
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        current.push_back(c);
      }
    } else if (c == u'"') {
      if (started) current += blanks;
      blanks.clear();
      quoted = started = true;
    } else if (atCommas && c == u',') {
      items.push_back(std::move(current));
      current.clear();
      blanks.clear();
      started = false;
    } else if (IsBlank(c)) {
      if (started) blanks.push_back(c);
    } else {
      current += blanks;
      blanks.clear();
      current.push_back(c);
      started = true;
    }
  }
  items.push_back(std::move(current));
  return items;
}

using StringTable = std::map<ustring, ustring>;  // by upper-case key

ustring Resolve(ustring_view text, const StringTable& strings) {
  ustring out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t close = text[i] == u'%' ? text.find(u'%', i + 1) : ustring_view::npos;
    if (close == ustring_view::npos) {
      out.push_back(text[i]);
      continue;
    }
    const ustring_view token = text.substr(i + 1, close - i - 1);
    auto found = strings.find(AsciiUpper(token));
    if (token.empty()) out.push_back(u'%');
    else if (found != strings.end()) out += found->second;
    else out += text.substr(i, close - i + 1);  // left as written, as the system does
    i = close;
  }
  return out;
}

// Physical lines grouped into sections by upper-case name.
std::map<ustring, std::vector<RawLine>> ReadSections(const ustring& text) {
  std::map<ustring, std::vector<RawLine>> sections;
  std::vector<RawLine>* current = nullptr;
  size_t pos = 0;
  int number = 0;
  RawLine pending{0, {}};
  bool continuing = false;
  while (pos <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == ustring::npos) end = text.size();
    ++number;
    ustring line = Trim(WithoutComment(ustring_view(text).substr(pos, end - pos)));
    pos = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);

    if (!continuing) pending = {number, {}};
    continuing = Continues(line);
    if (continuing) line.pop_back();
    pending.text += line;
    if (continuing && pos <= text.size()) continue;

    ustring logical = Trim(pending.text);
    if (logical.empty()) continue;
    if (logical[0] == u'[') {
      const size_t close = logical.find(u']');
      current = &sections[AsciiUpper(Trim(ustring_view(logical).substr(1, close == ustring::npos ? ustring::npos
                                                                                                     : close - 1)))];
      continue;
    }
    if (current) current->push_back({pending.number, std::move(logical)});
  }
  return sections;
}

// [Strings], then [Strings.LLLL] over it.
StringTable ReadStrings(const std::map<ustring, std::vector<RawLine>>& sections, uint16_t languageId) {
  StringTable strings;
  for (const ustring& name : {ustring(u"STRINGS"), u"STRINGS." + AsciiUpper(Format(u"%.4x", {languageId}))}) {
    auto section = sections.find(name);
    if (section == sections.end()) continue;
    for (const RawLine& line : section->second) {
      const size_t equals = FindUnquoted(line.text, u'=');
      if (equals == ustring::npos) continue;
      strings[AsciiUpper(SplitItems(ustring_view(line.text).substr(0, equals), false)[0])] =
          SplitItems(ustring_view(line.text).substr(equals + 1), false)[0];
    }
  }
  return strings;
}

}  // namespace

InfFile InfFile::Parse(const std::string& bytes, const sys::CodePage& ansi, uint16_t languageId) {
  const auto sections = ReadSections(DecodeText(bytes, ansi));
  const StringTable strings = ReadStrings(sections, languageId);
  InfFile file;
  for (const auto& [name, rawLines] : sections) {
    std::vector<InfLine>& lines = file.sections_[name];
    for (const RawLine& raw : rawLines) {
      InfLine line;
      line.number = raw.number;
      const size_t equals = FindUnquoted(raw.text, u'=');
      line.hasKey = equals != ustring::npos;
      ustring_view valueText = raw.text;
      if (line.hasKey) {
        line.key = Resolve(SplitItems(valueText.substr(0, equals), false)[0], strings);
        valueText = valueText.substr(equals + 1);
      }
      for (const ustring& item : SplitItems(valueText, true)) line.values.push_back(Resolve(item, strings));
      lines.push_back(std::move(line));
    }
  }
  return file;
}

std::optional<InfFile> InfFile::Load(const sys::FileSystem& files, const ustring& path, const sys::CodePage& ansi,
                                     uint16_t languageId) {
  std::string bytes;
  if (files.ReadFile(path, bytes) != 0) return std::nullopt;
  return Parse(bytes, ansi, languageId);
}

const std::vector<InfLine>* InfFile::Section(ustring_view name) const {
  auto found = sections_.find(AsciiUpper(Trim(name)));
  return found == sections_.end() ? nullptr : &found->second;
}

const InfLine* InfFile::Find(ustring_view section, ustring_view key) const {
  const auto* lines = Section(section);
  if (!lines) return nullptr;
  for (const InfLine& line : *lines) {
    if (line.hasKey && EqualsNoCase(line.key, key)) return &line;
  }
  return nullptr;
}

std::optional<ustring> InfFile::Value(ustring_view section, ustring_view key) const {
  const InfLine* line = Find(section, key);
  if (!line) return std::nullopt;
  return line->values.empty() ? ustring() : line->values[0];
}

}  // namespace prn::config
