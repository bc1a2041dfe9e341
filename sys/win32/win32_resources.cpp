#include "sys/win32/win32_resources.h"

#include "sys/win32/win32_text.h"

namespace prn::win32 {

uint32_t Win32Resources::ReadRcData(const ustring& name, std::string& bytes) const {
  HRSRC found = FindResourceW(nullptr, W(name), RT_RCDATA);
  if (!found) {
    DWORD code = GetLastError();
    return code != ERROR_SUCCESS ? code : ERROR_RESOURCE_NAME_NOT_FOUND;
  }
  DWORD size = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);  // part of the image: nothing to free
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data && size != 0) return GetLastError();
  bytes.assign(static_cast<const char*>(data), size);
  return ERROR_SUCCESS;
}

}  // namespace prn::win32
