#pragma once
// The changes an install applies to its new print queue.

#include "sys/platform.h"
#include "text/ustring.h"

namespace prn::install {

// A port named "ADDLOCAL:<name>" is a local port to create first.
constexpr char16_t kAddLocalPrefix[] = u"ADDLOCAL:";
constexpr char16_t kWinPrint[] = u"WinPrint";

struct TChangePrinterInfo {
  ustring OrgName;
  ustring NewName;    // empty, or equal to OrgName: the name stays
  ustring ShareName;  // empty: not shared
  ustring Port;       // a port that does not exist is not applied
  bool bSetDefault = false;
  ustring Process;      // empty or "WinPrint": WinPrint
  ustring DefaultForm;  // empty: the device settings stay
};

// Makes the queue the default printer (first, under its old name) and writes
// the rest in one SetPrinterW. True when the settings were written; a queue
// that cannot be opened is left as it is. A form name that does not fit the
// device mode's 32 characters is not applied.
bool ApplyChangePrinterInfo(const sys::Platform& platform, const TChangePrinterInfo& info);

}  // namespace prn::install
