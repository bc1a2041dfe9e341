// `prnsetup-tool check` on the example package and on broken copies of it:
// each fault is named at its file and key or line, and fails the check.

#include "tools/prnsetup-tool/package_check.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "config/profile_file.h"
#include "pictures/picture_writer.h"
#include "sim/host_folder.h"
#include "sim/codepage.h"
#include "sim/files.h"
#include "testing/test_files.h"
#include "tools/prnsetup-tool/commands.h"
#include "tools/prnsetup-tool/picture_decoder.h"

namespace prn::tool {
namespace {

namespace fs = std::filesystem;

class PackageCheckTest : public ::testing::Test {
 public:
  void SetUp() override {
    fs::copy(fs::path(PRN_SOURCE_DIR) / "examples/package", package(), fs::copy_options::recursive);
    files.Mount(u"P:", package());
    options.package = u"P:\\";
    options.hostSetupIni = package() / "Setup.Ini";
  }

  fs::path package() const { return folder.Path() / "package"; }

  std::string Read(const std::string& name) const {
    std::ifstream in(package() / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(package() / name, std::ios::binary | std::ios::trunc) << bytes;
  }
  // Replaces the first occurrence of a line's text in Setup.Ini (UTF-16) or another file.
  void Replace(const std::string& name, const std::string& from, const std::string& to) const {
    const bool settings = name == "Setup.Ini";
    std::string text = settings ? ToUtf8(config::DecodeText(Read(name), sim::SimCodePage())) : Read(name);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    Write(name, settings ? testing::Utf16LeWithBom(FromUtf8(text)) : text);
  }

  int Check(std::ostringstream& out) {
    const CheckEnvironment environment{&files,
                                       [this](uint16_t id) -> const sys::CodePage& {
                                         return codePages.try_emplace(id, AnsiCodePageFor(id)).first->second;
                                       },
                                       decoder.get()};
    return RunCheck(options, environment, true, out);
  }
  nlohmann::json CheckJson(int expectedExit) {
    std::ostringstream out;
    EXPECT_EQ(Check(out), expectedExit);
    return nlohmann::json::parse(out.str());
  }
  // The first finding at that file (and key, when given) whose text holds `words`.
  static const nlohmann::json* Finding(const nlohmann::json& report, const std::string& file, const std::string& key,
                                       const std::string& words) {
    for (const auto& finding : report["findings"]) {
      if (finding["file"] == file && (key.empty() || finding.value("key", "") == key) &&
          finding["text"].get<std::string>().find(words) != std::string::npos)
        return &finding;
    }
    return nullptr;
  }

  sim::HostFolder folder;
  sim::SimFileSystem files{folder.Path() / "machine"};
  std::map<uint16_t, sim::SimCodePage> codePages;
  std::unique_ptr<PictureDecoder> decoder = MakePictureDecoder();
  CheckOptions options;
};

TEST_F(PackageCheckTest, TheExamplePackageHasNothingToReport) {
  const auto report = CheckJson(0);
  EXPECT_EQ(report["errors"], 0) << report.dump(2);
  EXPECT_EQ(report["warnings"], 0) << report.dump(2);
}

TEST_F(PackageCheckTest, NamesWrittenInAnotherCaseAreFoundAsWindowsFindsThem) {
  Replace("Setup.Ini", "DriverDir = QX1\r\nINF.2K = QX1.INF", "DriverDir = qx1\r\nINF.2K = qx1.inf");
  Replace("Setup.Ini", "Logo = QX1Logo.jpg", "Logo = qx1logo.JPG");
  EXPECT_EQ(CheckJson(0)["errors"], 0);
}

struct Breakage {
  const char* name;
  std::function<void(PackageCheckTest&)> breakIt;
  const char* file;
  const char* key;
  const char* words;
  const char* severity = "error";
};

TEST_F(PackageCheckTest, EachBrokenCopyNamesItsFaultAndFailsOnErrors) {
  const Breakage breakages[] = {
      {"missing INF", [](auto& t) { fs::remove(t.package() / "QX1/QX1.INF"); }, "Setup.Ini", "INF.2K",
       "names “QX1.INF”, which is not in the folder “QX1”; the installer will not start"},
      {"model absent from the 64-bit models section",
       [](auto& t) { t.Replace("QX1/QX1.INF", "[Quillon.NTamd64]", "[Quillon.NTamd64]\r\n[Unused]"); },
       "Setup.Ini", "PrinterName",
       "“Quillon QX1” is not a model of QX1\\QX1.INF on 64-bit Windows (it reads [Quillon.NTamd64] there)"},
      {"hardware ID absent",
       [](auto& t) { t.Replace("Setup.Ini", "PrinterHWID = QuillonQX17A3F", "PrinterHWID = QX17"); }, "Setup.Ini",
       "PrinterHWID", "“QX17” is not a hardware ID of “Quillon QX1” in QX1\\QX1.INF on 32-bit and 64-bit Windows"},
      {"truncated PNG",
       [](auto& t) { t.Write("Resource/Background.EN.png", t.Read("Resource/Background.EN.png").substr(0, 3000)); },
       "Resource\\Background.EN.png", "", "does not decode as PNG"},
      {"JPEG with a PNG's name",
       [](auto& t) { t.Write("Resource/Printer.png", testing::JpegBytes(480, 180, {10, 20, 30})); },
       "Resource\\Printer.png", "", "is a JPEG file with a PNG name"},
      {"GIF that is not a GIF",
       [](auto& t) {
         t.Write("Logo.gif", "not a picture at all");
         t.Replace("Setup.Ini", "Logo = QX1Logo.jpg", "Logo = Logo.gif");
       },
       "Logo.gif", "", "does not decode as GIF"},
      {"missing guide", [](auto& t) { fs::remove(t.package() / "Docs/InstallGuide.SC.txt"); }, "Setup.Ini",
       "InstallGuide.SC", "names “Docs\\InstallGuide.SC.txt”, which is not in the package"},
      {"paper form of 40 characters",
       [](auto& t) { t.Replace("Setup.Ini", "DefaultForm = A4", "DefaultForm = " + std::string(40, 'F')); },
       "Setup.Ini", "DefaultForm", "is 40 characters long"},
      {"brand row missing", [](auto& t) { t.Replace("Setup.Ini", "Index = 50", "Index = 990"); }, "Setup.Ini",
       "Index", "990 asks for brand row 99, which the English language file does not have"},
      {"driver folder outside the package",
       [](auto& t) {
         fs::copy(t.package() / "QX1", t.folder.Path() / "QX1", fs::copy_options::recursive);
         t.Replace("Setup.Ini", "DriverDir = QX1", "DriverDir = ..\\QX1");
       },
       "Setup.Ini", "DriverDir", "names “..\\QX1”, which lies outside the package"},
      {"compatible INF missing", [](auto& t) { fs::remove(t.package() / "QX5W8/QX5W8.INF"); }, "Setup.Ini",
       "CompatibleINF.2K", "from Windows 6.2 on the installer installs “Quillon QX5 Series” with it and fails"},
      {"driver file missing", [](auto& t) { fs::remove(t.package() / "QX1/QXPAPER.GPD"); }, "QX1\\QX1.INF", "",
       "lists “QXPAPER.GPD”, which is not in the folder “QX1”"},
      {"DriverVer without a date",
       [](auto& t) { t.Replace("QX1/QX1.INF", "DriverVer=03/14/2023,1.0.2.8", "DriverVer=1.0.2.8"); },
       "QX1\\QX1.INF", "", "has no month/day/year date before its comma"},
      {"not a printer INF", [](auto& t) { t.Replace("QX1/QX1.INF", "Class=Printer", "Class=Image"); },
       "QX1\\QX1.INF", "", "has Class=Image: it is not a printer INF"},
      {"link target missing",
       [](auto& t) { t.Replace("Setup.Ini", "Button2Link.EN = Docs\\InstallGuide.EN.txt", "Button2Link.EN = Docs\\Gone.txt"); },
       "Setup.Ini", "Button2Link.EN", "so the skinned window hides button 2"},
      {"skinned window without a button picture",
       [](auto& t) {
         t.Replace("Setup.Ini", "ViewMode = 10", "ViewMode = 20");
         fs::remove(t.package() / "Resource/Button21.SC.png");
       },
       "Resource\\Button21.SC.png", "", "is missing; the skinned window shows an error instead of this button"},
      {"background of another size",
       [](auto& t) { t.Write("Resource/Background.SC.png", testing::PngBytes(640, 480, {0, 0, 0})); },
       "Resource\\Background.SC.png", "", "is 640 × 480 pixels; the skinned window is 800 × 600", "warning"},
      {"print processor nobody installs",
       [](auto& t) { t.Replace("Setup.Ini", "PrintProcess = winprint", "PrintProcess = QuillonProc"); }, "Setup.Ini",
       "PrintProcess", "names the print processor “QuillonProc”, which neither Windows (winprint) nor QX5\\QX5.INF "
       "installs", "warning"},
      {"an older driver staged over a newer one",
       [](auto& t) {
         t.Replace("Setup.Ini", "PrinterName = Quillon QX5", "PrinterName = Quillon QX1");
         t.Replace("QX5/QX5.INF", "\"Quillon QX5\" = QX5.GPD", "\"Quillon QX1\" = QX5.GPD");
         t.Replace("QX5/QX5.INF", "\"Quillon QX5\" = QX5.GPD", "\"Quillon QX1\" = QX5.GPD");
       },
       "Setup.Ini", "INF.2K", "installs “Quillon QX1” from QX1\\QX1.INF, whose DriverVer is older than that of "
       "QX5\\QX5.INF, which [QX5] stages in the same folder", "warning"},
      {"guide key missing",
       [](auto& t) { t.Replace("Setup.Ini", "InstallGuide.TC = Docs\\InstallGuide.TC.txt\r\n", ""); }, "Setup.Ini",
       "InstallGuide.TC", "is not set, so the installer offers “ReadmeEN.txt”, which is not in the package"},
      {"language key missing where the English one is set",
       [](auto& t) { t.Replace("Setup.Ini", "FunctionDescribe.TC = Quillon QX1", "FunctionDescribe.XX = Quillon QX1"); },
       "Setup.Ini", "FunctionDescribe.TC",
       "is missing while FunctionDescribe.EN is set: a Traditional Chinese system gets “平推打印机”", "warning"},
  };
  for (const Breakage& breakage : breakages) {
    SCOPED_TRACE(breakage.name);
    fs::remove_all(package());
    fs::copy(fs::path(PRN_SOURCE_DIR) / "examples/package", package(), fs::copy_options::recursive);
    breakage.breakIt(*this);
    const auto report = CheckJson(std::string(breakage.severity) == "error" ? 1 : 0);
    const nlohmann::json* finding = Finding(report, breakage.file, breakage.key, breakage.words);
    EXPECT_TRUE(finding && (*finding)["severity"] == breakage.severity) << report.dump(2);
  }
}

TEST_F(PackageCheckTest, TextOutputNamesThePlaceAndCountsTheFindings) {
  Replace("Setup.Ini", "DefaultForm = A4", "DefaultForm = " + std::string(32, 'F'));
  fs::remove(package() / "Resource/Button12.EN.png");
  options.languages = {u"EN"};
  std::ostringstream out;
  const CheckEnvironment environment{&files,
                                     [this](uint16_t id) -> const sys::CodePage& {
                                       return codePages.try_emplace(id, AnsiCodePageFor(id)).first->second;
                                     },
                                     decoder.get()};
  EXPECT_EQ(RunCheck(options, environment, false, out), 1);
  EXPECT_EQ(out.str(),
            "error   Setup.Ini [QX5] DefaultForm: is 32 characters long; a Windows form name has at most 31, so the "
            "installer leaves the new printer's paper form unset.\n"
            "warning Resource\\Button11.EN.png: has no hot twin “Button12.EN.png”; pointing at the button brings up "
            "an error box instead of lighting it.\n"
            "1 error, 1 warning\n");
}

// A Windows system without an imaging component decodes nothing: the check
// says so rather than letting the pictures pass.
TEST_F(PackageCheckTest, WithoutADecoderThePicturesAreReportedUnchecked) {
  struct NoDecoder : PictureDecoder {
    ustring Unavailable() const override { return u"this system has no Windows Imaging Component"; }
    bool Reads(PictureFormat) const override { return false; }
    PictureDecoding Decode(PictureFormat, const std::string&) const override { return {std::nullopt, "none"}; }
  };
  decoder = std::make_unique<NoDecoder>();
  const auto report = CheckJson(0);
  ASSERT_EQ(report["findings"].size(), 1u) << report.dump(2);
  EXPECT_EQ(report["findings"][0]["severity"], "warning");
  EXPECT_EQ(report["findings"][0]["text"],
            "51 pictures were not checked: this system has no Windows Imaging Component. Check the package on a "
            "system that has it, or with the Linux build.");
}

TEST_F(PackageCheckTest, SimulatedInstallsEndInOneQueueOrQuoteTheirBoxes) {
  options.simulate = true;
  options.languages = {u"EN"};
  EXPECT_EQ(CheckJson(0)["errors"], 0);

  // The simulated printer UI finds the model under another name: no queue appears.
  Replace("QX1/QX1.INF", "\"Quillon QX1\" = QX1.GPD", "\"Quillon QX1 Old\" = QX1.GPD");
  Replace("QX1/QX1.INF", "\"Quillon QX1\" = QX1.GPD", "\"Quillon QX1 Old\" = QX1.GPD");
  const auto report = CheckJson(1);
  const auto* finding = Finding(report, "Setup.Ini", "", "installing on the simulated 32-bit Windows XP with nothing "
                                                         "attached does not end in one configured queue (code 0x");
  ASSERT_NE(finding, nullptr) << report.dump(2);
  EXPECT_NE((*finding)["text"].get<std::string>().find("its boxes: “Please connect"), std::string::npos);
}

}  // namespace
}  // namespace prn::tool
