#include "ui/column_titles.h"

namespace prn::ui {

namespace {
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
