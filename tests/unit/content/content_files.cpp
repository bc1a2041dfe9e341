#include "content_files.h"

#include <gtest/gtest.h>

#include "sim/codepage.h"
#include "testing/test_files.h"
#include "text/ascii.h"

namespace prn::testing {

std::filesystem::path RepoPath(const std::string& relativePath) {
  return std::filesystem::path(PRN_SOURCE_DIR) / relativePath;
}

config::ProfileFile ParseRepoProfile(const std::string& relativePath) {
  sim::SimCodePage ansi;
  return config::ProfileFile::Parse(ReadRepoFile(relativePath), ansi);
}

ustring Required(const config::ProfileFile& file, ustring_view section, ustring_view key) {
  auto value = file.Find(section, key);
  if (!value) {
    ADD_FAILURE() << "missing key [" << ToUtf8(section) << "] " << ToUtf8(key);
    return {};
  }
  return *value;
}

std::vector<ustring> PlaceholderConversions(ustring_view pattern) {
  std::vector<ustring> conversions;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != u'%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < pattern.size() && (pattern[end] == u'-' || pattern[end] == u'.' ||
                                    (pattern[end] >= u'0' && pattern[end] <= u'9')))
      ++end;
    if (end < pattern.size()) {
      conversions.emplace_back(pattern.substr(i + 1, end - i));
      i = end;
    }
  }
  return conversions;
}

int LineBreakMarkers(ustring_view text) {
  int count = 0;
  for (size_t at = FindNoCase(text, u"\\r\\n"); at != ustring_view::npos; at = FindNoCase(text, u"\\r\\n", at + 4))
    ++count;
  return count;
}

bool PngSize(const std::string& bytes, int& width, int& height) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (bytes.size() < 24 || bytes.compare(0, 8, kSignature, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return false;
  auto be32 = [&](size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
  };
  width = be32(16);
  height = be32(20);
  return true;
}

bool IsTrueColourBitmap(const std::string& bytes) {
  auto le = [&](size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return false;
  return le(2, 4) == bytes.size() && le(14, 4) == 40 && le(28, 2) == 24 && le(30, 4) == 0 &&
         static_cast<int32_t>(le(18, 4)) > 0 && static_cast<int32_t>(le(22, 4)) != 0;
}

}  // namespace prn::testing
