// The example driver package: its settings load on a simulated machine, its
// INF files name their models and versions, its files and pictures are there.

#include <gtest/gtest.h>

#include <chrono>

#include "config/install_infos.h"
#include "content_files.h"
#include "sim/machine.h"
#include "testing/test_files.h"
#include "text/ascii.h"
#include "text/format.h"

namespace prn::testing {
namespace {

using config::ProfileFile;
using config::TRInstallInfo;

constexpr char16_t kPackage[] = u"P:\\";

// The drive P: is the package folder, which is also the program folder and the
// current directory, as when the installer is started from the package.
class ExamplePackage : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_.files.Mount(u"P:", RepoPath("examples/package"));
    machine_.files.SetCurrentDirectory(kPackage);
  }

  config::TInstallInfos Load(int winVer, uint16_t langId = 0x0409) {
    config::SettingsEnvironment env{&machine_.files, &machine_.codePage, kPackage, langId, winVer};
    config::TInstallInfos settings;
    settings.LoadFromFile(u"P:\\Setup.Ini", env);
    return settings;
  }

  ProfileFile Profile(const ustring& path) {
    auto file = ProfileFile::Load(machine_.files, path, machine_.codePage);
    if (!file) ADD_FAILURE() << "cannot read " << ToUtf8(path);
    return file ? std::move(*file) : ProfileFile{};
  }

  std::string Bytes(const ustring& path) {
    std::string bytes;
    EXPECT_EQ(machine_.files.ReadFile(path, bytes), 0u) << ToUtf8(path);
    return bytes;
  }

  sim::Machine machine_;
};

std::vector<ustring> SplitList(ustring_view text) {
  std::vector<ustring> items;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(u',', start);
    items.push_back(Trim(text.substr(start, comma == ustring_view::npos ? ustring_view::npos : comma - start)));
    if (comma == ustring_view::npos) return items;
    start = comma + 1;
  }
}

