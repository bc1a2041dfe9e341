#include "package_fixture.h"

#include "config/profile_file.h"
#include "testing/test_files.h"
#include "testing/test_package.h"

namespace prn::testing {

PackageTest::PackageTest() {
  WriteFile(machine.files, u"C:\\Package\\Setup.Ini",
            "[Quillon QX1]\r\nPrinterName=Quillon QX1\r\nPrinterHWID=QuillonQX17A3F\r\nDriverDir=Driver\r\n"
            "INF.2K=QX1.INF\r\nINF.X64=QX1_64.INF\r\n");
  WriteSourceInf("01/15/2020,3.0.1.5");
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1_64.INF", PrinterInf("01/15/2020,3.0.1.5"));
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1.GPD", GpdText("1.0.3"));
  WriteFile(machine.files, u"C:\\Package\\Driver\\Sub\\QX1UI.DLL", "MZ-ui");
  WriteFile(machine.files, kLibrary, "MZ-inst2k");
}

void PackageTest::WriteSourceInf(const std::string& driverVer) {
  WriteFile(machine.files, kSourceInf, PrinterInf(driverVer));
}

const config::TInstallInfos& PackageTest::Settings() {
  if (!settings_) {
    settings_ = LoadSettingsFile(machine, u"C:\\Package\\Setup.Ini", u"C:\\Package\\");
  }
  return *settings_;
}

install::StagingContext PackageTest::Context(install::InfChoice choice) {
  install::StagingContext run;
  run.platform = machine.Platform();
  run.settings = &Settings();
  run.m_iSelect = 0;
  run.OEMManufactor = u"Quillon";
  run.inst2kDll = kLibrary;
  run.window = 0x1234;
  run.infChoice = choice;
  return run;
}

std::string PackageTest::Read(const ustring& path) {
  std::string bytes;
  machine.files.ReadFile(path, bytes);
  return bytes;
}

}  // namespace prn::testing
