#include "removal/oem_inf_cleanup.h"

#include "config/profile_file.h"
#include "sys/files.h"
#include "text/ascii.h"
#include "trace/trace.h"

namespace prn::removal {

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
