// `check --lang-file` on a maker's language file: the installer's own
// lookups find every text, caption and menu item, and each text carries the
// placeholders the installer fills in.

#include <gtest/gtest.h>

#include <map>

#include "config/profile_file.h"
#include "sim/host_folder.h"
#include "sim/codepage.h"
#include "sim/files.h"
#include "testing/test_files.h"
#include "tools/prnsetup-tool/package_check.h"

namespace prn::tool {
namespace {

std::string Edited(std::string text, const std::map<std::string, std::string>& replacements) {
  for (const auto& [from, to] : replacements) {
    const size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("no " + from);
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<std::string> FindingLines(const std::string& bytes) {
  sim::HostFolder folder;
  sim::SimFileSystem files(folder.Path());
  sim::SimCodePage ansi;
  CheckOptions options;
  options.langFiles.push_back({u"Strings_Maker.ini", bytes});
  const Findings found =
      CheckPackage(options, {&files, [&ansi](uint16_t) -> const sys::CodePage& { return ansi; }, nullptr});
  std::vector<std::string> lines;
  for (const Finding& f : found.All()) {
    lines.push_back(std::string(f.severity == Severity::Error ? "error " : "warning ") + ToUtf8(f.place.section) +
                    " " + ToUtf8(f.place.key) + ": " + ToUtf8(f.text));
  }
  return lines;
}

TEST(LanguageFileCheck, TheShippedFilesPassAndAMakersGapsAreNamed) {
  const std::string shipped = testing::ReadRepoFile("resources/lang/Strings_EN.ini");
  EXPECT_TRUE(FindingLines(shipped).empty());

  const std::string text = ToUtf8(config::DecodeText(shipped, sim::SimCodePage()));
  const std::string maker = Edited(text, {
      {"OEMCOmpanyIndex=1", "OEMCOmpanyIndex=42"},
      {"btnStart=Install\r\n", ""},
      {"mniDelete=Delete\r\n", ""},
      {"InstallSuccessStr=Printer driver (%s) has been successfully installed to print port %s.",
       "InstallSuccessStr=Printer driver %s installed (100%)."},
      {"NoticeTitle=Notice", "NoticeTitle=Notice %s"},
  });
  EXPECT_EQ(FindingLines(testing::Utf16LeWithBom(FromUtf8(maker))),
            (std::vector<std::string>{
                "error OEMCOmpany : has no brand row 42; the installer shows the brand “___” with the default logo "
                "and colour.",
                "warning DialogText NoticeTitle: has the placeholders “%s”, which show as written: the installer "
                "fills nothing into this text.",
                "warning DialogText InstallSuccessStr: has a “%” that begins no placeholder; it shows as written (a "
                "percent sign is written “%%”).",
                "error DialogText InstallSuccessStr: has the placeholders “%s” where the installer fills in the "
                "printer's name, then its port (“%s%s”); the message loses or garbles them.",
                "warning Controls.Installer btnStart: is missing; the control keeps its designed caption “Install”.",
                "warning Controls.Manager.pmPrinterOperate mniDelete: is missing or empty; the manager's printer "
                "menu loses this item.",
            }));
}

}  // namespace
}  // namespace prn::tool
