#pragma once
// `prnsetup-tool check`: reads a driver package with the installer's own
// parsers and reports what would make an install fail or misbehave (errors)
// and what the user would see wrong (warnings).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "text/ustring.h"
#include "tools/prnsetup-tool/findings.h"

namespace prn::sys {
class CodePage;
class FileSystem;
}  // namespace prn::sys

namespace prn::tool {

class PictureDecoder;

// A maker's language file, read by the caller.
struct LanguageFileInput {
  ustring shown;  // the name the findings use
  std::string bytes;
};

struct CheckOptions {
  // The package folder as `files` reaches it, with a trailing backslash;
  // nothing to check language files only.
  std::optional<ustring> package;
  StringList languages;  // "EN", "SC", "TC"; all three when empty
  std::vector<LanguageFileInput> langFiles;
  // Installs each model on three simulated machines; needs the package's
  // Setup.Ini as the host sees it.
  bool simulate = false;
  std::filesystem::path hostSetupIni;
};

struct CheckEnvironment {
  const sys::FileSystem* files = nullptr;
  // The ANSI code page of a system of that language.
  std::function<const sys::CodePage&(uint16_t languageId)> codePage;
  const PictureDecoder* pictures = nullptr;
};

Findings CheckPackage(const CheckOptions& options, const CheckEnvironment& environment);

// Prints the findings (as JSON when asked); 0 without errors, 1 with errors.
int RunCheck(const CheckOptions& options, const CheckEnvironment& environment, bool json, std::ostream& out);

}  // namespace prn::tool
