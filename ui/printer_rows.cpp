#include "ui/printer_rows.h"

#include <algorithm>

#include "spooler/printer_queries.h"
#include "sys/spooler.h"
#include "text/ascii.h"

namespace prn::ui {

namespace {

bool Skipped(const ustring& name) {
  return AsciiUpper(name) == u"FAX" || name.rfind(u"\\\\", 0) == 0;
}

bool LessNoCase(const ustring& a, const ustring& b) {
  const ustring upperA = AsciiUpper(a);
  const ustring upperB = AsciiUpper(b);
  return upperA != upperB ? upperA < upperB : a < b;
}

// Column captions.
constexpr char16_t kDelimiter = u'|';
constexpr char16_t kQuote = u'"';
constexpr char16_t kMissingOption[] = u"32769";

bool Blank(char16_t c) { return c <= u' '; }

void SkipBlanks(ustring_view text, size_t& i) {
  while (i < text.size() && Blank(text[i])) ++i;
}

ustring QuotedItem(ustring_view text, size_t& i) {
  ustring item;
  for (++i; i < text.size(); ++i) {
    if (text[i] != kQuote) {
      item += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == kQuote) {
      item += kQuote;
      ++i;
    } else {
      ++i;
      break;
    }
  }
  return item;
}

ustring PlainItem(ustring_view text, size_t& i) {
  const size_t start = i;
  while (i < text.size() && text[i] != kDelimiter && !Blank(text[i])) ++i;
  return ustring(text.substr(start, i - start));
}

}  // namespace

PrinterRows BuildPrinterRows(sys::Spooler& spooler, const config::TStrInstaller& texts) {
  PrinterRows result;
  ustring defaultName;
  if (!spooler.ReadDefaultPrinter(defaultName)) defaultName.clear();

  StringList names;
  spooler::GetPrinterList(spooler, &names);
  std::sort(names.begin(), names.end(), LessNoCase);

  for (const ustring& name : names) {
    if (Skipped(name)) continue;
    auto printer = spooler.OpenPrinterHandle(name);
    sys::PRINTER_INFO_2W info;
    if (!printer || !printer->GetInfo2(info)) continue;

    PrinterRow row{name, info.pPortName, texts.PrinterStatusOnline, printer_image::Plain};
    const bool isDefault = !defaultName.empty() && EqualsNoCase(name, defaultName);
    if (isDefault) {
      result.defaultIndex = static_cast<int>(result.rows.size());
      row.image = printer_image::Default;
    }
    if (!info.pServerName.empty()) row.image = isDefault ? printer_image::ServerDefault : printer_image::Server;
    if (info.Attributes & sys::spool::AttributeWorkOffline) {
      row.status = texts.PrinterStatusOffline;
      row.image += printer_image::OfflineOffset;
    }
    result.rows.push_back(std::move(row));
  }
  return result;
}

StringList SplitColumnTitles(ustring_view text) {
  StringList items;
  size_t i = 0;
  SkipBlanks(text, i);
  while (i < text.size()) {
    items.push_back(text[i] == kQuote ? QuotedItem(text, i) : PlainItem(text, i));
    SkipBlanks(text, i);
    if (i < text.size() && text[i] == kDelimiter) {
      ++i;
      SkipBlanks(text, i);
      if (i == text.size()) items.emplace_back();  // a trailing "|" ends with an empty item
    }
  }
  return items;
}

StringList ColumnTitlesFromOption(ustring_view option, size_t columns) {
  if (option.empty() || option == kMissingOption) return {};
  StringList titles = SplitColumnTitles(option);
  if (titles.size() > columns) titles.resize(columns);
  return titles;
}

}  // namespace prn::ui
