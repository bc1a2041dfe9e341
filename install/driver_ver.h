#pragma once
// The DriverVer line of an INF ("01/15/2020,3.0.1.5") and the comparison of
// two INF files by it, which decides whether a package is staged again.

#include <cstdint>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}

namespace prn::install {

// InfCompareVersion's answer when either file does not exist.
constexpr int32_t kInfMissing = 0x7FFFFFFF;

struct DriverVer {
  ustring dateText;            // before the first comma, untrimmed
  std::vector<int32_t> parts;  // version parts, at least four
};

DriverVer ParseDriverVer(ustring_view value);

// Splits at commas and blanks as a comma-separated list does: blanks around
// a comma belong to neither side, two commas in a row give an empty item.
StringList SplitCommaText(ustring_view text);

// Days since 1 January of year 1 for a "month/day/year" text; raises the
// DriverVer format error naming both INF dates when it is no valid date.
double DriverDateDays(const ustring& dateText, const ustring& firstDate, const ustring& secondDate);

// 1 when the first INF is newer, -1 when older, 0 for the same version with
// dates at most one day apart, kInfMissing when either file is missing.
int32_t InfCompareVersion(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& firstInf,
                          const ustring& secondInf);

}  // namespace prn::install
