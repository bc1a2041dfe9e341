#include "config/install_infos.h"

#include "sys/files.h"
#include "text/ascii.h"
#include "text/error.h"
#include "text/format.h"
#include "text/winpath.h"
#include "trace/trace.h"

namespace prn::config {

namespace {

constexpr char16_t kNoPrinterName[] = u" 配置文件出错，打印机名称不存在！";
constexpr char16_t kNoHardwareId[] = u" 配置文件出错，没有指定打印机硬件ID！";
constexpr char16_t kNoDriverFolder[] = u" 配置文件出错，指定的驱动程序文件夹不存在！";
constexpr char16_t kNoInf[] = u" 配置文件出错，没有指定INF文件！";
constexpr char16_t kInfMissing[] = u" 指定的INF文件不存在！";

[[noreturn]] void Fail(const ustring& section, const char16_t* message) { throw Error(section + message); }

// Link rule: anything but a web address is a file or folder beside the
// program; one that does not exist is dropped.
ustring ResolveLink(const ustring& value, const SettingsEnvironment& env) {
  if (value.empty() || IsWebLink(value)) return value;
  ustring path = env.programFolder + value;
  if (env.files->FileExists(path) || env.files->DirectoryExists(path)) return path;
  return {};
}

}  // namespace

ustring ResolveSettingsFolder(ustring value, const ustring& programFolder) {
  if (!value.empty() && value.back() == u'\\') value.pop_back();
  if (value.empty()) {
    ustring folder = programFolder;
    if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
    return folder;
  }
  if (value == u"*") return value;
  return programFolder + value;
}

ustring SettingsLanguageSuffix(uint16_t systemLangId) {
  switch (systemLangId) {
    case 0x0404: case 0x0C04: case 0x1404:
      return u"TC";
    case 0x0804: case 0x1004:
      return u"SC";
    default:
      return u"EN";
  }
}

void TInstallInfos::LoadFromFile(const ustring& fileName, const SettingsEnvironment& env) {
  auto ini = ProfileFile::Load(*env.files, fileName, *env.codePage);
  if (ini) LoadSettings(&*ini, env);
}

void TInstallInfos::LoadSettings(const ProfileFile* ini, const SettingsEnvironment& env) {
  if (!ini) return;
  m_slPrinters = ini->SectionNames();
  m_InfoItems.assign(m_slPrinters.size(), TRInstallInfo{});
  for (size_t i = 0; i < m_slPrinters.size(); ++i) {
    TRInstallInfo info;
    ReadInstallInfo(*ini, m_slPrinters[i], env, info);
    m_InfoItems[i] = std::move(info);
  }
}

void ReadInstallInfo(const ProfileFile& ini, const ustring& s, const SettingsEnvironment& env, TRInstallInfo& info) {
  const ustring suffix = u"." + SettingsLanguageSuffix(env.systemLangId);
  auto str = [&](const char16_t* key, const char16_t* def) { return ini.ReadString(s, key, def); };
  auto local = [&](const char16_t* key, const char16_t* def) { return ini.ReadString(s, key + suffix, def); };
  auto num = [&](const char16_t* key, int32_t def) { return ini.ReadInteger(s, key, def); };
  auto flag = [&](const char16_t* key) { return ini.ReadBool(s, key, false); };

  info.ViewMode = num(u"ViewMode", 10) / 10;
  info.Index = num(u"Index", 0) / 10;
  info.Logo = str(u"Logo", u"");
  info.PrinterManager = flag(u"PrinterManager");
  info.CIDForVersion = num(u"CIDForVersion", 62);
  info.PrinterName = str(u"PrinterName", u"");
  info.CompatibleName = str(u"CompatibleName", u"");
  if (info.CompatibleName.empty()) {
    trace::Message(u"No Compatible Informations !!!");
    info.CIDForVersion = 1024;  // no Windows version reaches it
  }
  if (info.PrinterName.empty()) Fail(s, kNoPrinterName);
  info.PrinterHWID = str(u"PrinterHWID", u"");
  if (info.PrinterHWID.empty()) Fail(s, kNoHardwareId);
  info.CompatibleID = str(u"CompatibleID", u"");
  info.MustUninstallForGDP = str(u"MustUninstallForGDP", u"");
  info.UninstallerOnRestart = env.programFolder + str(u"UninstallerOnRestart", u"I386\\PLPrnUni.exe");
  info.PrintWidth = num(u"PrintWidth", 110);
  info.PrinterType = str(u"PrinterType", u"Flat");

  info.DriverDir = ResolveSettingsFolder(str(u"DriverDir", u"*"), env.programFolder);
  if (!env.files->DirectoryExists(info.DriverDir)) Fail(s, kNoDriverFolder);
  info.INF2K = str(u"INF.2K", u"");
  info.INFX64 = str(u"INF.X64", u"");
  if (info.INF2K.empty() || info.INFX64.empty()) Fail(s, kNoInf);
  info.INF2K = info.DriverDir + u"\\" + info.INF2K;
  info.INFX64 = info.DriverDir + u"\\" + info.INFX64;
  if (!env.files->FileExists(info.INF2K) || !env.files->FileExists(info.INFX64)) Fail(s, kInfMissing);

  info.CompatibleDriverDir = ResolveSettingsFolder(str(u"CompatibleDriverDir", u"*"), env.programFolder);
  info.CompatibleINF2K = info.CompatibleDriverDir + u"\\" + str(u"CompatibleINF.2K", u"");
  info.CompatibleINFX64 = info.CompatibleDriverDir + u"\\" + str(u"CompatibleINF.X64", u"");
  info.OfflineHWIDPre = str(u"OfflineHWIDPre", u"SERENUM\\");
  info.FunctionDescribe = local(u"FunctionDescribe", u"平推打印机");
  info.InstallGuide = local(u"InstallGuide", u"ReadmeEN.txt");
  info.QuickGuide = local(u"QuickGuide", u"");
  info.UserManual = local(u"UserManual", u"");
  info.DefaultPort = str(u"DefaultPort", u"USB");
  info.ForceOnlineCheck = flag(u"ForceOnlineCheck");
  info.PromptCheck = flag(u"PromptCheck");
  info.AutoMode = flag(u"AutoMode");
  info.QuiteMode = flag(u"QuiteMode");
  info.PrintProcess = str(u"PrintProcess", u"");
  info.DefaultForm = str(u"DefaultForm", u"");
  info.PreRun = str(u"PreRun", u"");
  info.InstallOCX = str(u"InstallOCX", u"");
  info.AfterRun = str(u"AfterRun", u"");
  info.AlwaysSetDefault = flag(u"AlwaysSetDefault");
  info.BGImage = local(u"BGImage", u"");
  info.PrinterImage = local(u"PrinterImage", u"");
  info.PDFReader = local(u"PDFReader", u"");
  info.Button2Link = ResolveLink(local(u"Button2Link", u""), env);
  info.Button3Link = ResolveLink(local(u"Button3Link", u""), env);
  info.Button4Link = ResolveLink(local(u"Button4Link", u""), env);
  info.Button5Link = ResolveLink(local(u"Button5Link", u""), env);

  if (!info.CompatibleName.empty() && info.CIDForVersion <= env.winVer) {
    info.PrinterName = info.CompatibleName;
    info.PrinterHWID = info.CompatibleID;
    info.DriverDir = info.CompatibleDriverDir;
    info.INF2K = info.CompatibleINF2K;
    info.INFX64 = info.CompatibleINFX64;
  }
}

void TInstallInfos::GetInfoItem(int index, TRInstallInfo& info) const {
  if (index < 0 || index >= GetCount()) {
    throw Error(Format(u"获取设置组的时候超出索引，最大为%d，输入为%d", {GetCount() - 1, index}));
  }
  info = m_InfoItems[index];
}

TRInstallInfo TInstallInfos::GetInfoItem(int index) const {
  TRInstallInfo info;
  GetInfoItem(index, info);
  return info;
}

}  // namespace prn::config
