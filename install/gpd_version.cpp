#include "install/gpd_version.h"

#include <algorithm>

#include "install/driver_ver.h"
#include "install/file_text.h"
#include "text/error.h"
#include "text/format.h"

namespace prn::install {

namespace {

constexpr ustring_view kGpdVersionKey = u"*GPDFileVersion: \"";
constexpr size_t kGpdVersionLength = 10;

}  // namespace

std::optional<ustring> GpdVersionOfLine(ustring_view line) {
  if (!line.starts_with(kGpdVersionKey)) return std::nullopt;
  ustring_view rest = line.substr(kGpdVersionKey.size(), kGpdVersionLength);
  size_t quote = rest.find(u'"');
  return quote == ustring_view::npos ? ustring() : ustring(rest.substr(0, quote));
}

std::optional<ustring> GpdVersionOfText(ustring_view text) {
  std::optional<ustring> version;
  for (const ustring& line : SplitLines(text)) {
    if (auto found = GpdVersionOfLine(line)) version = *found;
  }
  return version;
}

std::vector<uint32_t> VersionNumbers(ustring_view version) {
  ustring text(version);
  std::replace(text.begin(), text.end(), u'.', u',');
  std::vector<uint32_t> numbers;
  for (const ustring& part : SplitCommaText(text)) {
    bool digits = !part.empty() && part.size() <= 9 &&
                  std::all_of(part.begin(), part.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!digits)
      throw Error(Format(u"The driver version \"%s\" is not a version number (\"%s\" is no number); the "
                         u"installed driver cannot be checked.",
                         {version, part}));
    numbers.push_back(static_cast<uint32_t>(std::stoul(ToUtf8(part))));
  }
  return numbers;
}

bool IsOlderVersion(ustring_view installed, ustring_view required) {
  std::vector<uint32_t> have = VersionNumbers(installed);
  if (have.empty()) return false;
  std::vector<uint32_t> want = VersionNumbers(required);
  size_t count = std::max(have.size(), want.size());
  have.resize(count, 0);
  want.resize(count, 0);
  return have < want;
}

}  // namespace prn::install
