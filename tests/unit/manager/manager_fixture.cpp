#include "manager_fixture.h"

#include <chrono>

#include "testing/test_files.h"

namespace prn::testing {

namespace {
constexpr char16_t kLangFile[] = u"C:\\Work\\Strings_EN.ini";
}

ManagerTest::ManagerTest() {
  WriteFile(machine.files, kLangFile, ReadRepoFile("resources/lang/Strings_EN.ini"));
  values.langOptions.Open(kLangFile, machine.files, machine.codePage);
  values.langOptions.LoadSettings(0);
}

ui::TFormManager& ManagerTest::Manager(int32_t winVer) {
  ui::ManagerMachine parts;
  parts.removal.platform = machine.Platform();
  parts.usb = &machine.usb;
  parts.printerCommands = &commands;
  parts.changes = &changes;
  manager = std::make_unique<ui::TFormManager>(parts, values.strInstaller, values.langOptions, systemPorts, winVer);
  manager->SetClock([] { return ustring(u"10:20:30"); });
  return *manager;
}

void ManagerTest::PutPrinter(const ustring& name, const ustring& port, uint32_t attributes,
                             const ustring& server) {
  if (!machine.spooler.FindDriver(kModel)) machine.spooler.PutDriver(kModel);
  sys::PRINTER_INFO_2W info;
  info.pServerName = server;
  info.pPrinterName = name;
  info.pDriverName = kModel;
  info.pPortName = port;
  info.pPrintProcessor = u"WinPrint";
  info.pDatatype = u"RAW";
  info.Attributes = sys::spool::AttributeLocal | attributes;
  machine.spooler.PutPrinter(info);
}

}  // namespace prn::testing
