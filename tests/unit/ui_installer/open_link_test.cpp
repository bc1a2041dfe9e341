#include "ui/installer/open_link.h"

#include <gtest/gtest.h>

#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::ui {
namespace {

class OpenLinkTest : public ::testing::Test {
 protected:
  OpenLinkTest() {
    texts.ErrorTitle = u"Error";
    texts.FileOrPathNotExist = u"gone";
    texts.NotPDFReaderInstall = u"install the reader?";
    texts.NotPDFReaderInstall2 = u"no reader";
    // A translation with stray placeholders must not be able to read beyond the one argument.
    texts.NotFileReaderInstall = u"no program for (%s) %d%n%x %s%%";
    testing::WriteFile(machine.files, kPdf, "pdf");
    testing::WriteFile(machine.files, kChm, "chm");
    testing::WriteFile(machine.files, u"C:\\Package\\Reader\\Setup.exe", "exe");
    machine.files.SetCurrentDirectory(u"C:\\Package");
  }

  void Open(const ustring& target, const ustring& pdfReader = u"Reader\\Setup.exe") {
    LinkOpener(machine.files, machine.shell, machine.dialogs, texts).OpenLink(target, pdfReader, 3);
  }
  StringList Opened() const {
    StringList files;
    // Every link and document opens as the desktop's user, never elevated.
    for (const auto& e : machine.shell.Executions()) files.push_back((e.asDesktopUser ? u"user " : u"elevated ") + e.file);
    return files;
  }
  const auto& Boxes() const { return machine.dialogs.Boxes(); }

  static constexpr const char16_t* kPdf = u"C:\\Package\\Docs\\Manual.Pdf";
  static constexpr const char16_t* kChm = u"C:\\Package\\Docs\\Help.chm";
  sim::Machine machine;
  config::TStrInstaller texts;
};

TEST_F(OpenLinkTest, WebAddressOpensWithoutCheckAndAGoneFileIsReported) {
  Open(u"hTTps://q.example/qx1");  // the shell answers 42: it is open
  EXPECT_EQ(Opened(), (StringList{u"user hTTps://q.example/qx1"}));
  EXPECT_TRUE(Boxes().empty());

  // Only "http://" and "https://" make a web address, not the first four letters.
  for (const char16_t* gone : {u"C:\\Package\\Docs\\Removed.txt", u"httpd.exe"}) Open(gone);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, u"gone");
  EXPECT_EQ(Boxes()[1].flags, sys::mb::Ok | sys::mb::IconError);
  EXPECT_EQ(Opened().size(), 1u);

  Open(u"C:\\Package\\Docs");  // a folder is a target too
  EXPECT_EQ(Opened().back(), u"user C:\\Package\\Docs");
}

TEST_F(OpenLinkTest, PdfWithoutViewerOffersThePackagedReader) {
  machine.shell.SetExecuteResult(kPdf, kSeErrNoAssoc);
  machine.dialogs.ScriptAnswers({sys::mb::IdYes, sys::mb::IdNo});
  Open(kPdf);
  Open(kPdf);
  EXPECT_EQ(Opened(), (StringList{u"user C:\\Package\\Docs\\Manual.Pdf", u"user C:\\Package\\Reader\\Setup.exe",
                                  u"user C:\\Package\\Docs\\Manual.Pdf", u"user C:\\Package\\Docs"}));
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, u"install the reader?");
  EXPECT_EQ(Boxes()[0].flags, sys::mb::YesNo | sys::mb::IconWarning);

  Open(kPdf, u"Reader\\Missing.exe");
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[2].text, u"no reader");
  EXPECT_EQ(Opened().back(), u"user C:\\Package\\Docs");
}

TEST_F(OpenLinkTest, OtherTypeWithoutViewerNamesItsExtensionAndShowsTheFolder) {
  machine.shell.SetExecuteResult(kChm, kSeErrNoAssoc);
  Open(kChm);
  ASSERT_EQ(Boxes().size(), 1u);
  // The one argument fills the first "%s"; the rest reads nothing, "%n" is plain text.
  EXPECT_EQ(Boxes()[0].text, u"no program for (chm) %n %");
  EXPECT_EQ(Opened().back(), u"user C:\\Package\\Docs");
}

TEST_F(OpenLinkTest, AnyOtherShellFailureOpensTheFolderSilently) {
  machine.shell.SetExecuteResult(kChm, 2);  // file not found
  Open(kChm);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Opened(), (StringList{u"user C:\\Package\\Docs\\Help.chm", u"user C:\\Package\\Docs"}));
}

}  // namespace
}  // namespace prn::ui
