#pragma once
// The size-query pattern of winspool: ask with no buffer to learn the size,
// then fetch with a buffer of that size (again if the data grew meanwhile).
// With a caller-given size the call is made once with a buffer that large.

#include <windows.h>

#include <vector>

#include "sys/spooler.h"
#include "sys/win32/spooler_records.h"

namespace prn::win32 {

// `call(buffer, size, &needed)` is one winspool call returning its BOOL.
template <typename Call>
bool FetchBuffer(std::vector<BYTE>& buffer, DWORD& needed, sys::BufferBytes fixed, Call call) {
  needed = 0;
  if (fixed) {
    buffer.assign(*fixed, 0);
    return call(buffer.empty() ? nullptr : buffer.data(), *fixed, &needed);
  }
  buffer.clear();
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    if (call(buffer.empty() ? nullptr : buffer.data(), size, &needed)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return false;
    buffer.assign(needed, 0);
  }
  return false;
}

// An enumeration: `call(buffer, size, &needed, &returned)`; each of the
// `returned` structures of type Native is turned into a portable record.
template <typename Native, typename Call>
auto FetchRecords(sys::BufferBytes fixed, Call call) {
  using Record = decltype(FromWin32(std::declval<const Native&>()));
  sys::Enumeration<Record> result;
  std::vector<BYTE> buffer;
  DWORD needed = 0;
  DWORD returned = 0;
  result.ok = FetchBuffer(buffer, needed, fixed,
                          [&](LPBYTE data, DWORD size, DWORD* need) { return call(data, size, need, &returned); });
  result.bytesNeeded = needed;
  if (!result.ok) return result;
  auto natives = reinterpret_cast<const Native*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) result.records.push_back(FromWin32(natives[i]));
  return result;
}

}  // namespace prn::win32
