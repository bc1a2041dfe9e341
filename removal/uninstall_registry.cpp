#include "removal/uninstall_registry.h"

#include "removal/oem_inf_cleanup.h"
#include "sys/system_info.h"
#include "trace/trace.h"

namespace prn::removal {

namespace {

constexpr char16_t kLeaveOemInf[] = u"Leave OEM INF";
constexpr char16_t kPrinterDrivers[] = u"\\PrinterDrivers";

// Whether the driver's INF copies go too: only a "Leave OEM INF" of 0 keeps them.
bool RemovesInfCopies(sys::Registry& registry, const ustring& driverKey, sys::RegistryView view) {
  if (registry.OpenKey(driverKey, view) != 0) return true;
  sys::RegistryValue value;
  if (registry.ReadValue(driverKey, kLeaveOemInf, value, view) != 0) return true;
  auto number = value.Number();
  return !number || *number != 0;
}

// A driver name that names exactly one key below the driver list.
bool IsSingleKeyName(const ustring& name) { return !name.empty() && name.find(u'\\') == ustring::npos; }

}  // namespace

UninstallRoot UninstallRootFor(bool wow64) {
  // The 32-bit entries, named by their own path in the 64-bit view so that
  // the path means the same to a 32-bit and a 64-bit process.
  if (wow64) return {u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\",
                     sys::RegistryView::Force64};
  return {u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\", sys::RegistryView::Default};
}

ustring MakerKeyName(const ustring& uninstallKeyName) { return uninstallKeyName + u" Printer Utilities"; }

bool DelRegUninstallInfo(const RemovalContext& context, const ustring& driverName,
                         const ustring& uninstallKeyName) {
  trace::Scope scope(u"DelRegUninstallInfo");
  bool result = false;
  sys::Registry& registry = *context.platform.registry;
  const UninstallRoot root = UninstallRootFor(context.wow64);
  const ustring makerKey = root.path + MakerKeyName(uninstallKeyName);
  const ustring driverList = makerKey + kPrinterDrivers;
  const ustring driverKey = driverList + u"\\" + driverName;
  // An empty or composite name would reach the list key itself or keys of other drivers.
  if (!IsSingleKeyName(driverName)) {
    trace::Format(u"驅動程序名稱（%s）不能作為註冊表鍵名。", {driverName});
    return false;
  }

  if (RemovesInfCopies(registry, driverKey, root.view)) {
    trace::Format(u"註冊表鍵（%s）指定了刪除Inf文件。........", {driverKey});
    const sys::Platform& platform = context.platform;
    LeaveOEMInf(*platform.files, *platform.codePage, platform.system->SystemDirectory(), driverName, u"Printer");
  }

  if (registry.OpenKey(driverList, root.view) != 0) return false;
  if (registry.DeleteTree(driverKey, root.view) == 0) {
    result = true;
    std::vector<ustring> remaining;
    if (registry.EnumerateSubkeys(driverList, remaining, root.view) == 0 && remaining.empty()) {
      result = registry.DeleteTree(makerKey, root.view) == 0;
    }
  }
  if (!result) trace::Message(u"未能刪除指定的註冊表鍵！！！！！！");
  return result;
}

}  // namespace prn::removal
