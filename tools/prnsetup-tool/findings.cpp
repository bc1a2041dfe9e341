#include "tools/prnsetup-tool/findings.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>

namespace prn::tool {

namespace {

bool SamePlace(const Place& a, const Place& b) {
  return a.file == b.file && a.line == b.line && a.section == b.section && a.key == b.key;
}

const char* SeverityWord(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

std::string PlaceText(const Place& place) {
  std::string text = ToUtf8(place.file);
  if (place.line > 0) text += " line " + std::to_string(place.line);
  if (!place.section.empty()) text += " [" + ToUtf8(place.section) + "]";
  if (!place.key.empty()) text += " " + ToUtf8(place.key);
  return text;
}

std::string Counted(int count, const char* word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

void Findings::Add(Severity severity, Place place, ustring text) {
  const bool known = std::any_of(findings_.begin(), findings_.end(), [&](const Finding& f) {
    return f.severity == severity && f.text == text && SamePlace(f.place, place);
  });
  if (!known) findings_.push_back({severity, std::move(place), std::move(text)});
}

int Findings::Count(Severity severity) const {
  return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

void PrintFindings(const Findings& findings, std::ostream& out) {
  for (const Finding& finding : findings.All()) {
    std::string word = SeverityWord(finding.severity);
    word.resize(8, ' ');
    const std::string where = PlaceText(finding.place);
    out << word << (where.empty() ? "" : where + ": ") << ToUtf8(finding.text) << "\n";
  }
  out << Counted(findings.Count(Severity::Error), "error") << ", "
      << Counted(findings.Count(Severity::Warning), "warning") << "\n";
}

void PrintFindingsJson(const Findings& findings, std::ostream& out) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Finding& finding : findings.All()) {
    nlohmann::ordered_json item;
    item["severity"] = SeverityWord(finding.severity);
    item["file"] = ToUtf8(finding.place.file);
    if (finding.place.line > 0) item["line"] = finding.place.line;
    if (!finding.place.section.empty()) item["section"] = ToUtf8(finding.place.section);
    if (!finding.place.key.empty()) item["key"] = ToUtf8(finding.place.key);
    item["text"] = ToUtf8(finding.text);
    list.push_back(std::move(item));
  }
  nlohmann::ordered_json report;
  report["errors"] = findings.Count(Severity::Error);
  report["warnings"] = findings.Count(Severity::Warning);
  report["findings"] = std::move(list);
  out << report.dump(2) << "\n";
}

}  // namespace prn::tool
