#include "installer_fixture.h"

#include "testing/test_files.h"
#include "testing/test_package.h"

namespace prn::ui {

InstallerFixture::InstallerFixture() {
  testing::WriteFile(machine.files, u"C:\\Package\\QX\\QX.INF", "[Version]\n");
  machine.files.SetCurrentDirectory(u"C:\\Package");
}

void InstallerFixture::Load(ustring_view entry0Keys, ustring_view languageFile) {
  const ustring entry = u"PrinterHWID=H\nDriverDir=QX\nINF.2K=QX.INF\nINF.X64=QX.INF\n";
  testing::WriteUtf16File(machine.files, u"C:\\Package\\Setup.Ini",
                          u"[QX1]\nPrinterName=Quillon QX1\n" + entry + ustring(entry0Keys) +
                              u"\n[QX5]\nPrinterName=Quillon QX5\nFunctionDescribe.EN=Wide\n" + entry);
  values.installInfos = *testing::LoadSettingsFile(machine, u"C:\\Package\\Setup.Ini", u"C:\\Package\\");
  testing::WriteUtf16File(machine.files, u"C:\\Work\\Strings.ini", languageFile);
  values.langOptions.LoadFromFile(u"C:\\Work\\Strings.ini", values.installInfos, machine.files, machine.codePage);
}

}  // namespace prn::ui
