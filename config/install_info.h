#pragma once
// One printer entry of Setup.Ini.

#include <cstdint>

#include "text/ustring.h"

namespace prn::config {

struct TRInstallInfo {
  int32_t ViewMode = 0;
  int32_t Index = 0;
  ustring Logo;
  bool PrinterManager = false;
  int32_t CIDForVersion = 0;
  ustring PrinterName;
  ustring PrinterHWID;
  ustring CompatibleName;
  ustring CompatibleID;
  ustring MustUninstallForGDP;
  ustring UninstallerOnRestart;
  int32_t PrintWidth = 0;
  ustring PrinterType;
  ustring DriverDir;
  ustring INF2K;
  ustring INFX64;
  ustring CompatibleDriverDir;
  ustring CompatibleINF2K;
  ustring CompatibleINFX64;
  ustring OfflineHWIDPre;
  ustring FunctionDescribe;
  ustring InstallGuide;
  ustring QuickGuide;
  ustring UserManual;
  ustring DefaultPort;
  bool ForceOnlineCheck = false;
  bool PromptCheck = false;
  bool AutoMode = false;
  bool QuiteMode = false;
  ustring PrintProcess;
  ustring DefaultForm;
  ustring PreRun;
  ustring InstallOCX;
  ustring AfterRun;
  bool AlwaysSetDefault = false;
  ustring Button2Link;
  ustring Button3Link;
  ustring Button4Link;
  ustring Button5Link;
  ustring Button6Link;
  ustring BGImage;
  ustring PrinterImage;
  ustring PDFReader;
};

// Visits every field in declaration order with its name (for dumps and tests).
template <typename Visitor>
void VisitFields(const TRInstallInfo& info, Visitor&& visit) {
  visit("ViewMode", info.ViewMode);
  visit("Index", info.Index);
  visit("Logo", info.Logo);
  visit("PrinterManager", info.PrinterManager);
  visit("CIDForVersion", info.CIDForVersion);
  visit("PrinterName", info.PrinterName);
  visit("PrinterHWID", info.PrinterHWID);
  visit("CompatibleName", info.CompatibleName);
  visit("CompatibleID", info.CompatibleID);
  visit("MustUninstallForGDP", info.MustUninstallForGDP);
  visit("UninstallerOnRestart", info.UninstallerOnRestart);
  visit("PrintWidth", info.PrintWidth);
  visit("PrinterType", info.PrinterType);
  visit("DriverDir", info.DriverDir);
  visit("INF2K", info.INF2K);
  visit("INFX64", info.INFX64);
  visit("CompatibleDriverDir", info.CompatibleDriverDir);
  visit("CompatibleINF2K", info.CompatibleINF2K);
  visit("CompatibleINFX64", info.CompatibleINFX64);
  visit("OfflineHWIDPre", info.OfflineHWIDPre);
  visit("FunctionDescribe", info.FunctionDescribe);
  visit("InstallGuide", info.InstallGuide);
  visit("QuickGuide", info.QuickGuide);
  visit("UserManual", info.UserManual);
  visit("DefaultPort", info.DefaultPort);
  visit("ForceOnlineCheck", info.ForceOnlineCheck);
  visit("PromptCheck", info.PromptCheck);
  visit("AutoMode", info.AutoMode);
  visit("QuiteMode", info.QuiteMode);
  visit("PrintProcess", info.PrintProcess);
  visit("DefaultForm", info.DefaultForm);
  visit("PreRun", info.PreRun);
  visit("InstallOCX", info.InstallOCX);
  visit("AfterRun", info.AfterRun);
  visit("AlwaysSetDefault", info.AlwaysSetDefault);
  visit("Button2Link", info.Button2Link);
  visit("Button3Link", info.Button3Link);
  visit("Button4Link", info.Button4Link);
  visit("Button5Link", info.Button5Link);
  visit("Button6Link", info.Button6Link);
  visit("BGImage", info.BGImage);
  visit("PrinterImage", info.PrinterImage);
  visit("PDFReader", info.PDFReader);
}

}  // namespace prn::config
