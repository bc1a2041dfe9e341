#include "app/device_id.h"

namespace prn {

ustring GetDeviceIdValue(ustring_view text, ustring_view key) {
  ustring field = ustring(key) + u":";
  size_t at = text.find(field);
  if (at == ustring_view::npos) return {};
  size_t start = at + field.size();
  size_t end = text.find(u';', start);
  return ustring(text.substr(start, end == ustring_view::npos ? ustring_view::npos : end - start));
}

}  // namespace prn
