#pragma once
// The model's package on a simulated machine, with a GPD and a subfolder
// beside its INF files, and the device-install library in the work folder.

#include <string>

#include "install/buffer_driver_files.h"
#include "testing/machine_fixture.h"

namespace prn::testing {

inline constexpr char16_t kStagingFolder[] = u"C:\\Program Files\\Quillon\\Printer Drivers\\Quillon QX1";
inline constexpr char16_t kStagedInf[] = u"C:\\Program Files\\Quillon\\Printer Drivers\\Quillon QX1\\QX1.INF";
inline constexpr char16_t kLibrary[] = u"C:\\Work\\inst2k.dll";

class PackageTest : public MachineTest {
 protected:
  PackageTest();

  void WriteSourceInf(const std::string& driverVer);
  install::StagingContext Context(install::InfChoice choice = install::InfChoice::SystemStoreCopy);
};

}  // namespace prn::testing
