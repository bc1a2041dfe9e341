#pragma once
// The OEM branding values and dialog texts of the language file.

#include <cstdint>
#include <string_view>

#include "text/ustring.h"

namespace prn::config {

struct TStrInstaller {
  int32_t CompanyIndex = 0;
  ustring OEMManufactor;
  ustring OEMBMLogo;
  ustring OEMLogoUrl;
  ustring OEMMainTitle;
  ustring OEMColor;
  ustring Loading;
  ustring Installing;
  ustring InstallEnd;
  ustring NoticeTitle;
  ustring ErrorTitle;
  ustring ClickInstallToStart;
  ustring SelectAPrinterDriver;
  ustring InstallBeforeNeedUninstall;
  ustring BeforeInstallPrompt;
  ustring ExistSamePrinterAndUpdate;
  ustring DeletePrinterIsPrinting;
  ustring InstallSuccessStr;
  ustring InstallCancelStr;
  ustring InstallFailStr;
  ustring InstallFailCode;
  ustring InstallFailReasonUnknow;
  ustring RestartPrompt;
  ustring InstallOnline;
  ustring InstallRetry;
  ustring CMDParameterError;
  ustring BeforeUnInstallPrompt;
  ustring DeletePrinterSucceed;
  ustring DeletePrinterError;
  ustring DeletePrinterDriverError;
  ustring RestartWindowsimmediately;
  ustring DeletePrinterPrompt;
  ustring UnInstallDriverPrompt;
  ustring AddPortSucced;
  ustring AddPortFail;
  ustring HasConnectPrinter;
  ustring PrinterStatusOnline;
  ustring PrinterStatusOffline;
  ustring NotPDFReaderInstall;
  ustring NotPDFReaderInstall2;
  ustring NotFileReaderInstall;
  ustring FileOrPathNotExist;
};

// Visits the branding fields and then every dialog text, in declaration order.
template <typename Visitor>
void VisitFields(const TStrInstaller& s, Visitor&& visit);

// How each dialog text is read: its field, its key in [DialogText], its
// default, and whether "\r\n" in the file becomes a real line break.
struct DialogTextField {
  ustring TStrInstaller::*field;
  const char* key;
  const char16_t* defaultValue;
  bool breaks;
};

// The dialog texts in declaration order.
const DialogTextField* DialogTextFields(size_t& count);

// A dialog text the installer fills values into: its key, the placeholders
// it fills ("%s%s") and what they stand for, in order.
struct DialogTextPattern {
  const char* key;
  const char16_t* placeholders;
  const char16_t* values;
};

// The pattern of that dialog text; nullptr for a text shown as written.
const DialogTextPattern* FindDialogTextPattern(std::string_view key);

template <typename Visitor>
void VisitFields(const TStrInstaller& s, Visitor&& visit) {
  visit("CompanyIndex", s.CompanyIndex);
  visit("OEMManufactor", s.OEMManufactor);
  visit("OEMBMLogo", s.OEMBMLogo);
  visit("OEMLogoUrl", s.OEMLogoUrl);
  visit("OEMMainTitle", s.OEMMainTitle);
  visit("OEMColor", s.OEMColor);
  size_t count = 0;
  const DialogTextField* fields = DialogTextFields(count);
  for (size_t i = 0; i < count; ++i) visit(fields[i].key, s.*(fields[i].field));
}

}  // namespace prn::config
