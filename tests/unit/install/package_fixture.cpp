#include "package_fixture.h"

#include "config/profile_file.h"
#include "testing/test_files.h"

namespace prn::testing {

std::string PrinterInf(const std::string& driverVer, const std::string& gpdName) {
  return "[Version]\r\n"
         "Signature=\"$Windows NT$\"\r\n"
         "Class=Printer\r\n"
         "ClassGuid={4D36E979-E325-11CE-BFC1-08002BE10318}\r\n"
         "Provider=%Mfg%\r\n"
         "DriverVer=" + driverVer + "\r\n\r\n"
         "[Manufacturer]\r\n"
         "%Mfg%=Quillon,NTamd64\r\n\r\n"
         "[Quillon]\r\n"
         "\"Quillon QX1\" = QX1.Install, USBPRINT\\QuillonQX17A3F\r\n\r\n"
         "[Quillon.NTamd64]\r\n"
         "%QX1Name% = QX1.Install, USBPRINT\\QuillonQX17A3F\r\n\r\n"
         "[QX1.Install]\r\n"
         "DataFile=" + gpdName + "\r\n"
         "Include=NTPRINT.INF\r\n"
         "Needs=UNIDRV.OEM\r\n\r\n"
         "[Strings]\r\n"
         "Mfg=\"Quillon\"\r\n"
         "QX1Name=\"Quillon QX1\"\r\n";
}

std::string GpdText(const std::string& version) {
  return "*GPDSpecVersion: \"1.0\"\r\n*GPDFileVersion: \"" + version + "\"\r\n*ModelName: \"Quillon QX1\"\r\n";
}

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
    auto ini = config::ProfileFile::Load(machine.files, u"C:\\Package\\Setup.Ini", machine.codePage);
    config::SettingsEnvironment env;
    env.files = &machine.files;
    env.codePage = &machine.codePage;
    env.programFolder = u"C:\\Package\\";
    env.winVer = 61;
    settings_ = std::make_unique<config::TInstallInfos>();
    settings_->LoadSettings(&*ini, env);
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
