#include "testing/machine_fixture.h"

#include "testing/test_files.h"
#include "testing/test_package.h"

namespace prn::testing {

void MachineTest::TearDown() { EXPECT_EQ(machine.spooler.OpenHandleCount(), 0) << "printer handles left open"; }

void MachineTest::PutPackage(const std::string& extraKeys) {
  WriteFile(machine.files, kSetupIni, SetupIniText(extraKeys));
  WriteFile(machine.files, kInf, PrinterInf("01/15/2020,3.0.1.5"));
  WriteFile(machine.files, kInf64, PrinterInf("01/15/2020,3.0.1.5"));
}

const config::TInstallInfos& MachineTest::Settings() {
  if (!settings_) settings_ = LoadSettingsFile(machine, kSetupIni, kPackageFolder);
  return *settings_;
}

std::string MachineTest::Read(const ustring& path) const {
  std::string bytes;
  machine.files.ReadFile(path, bytes);
  return bytes;
}

}  // namespace prn::testing
