#include "removal/uninstall_registry.h"

#include "config/profile_file.h"
#include "sys/files.h"
#include "sys/system_info.h"
#include "text/ascii.h"
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

bool InfListsModel(const sys::FileSystem& files, const sys::CodePage& ansi, const ustring& driverName,
                   const ustring& infPath, const ustring& className) {
  auto inf = config::ProfileFile::Load(files, infPath, ansi);
  if (!inf) return false;
  ustring provider = inf->ReadString(u"Strings", u"ProviderName", u"");
  ustring infClass = inf->ReadString(u"Version", u"Class", u"");
  if (provider.empty() || infClass != className) return false;
  const auto* models = inf->Entries(provider);
  if (!models) return false;
  const ustring quoted = u"\"" + driverName + u"\"";
  for (const auto& entry : *models) {
    if (entry.key == quoted || entry.key == driverName) return true;
  }
  return false;
}

ustring InfFolderOf(const ustring& systemDirectory) {
  size_t pos = AsciiUpper(systemDirectory).find(u"SYSTEM32");
  ustring base = pos == ustring::npos ? systemDirectory : systemDirectory.substr(0, pos);
  return base + u"inf\\";
}

int LeaveOEMInf(sys::FileSystem& files, const sys::CodePage& ansi, const ustring& systemDirectory,
                const ustring& driverName, const ustring& className) {
  trace::Scope scope(u"LeaveOEMInf");
  int count = 0;
  const ustring folder = InfFolderOf(systemDirectory);
  trace::Format(u"準備在系統inf目錄(%s)下搜索文件！", {folder});
  if (files.DirectoryExists(folder)) {
    for (const ustring& name : files.ListFiles(folder, u"oem*.inf")) {
      const ustring path = folder + name;
      if (!InfListsModel(files, ansi, driverName, path, className)) continue;
      trace::Format(u"找到對應的inf文件：%s，準備刪除！", {path});
      // The extension is cut without regard to case, so "oem12.INF" loses its .pnf too.
      size_t dot = AsciiUpper(name).find(u".INF");
      const ustring base = name.substr(0, dot);
      files.RemoveFile(folder + base + name.substr(dot, 4));
      files.RemoveFile(folder + base + u".pnf");
      ++count;
    }
  }
  trace::Format(u"本次操作共刪除<%d>個inf文件。", {count});
  return count;
}

}  // namespace prn::removal
