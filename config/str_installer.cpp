#include "config/str_installer.h"

namespace prn::config {

namespace {

#define PRN_TEXT(name, def, breaks) {&TStrInstaller::name, #name, def, breaks}

const DialogTextField kFields[] = {
    PRN_TEXT(Loading, u"Loading", false),
    PRN_TEXT(Installing, u"Installing", false),
    PRN_TEXT(InstallEnd, u"Install end", false),
    PRN_TEXT(NoticeTitle, u"Notice", false),
    PRN_TEXT(ErrorTitle, u"Error", false),
    PRN_TEXT(ClickInstallToStart, u"", true),
    PRN_TEXT(SelectAPrinterDriver, u"", true),
    PRN_TEXT(InstallBeforeNeedUninstall, u"", true),
    PRN_TEXT(BeforeInstallPrompt, u"", true),
    PRN_TEXT(ExistSamePrinterAndUpdate, u"", true),
    PRN_TEXT(DeletePrinterIsPrinting, u"", true),
    PRN_TEXT(InstallSuccessStr, u"", true),
    PRN_TEXT(InstallCancelStr, u"", true),
    PRN_TEXT(InstallFailStr, u"", true),
    PRN_TEXT(InstallFailCode, u"", true),
    PRN_TEXT(InstallFailReasonUnknow, u"", true),
    PRN_TEXT(RestartPrompt, u"", true),
    PRN_TEXT(InstallOnline, u"", true),
    PRN_TEXT(InstallRetry, u"", true),
    PRN_TEXT(CMDParameterError, u"", true),
    PRN_TEXT(BeforeUnInstallPrompt, u"", true),
    PRN_TEXT(DeletePrinterSucceed, u"", true),
    PRN_TEXT(DeletePrinterError, u"", true),
    PRN_TEXT(DeletePrinterDriverError, u"", true),
    PRN_TEXT(RestartWindowsimmediately, u"", true),
    PRN_TEXT(DeletePrinterPrompt, u"", true),
    PRN_TEXT(UnInstallDriverPrompt, u"", true),
    PRN_TEXT(AddPortSucced, u"", true),
    PRN_TEXT(AddPortFail, u"", true),
    PRN_TEXT(HasConnectPrinter, u"Connected", true),
    PRN_TEXT(PrinterStatusOnline, u"Online", true),
    PRN_TEXT(PrinterStatusOffline, u"Offline", true),
    PRN_TEXT(NotPDFReaderInstall, u"", true),
    PRN_TEXT(NotPDFReaderInstall2, u"", true),
    PRN_TEXT(NotFileReaderInstall, u"", true),
    PRN_TEXT(FileOrPathNotExist, u"", true),
};

#undef PRN_TEXT

const DialogTextPattern kPatterns[] = {
    {"InstallSuccessStr", u"%s%s", u"the printer's name, then its port"},
    {"InstallFailStr", u"%s", u"the system's error text"},
    {"InstallOnline", u"%s", u"the port to connect"},
    {"NotFileReaderInstall", u"%s", u"the document's file suffix"},
    {"InstallFailCode", u"%.8x", u"the error code"},
};

}  // namespace

const DialogTextField* DialogTextFields(size_t& count) {
  count = sizeof kFields / sizeof kFields[0];
  return kFields;
}

const DialogTextPattern* FindDialogTextPattern(std::string_view key) {
  for (const DialogTextPattern& pattern : kPatterns) {
    if (key == pattern.key) return &pattern;
  }
  return nullptr;
}

}  // namespace prn::config
