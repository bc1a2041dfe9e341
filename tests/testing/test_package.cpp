#include "testing/test_package.h"

#include <stdexcept>

#include "config/profile_file.h"
#include "sim/machine.h"

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

std::string SetupIniText(const std::string& extraKeys) {
  return "[Quillon QX1]\r\nPrinterName=Quillon QX1\r\nPrinterHWID=QuillonQX17A3F\r\nDriverDir=Driver\r\n"
         "INF.2K=QX1.INF\r\nINF.X64=QX1_64.INF\r\n" +
         extraKeys;
}

std::unique_ptr<config::TInstallInfos> LoadSettingsFile(sim::Machine& machine, const ustring& setupIni,
                                                        const ustring& programFolder, int32_t winVer) {
  auto ini = config::ProfileFile::Load(machine.files, setupIni, machine.codePage);
  if (!ini) throw std::runtime_error("no settings file " + ToUtf8(setupIni));
  config::SettingsEnvironment env{&machine.files, &machine.codePage, programFolder, 0x0409, winVer};
  auto settings = std::make_unique<config::TInstallInfos>();
  settings->LoadSettings(&*ini, env);
  return settings;
}

}  // namespace prn::testing
