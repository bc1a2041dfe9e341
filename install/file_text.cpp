#include "install/file_text.h"

#include "sys/files.h"
#include "sys/system_info.h"
#include "text/error.h"
#include "text/format.h"

namespace prn::install {

namespace {

ustring DecodeUtf16(const std::string& bytes, bool bigEndian) {
  ustring text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    auto first = static_cast<unsigned char>(bytes[i]);
    auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return text;
}

bool StartsWithBytes(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

}  // namespace

ustring DecodeByByteOrderMark(const std::string& bytes, const sys::CodePage& ansi) {
  if (StartsWithBytes(bytes, "\xFF\xFE")) return DecodeUtf16(bytes, false);
  if (StartsWithBytes(bytes, "\xFE\xFF")) return DecodeUtf16(bytes, true);
  if (StartsWithBytes(bytes, "\xEF\xBB\xBF")) return FromUtf8(std::string_view(bytes).substr(3));
  return ansi.FromAnsi(bytes);
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

}  // namespace prn::install
