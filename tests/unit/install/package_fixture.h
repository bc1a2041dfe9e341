#pragma once
// A simulated machine with a small driver package for one model in
// C:\Package (Setup.Ini, INF files, GPD and a subfolder) and the device-install
// library in the work folder.

#include <gtest/gtest.h>

#include <memory>

#include "config/install_infos.h"
#include "install/buffer_driver_files.h"
#include "sim/machine.h"
#include "testing/test_package.h"

namespace prn::testing {

inline constexpr char16_t kModel[] = u"Quillon QX1";
inline constexpr char16_t kDriverDir[] = u"C:\\Package\\Driver";
inline constexpr char16_t kSourceInf[] = u"C:\\Package\\Driver\\QX1.INF";
inline constexpr char16_t kStagingFolder[] = u"C:\\Program Files\\Quillon\\Printer Drivers\\Quillon QX1";
inline constexpr char16_t kStagedInf[] = u"C:\\Program Files\\Quillon\\Printer Drivers\\Quillon QX1\\QX1.INF";
inline constexpr char16_t kLibrary[] = u"C:\\Work\\inst2k.dll";


class PackageTest : public ::testing::Test {
 protected:
  PackageTest();

  void WriteSourceInf(const std::string& driverVer);
  // The settings with the package's one entry.
  const config::TInstallInfos& Settings();
  install::StagingContext Context(install::InfChoice choice = install::InfChoice::SystemStoreCopy);
  std::string Read(const ustring& path);

  sim::Machine machine;

 private:
  std::unique_ptr<config::TInstallInfos> settings_;
};

}  // namespace prn::testing
