#pragma once
// The two list operations with which an install finds the print queue it
// added: keep the names of the model, then drop the ones that were there before.
// Case-insensitive means ASCII a-z only.

#include "text/ustring.h"

namespace prn {

// Keeps only the items that begin with `prefix`, in their order. An empty
// prefix keeps nothing.
void FilterByPrefix(StringList& list, ustring_view prefix);

// Removes from `a` every item equal to some item of `b` (duplicates too).
// Nothing happens when either list is empty.
void RemoveListed(StringList& a, const StringList& b);

}  // namespace prn
