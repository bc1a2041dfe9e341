#pragma once
// What `prnsetup-tool check` found in a package: errors (an install fails or
// misbehaves) and warnings (the install works, the user sees something
// wrong), each at a file and a line, or a section and key, with one sentence.

#include <iosfwd>
#include <vector>

#include "text/ustring.h"

namespace prn::tool {

enum class Severity { Error, Warning };

// Where a finding is: a file of the package, then a line of it, or a
// section and key of a profile file. Empty parts are not shown.
struct Place {
  Place() = default;
  Place(ustring file, int line = 0) : file(std::move(file)), line(line) {}
  Place(ustring file, ustring section, ustring key)
      : file(std::move(file)), section(std::move(section)), key(std::move(key)) {}

  ustring file;  // relative to the package folder, or as given
  int line = 0;
  ustring section;
  ustring key;
};

struct Finding {
  Severity severity;
  Place place;
  ustring text;
};

class Findings {
 public:
  // A finding equal to an earlier one (the same for several languages) is kept once.
  void Add(Severity severity, Place place, ustring text);
  void Error(Place place, ustring text) { Add(Severity::Error, std::move(place), std::move(text)); }
  void Warning(Place place, ustring text) { Add(Severity::Warning, std::move(place), std::move(text)); }

  const std::vector<Finding>& All() const { return findings_; }
  int Count(Severity severity) const;

 private:
  std::vector<Finding> findings_;
};

// One line per finding, "error   Setup.Ini [QX1] INF.X64: …", then the counts.
void PrintFindings(const Findings& findings, std::ostream& out);
// One JSON object: "errors", "warnings" and "findings", each finding with
// "severity", "file", "line", "section", "key" (where known) and "text".
void PrintFindingsJson(const Findings& findings, std::ostream& out);

}  // namespace prn::tool