bool AllDigits(ustring_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// DriverVer as staging compares it: "mm/dd/yyyy,a.b.c.d" with a real date and
// four numeric version parts.
::testing::AssertionResult IsDriverVer(const ustring& value) {
  size_t comma = value.find(u',');
  if (comma == ustring::npos) return ::testing::AssertionFailure() << "no comma in " << ToUtf8(value);
  ustring dateText = value.substr(0, comma);
  std::replace(dateText.begin(), dateText.end(), u'/', u',');
  std::vector<ustring> date = SplitList(dateText);
  if (date.size() != 3 || !std::all_of(date.begin(), date.end(), AllDigits) || date[2].size() != 4)
    return ::testing::AssertionFailure() << "bad date in " << ToUtf8(value);
  using namespace std::chrono;
  year_month_day ymd{year{std::stoi(ToUtf8(date[2]))}, month{static_cast<unsigned>(std::stoi(ToUtf8(date[0])))},
                     day{static_cast<unsigned>(std::stoi(ToUtf8(date[1])))}};
  if (!ymd.ok()) return ::testing::AssertionFailure() << "no such date in " << ToUtf8(value);
  ustring version = Trim(ustring_view(value).substr(comma + 1));
  if (version.size() > 25) return ::testing::AssertionFailure() << "version longer than 25 characters";
  std::replace(version.begin(), version.end(), u'.', u',');
  std::vector<ustring> parts = SplitList(version);
  if (parts.size() != 4 || !std::all_of(parts.begin(), parts.end(), AllDigits))
    return ::testing::AssertionFailure() << "version is not four numbers in " << ToUtf8(value);
  return ::testing::AssertionSuccess();
}

// The model line of an INF for a driver name, found the way uninstalling
// identifies the INF: class "Printer", and the section named by [Strings]
// ProviderName has the name as a key, bare or in double quotes.
const ProfileFile::Entry* ModelLine(const ProfileFile& inf, const ustring& driverName) {
  ustring provider = inf.ReadString(u"Strings", u"ProviderName", u"");
  if (provider.empty() || inf.ReadString(u"Version", u"Class", u"") != u"Printer") return nullptr;
  const auto* entries = inf.Entries(provider);
  if (!entries) return nullptr;
  for (const auto& entry : *entries) {
    if (entry.key == driverName || entry.key == u"\"" + driverName + u"\"") return &entry;
  }
  return nullptr;
}

// Each model as it installs: primary driver, and compatible driver when there is one.
struct Model {
  ustring name, hardwareId, driverDir, inf2k, infX64;
};

std::vector<Model> ModelsOf(const config::TInstallInfos& settings) {
  std::vector<Model> models;
  for (int i = 0; i < settings.GetCount(); ++i) {
    TRInstallInfo info = settings.GetInfoItem(i);
    models.push_back({info.PrinterName, info.PrinterHWID, info.DriverDir, info.INF2K, info.INFX64});
    if (!info.CompatibleName.empty())
      models.push_back({info.CompatibleName, info.CompatibleID, info.CompatibleDriverDir, info.CompatibleINF2K,
                        info.CompatibleINFX64});
  }
  return models;
}

TEST_F(ExamplePackage, LoadsBothModelsOnWindows7) {
  config::TInstallInfos settings = Load(61);
  ASSERT_EQ(settings.GetCount(), 2);
  EXPECT_EQ(settings.SectionNames(), (std::vector<ustring>{u"QX1", u"QX5"}));

  TRInstallInfo qx1 = settings.GetInfoItem(0);
  EXPECT_EQ(qx1.ViewMode, 1);
  EXPECT_EQ(qx1.Index, 5);
  EXPECT_EQ(qx1.PrinterName, u"Quillon QX1");
  EXPECT_EQ(qx1.DriverDir, u"P:\\QX1");
  EXPECT_EQ(qx1.INF2K, u"P:\\QX1\\QX1.INF");
  EXPECT_EQ(qx1.MustUninstallForGDP, u"1.0.2.8");
  EXPECT_EQ(qx1.CIDForVersion, 1024);  // no compatible driver
  EXPECT_EQ(qx1.Button2Link, u"P:\\Docs\\InstallGuide.EN.txt");
  EXPECT_EQ(qx1.Button3Link.rfind(u"https://", 0), 0u);
  EXPECT_TRUE(machine_.files.FileExists(kPackage + qx1.Logo)) << ToUtf8(qx1.Logo);

  TRInstallInfo qx5 = settings.GetInfoItem(1);
  EXPECT_EQ(qx5.PrinterName, u"Quillon QX5");
  EXPECT_EQ(qx5.PrinterHWID, u"QuillonQX5B41E");
  EXPECT_EQ(qx5.DriverDir, u"P:\\QX5");
  EXPECT_EQ(qx5.CompatibleName, u"Quillon QX5 Series");
  EXPECT_EQ(qx5.CIDForVersion, 62);
}

TEST_F(ExamplePackage, CompatibleDriverTakesOverFromWindows8) {
  config::TInstallInfos settings = Load(62);
  ASSERT_EQ(settings.GetCount(), 2);
  TRInstallInfo qx5 = settings.GetInfoItem(1);
  EXPECT_EQ(qx5.PrinterName, u"Quillon QX5 Series");
  EXPECT_EQ(qx5.PrinterHWID, u"QuillonQX5Series");
  EXPECT_EQ(qx5.DriverDir, u"P:\\QX5W8");
  EXPECT_EQ(qx5.INF2K, u"P:\\QX5W8\\QX5W8.INF");
  EXPECT_EQ(qx5.INFX64, u"P:\\QX5W8\\QX5W8.INF");
  // Loading does not check the compatible driver, so the package must hold it.
  EXPECT_TRUE(machine_.files.DirectoryExists(qx5.DriverDir));
  EXPECT_TRUE(machine_.files.FileExists(qx5.INF2K));
  EXPECT_TRUE(machine_.files.FileExists(qx5.INFX64));
  EXPECT_EQ(settings.GetInfoItem(0).PrinterName, u"Quillon QX1");
}

TEST_F(ExamplePackage, EveryLanguageHasItsDocumentsAndPictures) {
  for (uint16_t langId : {0x0409, 0x0804, 0x0404}) {
    config::TInstallInfos settings = Load(61, langId);
    ASSERT_EQ(settings.GetCount(), 2);
    for (int i = 0; i < settings.GetCount(); ++i) {
      TRInstallInfo info = settings.GetInfoItem(i);
      SCOPED_TRACE(ToUtf8(info.PrinterName) + " " + ToUtf8(config::SettingsLanguageSuffix(langId)));
      EXPECT_NE(info.FunctionDescribe, u"平推打印机");  // the default: the key is missing
      EXPECT_TRUE(machine_.files.FileExists(info.InstallGuide)) << ToUtf8(info.InstallGuide);
      EXPECT_TRUE(machine_.files.FileExists(info.BGImage)) << ToUtf8(info.BGImage);
      EXPECT_TRUE(machine_.files.FileExists(info.PrinterImage)) << ToUtf8(info.PrinterImage);
      EXPECT_FALSE(info.Button2Link.empty());  // emptied when the document is missing
      EXPECT_FALSE(info.Button3Link.empty());
    }
  }
}

TEST_F(ExamplePackage, InfFilesListTheirModelsAndVersions) {
  for (int winVer : {61, 62}) {
    for (const Model& model : ModelsOf(Load(winVer))) {
      for (const ustring& path : {model.inf2k, model.infX64}) {
        SCOPED_TRACE(ToUtf8(path) + " for " + ToUtf8(model.name));
        ProfileFile inf = Profile(path);
        EXPECT_EQ(inf.ReadString(u"Version", u"ClassGUID", u""), u"{4D36E979-E325-11CE-BFC1-08002BE10318}");
        EXPECT_EQ(inf.ReadString(u"Version", u"Provider", u""), u"%ProviderName%");
        EXPECT_TRUE(IsDriverVer(inf.ReadString(u"Version", u"DriverVer", u"")));
        const ProfileFile::Entry* line = ModelLine(inf, model.name);
        ASSERT_NE(line, nullptr);
        // Plug-and-play installs for the hardware ID, so the INF must list it.
        std::vector<ustring> ids = SplitList(line->value);
        EXPECT_NE(std::find(ids.begin() + 1, ids.end(), model.hardwareId), ids.end()) << ToUtf8(line->value);
        // The 64-bit models section lists the model too.
        ustring provider = inf.ReadString(u"Strings", u"ProviderName", u"");
        EXPECT_TRUE(inf.Find(provider + u".NTamd64", u"\"" + model.name + u"\""));
      }
    }
  }
}

TEST_F(ExamplePackage, DriverFilesNamedByTheInfsArePresent) {
  for (const Model& model : ModelsOf(Load(61))) {
    SCOPED_TRACE(ToUtf8(model.name));
    ProfileFile inf = Profile(model.inf2k);
    const ProfileFile::Entry* line = ModelLine(inf, model.name);
    ASSERT_NE(line, nullptr);
    ustring install = SplitList(line->value).front();
    ustring dataFile = inf.ReadString(install, u"DataFile", u"");
    EXPECT_TRUE(machine_.files.FileExists(model.driverDir + u"\\" + dataFile)) << ToUtf8(dataFile);
    int copied = 0;
    for (const ustring& list : SplitList(inf.ReadString(install, u"CopyFiles", u""))) {
      const auto* files = list.rfind(u"@", 0) == 0 ? nullptr : inf.Entries(list);
      std::vector<ustring> names;
      if (files) for (const auto& entry : *files) names.push_back(entry.key);
      else names.push_back(list.substr(1));
      for (const ustring& name : names) {
        EXPECT_TRUE(machine_.files.FileExists(model.driverDir + u"\\" + name)) << ToUtf8(name);
        EXPECT_TRUE(inf.Find(u"SourceDisksFiles", name)) << ToUtf8(name);
        ++copied;
      }
    }
    EXPECT_GT(copied, 0);
  }
}

TEST_F(ExamplePackage, UninstallVersionIsTheVersionOfTheShippedGpd) {
  config::TInstallInfos settings = Load(61);
  int checked = 0;
  for (int i = 0; i < settings.GetCount(); ++i) {
    TRInstallInfo info = settings.GetInfoItem(i);
    if (info.MustUninstallForGDP.empty()) continue;
    ProfileFile inf = Profile(info.INF2K);
    const ProfileFile::Entry* line = ModelLine(inf, info.PrinterName);
    ASSERT_NE(line, nullptr);
    ustring gpd = info.DriverDir + u"\\" + inf.ReadString(SplitList(line->value).front(), u"DataFile", u"");
    // The version line as the installed driver's data file is read.
    const std::string prefix = "*GPDFileVersion: \"";
    std::string text = Bytes(gpd);
    size_t at = text.find("\n" + prefix);
    ASSERT_NE(at, std::string::npos) << ToUtf8(gpd);
    size_t start = at + 1 + prefix.size();
    EXPECT_EQ(FromAscii(text.substr(start, text.find('"', start) - start)), info.MustUninstallForGDP);
    ++checked;
  }
  EXPECT_EQ(checked, 1);
}

TEST_F(ExamplePackage, SkinnedWindowFindsEveryPictureInItsSize) {
  struct Picture {
    ustring file;
    int width, height;
  };
  std::vector<Picture> pictures = {{u"Close1.png", 36, 36}, {u"Close2.png", 36, 36},
                                   {u"min1.png", 36, 36},   {u"min2.png", 36, 36},
                                   {u"Printer.png", 480, 180}};
  for (const char16_t* lang : {u"EN", u"SC", u"TC"}) {
    pictures.push_back({u"Background." + ustring(lang) + u".png", 800, 600});
    for (int state : {1, 2}) {
      for (int tag : {0, 2, 3, 4, 5}) pictures.push_back({Format(u"Button%.2d.%s.png", {tag * 10 + state, lang}), 140, 36});
      pictures.push_back({Format(u"Button%.2d.%s.png", {10 * 10 + state, lang}), 223, 40});
      // The install button sizes itself; it has to end above the picture below it (y 198).
      pictures.push_back({Format(u"Button%.2d.%s.png", {1 * 10 + state, lang}), 0, 0});
    }
  }
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(ToUtf8(picture.file));
    ustring path = u"P:\\Resource\\" + picture.file;
    ASSERT_TRUE(machine_.files.FileExists(path));
    int width = 0, height = 0;
    ASSERT_TRUE(PngSize(Bytes(path), width, height));
    if (picture.width == 0) {
      EXPECT_LE(139 + height, 198);
      EXPECT_LE(545 + width, 800);
    } else {
      EXPECT_EQ(width, picture.width);
      EXPECT_EQ(height, picture.height);
    }
  }
}

}  // namespace
}  // namespace prn::testing
