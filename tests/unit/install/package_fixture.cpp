#include "package_fixture.h"

#include "testing/test_files.h"
#include "testing/test_package.h"

namespace prn::testing {

PackageTest::PackageTest() {
  PutPackage();
  WriteFile(machine.files, u"C:\\Package\\Driver\\QX1.GPD", GpdText("1.0.3"));
  WriteFile(machine.files, u"C:\\Package\\Driver\\Sub\\QX1UI.DLL", "MZ-ui");
  WriteFile(machine.files, kLibrary, "MZ-inst2k");
}

void PackageTest::WriteSourceInf(const std::string& driverVer) { WriteFile(machine.files, kInf, PrinterInf(driverVer)); }

install::StagingContext PackageTest::Context(install::InfChoice choice) {
  install::StagingContext run;
  run.platform = machine.Platform();
  run.settings = &Settings();
  run.m_iSelect = 0;
  run.OEMManufactor = kMaker;
  run.inst2kDll = kLibrary;
  run.window = kWindow;
  run.infChoice = choice;
  return run;
}

}  // namespace prn::testing
