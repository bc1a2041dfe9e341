#include "install/list_filters.h"

#include <algorithm>

#include "text/ascii.h"

namespace prn {

void FilterByPrefix(StringList& list, ustring_view prefix) {
  if (prefix.empty()) {
    list.clear();
    return;
  }
  std::erase_if(list, [&](const ustring& item) { return !StartsWithNoCase(item, prefix); });
}

void RemoveListed(StringList& a, const StringList& b) {
  if (a.empty() || b.empty()) return;
  std::erase_if(a, [&](const ustring& item) {
    return std::any_of(b.begin(), b.end(), [&](const ustring& other) { return EqualsNoCase(item, other); });
  });
}

}  // namespace prn
