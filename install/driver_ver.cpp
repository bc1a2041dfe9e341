#include "install/driver_ver.h"

#include <algorithm>
#include <optional>

#include "config/profile_file.h"
#include "sys/files.h"
#include "text/error.h"
#include "text/format.h"
#include "trace/trace.h"

namespace prn::install {

namespace {

constexpr size_t kVersionTextLength = 25;
constexpr size_t kMinimumParts = 4;
constexpr char16_t kTraceTag[] = u"InfCompareVersion";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

int32_t PartValue(const ustring& part) { return config::ParseProfileInteger(part).value_or(0); }

std::vector<int32_t> VersionParts(ustring_view versionText) {
  ustring text = Trim(versionText);
  std::replace(text.begin(), text.end(), u'.', u',');
  std::vector<int32_t> parts;
  for (const ustring& part : SplitCommaText(text)) parts.push_back(PartValue(part));
  while (parts.size() < kMinimumParts) parts.push_back(0);
  return parts;
}

ustring ReadDriverVer(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& inf) {
  auto profile = config::ProfileFile::Load(files, inf, ansi);
  return profile ? profile->ReadString(u"Version", u"DriverVer", u"") : ustring();
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 0001-01-01 in the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day) {
  long long days = 0;
  int y = year - 1;
  days = 365LL * y + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

}  // namespace

StringList SplitCommaText(ustring_view text) {
  StringList items;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && text[i] != u',' && !IsBlank(text[i])) ++i;
    items.emplace_back(text.substr(start, i - start));
    skipBlanks();
    if (i < text.size() && text[i] == u',') {
      ++i;
      skipBlanks();
      if (i == text.size()) items.emplace_back();
    }
  }
  return items;
}

DriverVer ParseDriverVer(ustring_view value) {
  DriverVer result;
  size_t comma = value.find(u',');
  ustring_view version = value;
  if (comma != ustring_view::npos) {
    result.dateText = ustring(value.substr(0, comma));
    version = value.substr(comma + 1);
  }
  result.parts = VersionParts(version.substr(0, kVersionTextLength));
  return result;
}

double DriverDateDays(const ustring& dateText, const ustring& firstDate, const ustring& secondDate) {
  ustring text = dateText;
  std::replace(text.begin(), text.end(), u'/', u',');
  StringList parts = SplitCommaText(text);
  auto number = [&](size_t index) -> std::optional<int32_t> {
    return index < parts.size() ? config::ParseProfileInteger(parts[index]) : std::nullopt;
  };
  auto month = number(0), day = number(1), year = number(2);
  bool valid = month && day && year && *year >= 1 && *year <= 9999 && *month >= 1 && *month <= 12 &&
               *day >= 1 && *day <= DaysInMonth(*year, *month);
  if (!valid) throw Error(Format(u"Inf DriverVer Format Error: INF1<%s> INF2<%s>", {firstDate, secondDate}));
  return static_cast<double>(DaysFromCivil(*year, *month, *day));
}

int32_t InfCompareVersion(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& firstInf,
                          const ustring& secondInf) {
  if (!files.FileExists(firstInf) || !files.FileExists(secondInf)) return kInfMissing;
  DriverVer first = ParseDriverVer(ReadDriverVer(files, ansi, firstInf));
  DriverVer second = ParseDriverVer(ReadDriverVer(files, ansi, secondInf));

  size_t common = std::min(first.parts.size(), second.parts.size());
  trace::Format(u"準備比較版本號，長度（1 - %d）！", {common}, kTraceTag);
  for (size_t i = 0; i < common; ++i) {
    if (first.parts[i] != second.parts[i]) return first.parts[i] > second.parts[i] ? 1 : -1;
  }
  if (first.parts.size() != second.parts.size()) return first.parts.size() > second.parts.size() ? 1 : -1;

  trace::Message(u"版本號相同，比較日期！", kTraceTag);
  double difference = DriverDateDays(first.dateText, first.dateText, second.dateText) -
                      DriverDateDays(second.dateText, first.dateText, second.dateText);
  trace::Format(u"日期相差：%f", {difference}, kTraceTag);
  if (difference > 1.0) return 1;
  if (difference < -1.0) return -1;
  return 0;
}

}  // namespace prn::install
