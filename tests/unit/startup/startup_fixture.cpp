#include "startup_fixture.h"

#include "text/winpath.h"

namespace prn::testing {

StartupTest::StartupTest() {
  machine.files.SetCurrentDirectory(kPackage);
  WriteFile(machine.files, JoinPath(kPackage, u"QX1.INF"), "[Version]\r\n");
  WriteSetupIni(ValidEntry());
  for (const char16_t* suffix : {u"EN", u"CN", u"CHT"}) {
    machine.resources.Set(ustring(u"RC_STRINGS_INI_") + suffix, LanguageResource(suffix));
  }
  machine.resources.Set(u"INST2KDLL", "MZ inst2k");
  machine.resources.Set(u"INST2K64DLL", "MZ inst2k64");
  machine.resources.Set(u"PRNSETUP64EXE", "MZ PrnSetup64");
}

void StartupTest::WriteSetupIni(ustring_view text) {
  WriteUtf16File(machine.files, JoinPath(kPackage, u"Setup.Ini"), text);
}

ustring StartupTest::ValidEntry(ustring_view viewModeLine, ustring_view section) {
  return u"[" + ustring(section) + u"]\r\n" + ustring(viewModeLine) +
         u"\r\nPrinterName = Quillon QX1\r\nPrinterHWID = QuillonQX17A3F\r\nDriverDir =\r\n"
         u"INF.2K = QX1.INF\r\nINF.X64 = QX1.INF\r\n";
}

std::string StartupTest::LanguageResource(ustring_view suffix) const {
  return Utf16LeWithBom(u"[DialogText]\r\nNoticeTitle = Notice " + ustring(suffix) + u"\r\n");
}

int StartupTest::Run(const StringList& parameters) {
  startup = std::make_unique<app::Startup>(machine.Platform(), forms);
  return startup->Run(parameters);
}

}  // namespace prn::testing
