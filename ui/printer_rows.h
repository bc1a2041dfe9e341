#pragma once
// What the manager's printer list shows: one row per local printer or
// connection, sorted, without fax queues and connections to other computers,
// under the column captions the language file writes as one text.

#include <vector>

#include "config/str_installer.h"
#include "text/ustring.h"

namespace prn::sys {
class Spooler;
}

namespace prn::ui {

// Images of the printer list; offline adds kOfflineImageOffset.
namespace printer_image {
constexpr int Plain = 0;
constexpr int Default = 1;
constexpr int Server = 2;
constexpr int ServerDefault = 3;
constexpr int OfflineOffset = 5;
constexpr int Count = 9;  // 0-3 and 5-8; 4 is never used
}  // namespace printer_image

struct PrinterRow {
  ustring name;
  ustring port;
  ustring status;
  int image = printer_image::Plain;
};

struct PrinterRows {
  std::vector<PrinterRow> rows;
  int defaultIndex = -1;  // row of the default printer, -1 when it is not listed
};

// A printer that cannot be opened or read is left out. The default printer's
// name is read whole, however long it is.
PrinterRows BuildPrinterRows(sys::Spooler& spooler, const config::TStrInstaller& texts);

// Items are separated by "|" or, outside double quotes, by blanks; an item in
// double quotes keeps its blanks and loses the quotes ("" inside is one quote).
StringList SplitColumnTitles(ustring_view text);

// The captions for a list of `columns` columns from the option's value: none
// when the option is empty or missing (the lookup's default "32769"), and
// never more than there are columns.
StringList ColumnTitlesFromOption(ustring_view option, size_t columns);

}  // namespace prn::ui
