#pragma once
// A simulated machine with printers of the model's driver, the maker's
// uninstall entries and the driver's INF copies in the system INF folder.

#include <optional>
#include <string>

#include "removal/delete_printer_and_driver.h"
#include "testing/machine_fixture.h"

namespace prn::testing {

inline constexpr char16_t kUninstallRoot[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char16_t kUninstallRoot32[] = u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char16_t kGpdFile[] = u"C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\QX1.GPD";

// The INF text of a driver package of `infClass` that lists `model`.
std::string OemInf(const char* infClass, const char* model);

class RemovalTest : public MachineTest {
 protected:
  RemovalTest();

  // The driver (with a GPD of that version) and a printer of it per name.
  void PutDriverWithPrinters(const std::string& gpdVersion, std::initializer_list<const char16_t*> printers);
  // The maker's uninstall entry for a driver, below `root`, optionally with "Leave OEM INF".
  void PutUninstallEntry(const ustring& driver, std::optional<uint32_t> leaveOemInf = std::nullopt,
                         const ustring& root = kUninstallRoot);
  ustring DriverKey(const ustring& driver, const ustring& root = kUninstallRoot) const;
  ustring MakerKey(const ustring& root = kUninstallRoot) const;
  // An oem*.inf with its .pnf in the system INF folder.
  void PutOemInf(const ustring& name, const std::string& text);
  bool InfFolderHas(const ustring& name) const;

  removal::RemovalContext context;
};

}  // namespace prn::testing
