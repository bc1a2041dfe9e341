#include "sys/system_queries.h"

#include "sys/system_info.h"
#include "text/ascii.h"
#include "text/format.h"

namespace prn::sys {

ustring LanguageCodeSuffix(ustring_view prefix, ustring_view code, const sys::SystemInfo& system) {
  const ustring upper = AsciiUpper(code);
  if (upper == u"EN") return ustring(prefix) + u"EN";
  if (upper == u"SC") return ustring(prefix) + u"CN";
  if (upper == u"TC") return ustring(prefix) + u"CHT";
  switch (system.SystemDefaultLangId()) {
    case 0x0404: case 0x0C04: case 0x1404:
      return ustring(prefix) + u"CHT";
    case 0x0804: case 0x1004:
      return ustring(prefix) + u"CN";
    default:
      return ustring(prefix) + u"EN";
  }
}

int32_t GetWinVer(const sys::SystemInfo& system) {
  auto version = system.Version();
  if (!version) return 0;
  return static_cast<int32_t>(version->major * 10 + version->minor);
}

bool IsWow64(const sys::SystemInfo& system) { return system.Wow64Flag().value_or(false); }

ustring SystemErrorText(const sys::SystemInfo& system, uint32_t code, const ustring& subject) {
  ustring message = system.ErrorMessage(code);
  if (message.empty()) message = Format(u"Windows error %u (0x%.8X).", {code, code});
  return subject.empty() ? message : message + u"\r\n" + subject;
}

}  // namespace prn::sys
