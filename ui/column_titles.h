#pragma once
// Column captions written in the language file as one text.

#include "text/ustring.h"

namespace prn::ui {

// Items are separated by "|" or, outside double quotes, by blanks; an item in
// double quotes keeps its blanks and loses the quotes ("" inside is one quote).
StringList SplitColumnTitles(ustring_view text);

// The captions for a list of `columns` columns from the option's value: none
// when the option is empty or missing (the lookup's default "32769"), and
// never more than there are columns.
StringList ColumnTitlesFromOption(ustring_view option, size_t columns);

}  // namespace prn::ui
