#include "install/detection_rules.h"

#include "sys/win_errors.h"

namespace prn::install {

ProbeReading ReadProbeCode(uint32_t code) {
  switch (code) {
    case 0:
      return ProbeReading::DriverInPlace;
    case winerr::FileNotFound:
    case winerr::AccessDenied:
    case winerr::NoMoreItems:
    case winerr::TrustNoSignature:
    case winerr::NoCatalogForOemInf:
      return ProbeReading::Attached;
    default:
      return ProbeReading::NotAttached;
  }
}

bool NeedsFollowUpCheck(uint32_t code) {
  return code == winerr::FileNotFound || code == winerr::AccessDenied || code == winerr::NoCatalogForOemInf ||
         code == winerr::TrustNoSignature;
}

ustring PortFromInstanceId(ustring_view id) {
  // Without the "&USB"/"&LPT" marker the characters are taken from the start.
  auto after = [&](ustring_view marker) -> size_t {
    size_t pos = id.find(marker);
    return pos == ustring_view::npos ? 0 : pos + 1;
  };
  if (id.find(u"USBPRINT") != ustring_view::npos) return ustring(id.substr(after(u"&USB"), 6));
  if (id.find(u"LPTENUM") != ustring_view::npos) return ustring(id.substr(after(u"&LPT"), 4)) + u":";
  return {};
}

uint32_t ParseRetValue(ustring_view text) {
  if (text.empty()) return winerr::ProcessAborted;
  size_t i = 0;
  bool negative = false;
  if (text[0] == u'-' || text[0] == u'+') {
    negative = text[0] == u'-';
    i = 1;
  }
  if (i >= text.size()) return winerr::ProcessAborted;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return winerr::ProcessAborted;
    value = value * 10 + (text[i] - u'0');
  }
  if (negative) value = 0 - value;
  return static_cast<uint32_t>(value);
}

}  // namespace prn::install
