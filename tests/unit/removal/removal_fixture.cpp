#include "removal_fixture.h"

#include "sys/registry.h"
#include "testing/test_files.h"

namespace prn::testing {

std::string OemInf(const char* infClass, const char* model) {
  return std::string("[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=") + infClass +
         "\r\nProvider=%Mfg%\r\n[Manufacturer]\r\n%Mfg%=Quillon\r\n[Quillon]\r\n\"" + model +
         "\" = QX1.Install, USBPRINT\\QuillonQX17A3F\r\n[Strings]\r\nMfg=\"Quillon\"\r\nProviderName=\"Quillon\"\r\n";
}

RemovalTest::RemovalTest() {
  context.platform = machine.Platform();
  machine.files.CreateDirectories(u"C:\\Windows\\inf");
}

void RemovalTest::PutDriverWithPrinters(const std::string& gpdVersion,
                                        std::initializer_list<const char16_t*> printers) {
  WriteFile(machine.files, kGpdFile, "*GPDFileVersion: \"" + gpdVersion + "\"\r\n");
  machine.spooler.PutDriver(kModel, kGpdFile);
  for (const char16_t* printer : printers) machine.spooler.PutPrinter(printer, kModel, u"LPT1:");
}

ustring RemovalTest::MakerKey(const ustring& root) const { return root + u"\\Quillon Printer Utilities"; }

ustring RemovalTest::DriverKey(const ustring& driver, const ustring& root) const {
  return MakerKey(root) + u"\\PrinterDrivers\\" + driver;
}

void RemovalTest::PutUninstallEntry(const ustring& driver, std::optional<uint32_t> leaveOemInf, const ustring& root) {
  const auto view = sys::RegistryView::Force64;
  machine.registry.CreateKey(DriverKey(driver, root), view);
  machine.registry.WriteValue(MakerKey(root), u"DisplayName", sys::RegistryValue::String(u"Quillon printers"), view);
  if (leaveOemInf) {
    machine.registry.WriteValue(DriverKey(driver, root), u"Leave OEM INF", sys::RegistryValue::Dword(*leaveOemInf),
                                view);
  }
}

void RemovalTest::PutOemInf(const ustring& name, const std::string& text) {
  WriteFile(machine.files, u"C:\\Windows\\inf\\" + name, text);
  const ustring base = name.substr(0, name.size() - 4);
  WriteFile(machine.files, u"C:\\Windows\\inf\\" + base + u".pnf", "pnf");
}

bool RemovalTest::InfFolderHas(const ustring& name) const {
  return machine.files.FileExists(u"C:\\Windows\\inf\\" + name);
}

}  // namespace prn::testing
