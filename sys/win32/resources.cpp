#include "sys/win32/resources.h"

#include "sys/win32/text.h"
#include "sys/win32/unpack.h"

namespace prn::win32 {

namespace {

// The resource type under which the build stores a carried file packed.
constexpr wchar_t kPackedType[] = L"LZNT1";

// The bytes of a found resource: part of the image, nothing to free.
uint32_t Locate(HRSRC found, const char*& data, DWORD& size) {
  size = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);
  data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return !data && size != 0 ? GetLastError() : ERROR_SUCCESS;
}

}  // namespace

uint32_t Win32Resources::ReadRcData(const ustring& name, std::string& bytes) const {
  const char* data = nullptr;
  DWORD size = 0;
  if (HRSRC packed = FindResourceW(nullptr, W(name), kPackedType)) {
    if (uint32_t code = Locate(packed, data, size)) return code;
    return UnpackLznt1(data, size, bytes);
  }
  HRSRC found = FindResourceW(nullptr, W(name), RT_RCDATA);
  if (!found) {
    DWORD code = GetLastError();
    return code != ERROR_SUCCESS ? code : ERROR_RESOURCE_NAME_NOT_FOUND;
  }
  if (uint32_t code = Locate(found, data, size)) return code;
  bytes.assign(data, size);
  return ERROR_SUCCESS;
}

}  // namespace prn::win32
