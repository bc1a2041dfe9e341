#include "sys/win32/files.h"

#include <windows.h>

#include "sys/win32/text.h"

namespace prn::win32 {

namespace {

constexpr size_t kSizeField = 4;

using DecompressBufferFunction = LONG(NTAPI*)(USHORT format, PUCHAR unpacked, ULONG unpackedSize, PUCHAR packed,
                                              ULONG packedSize, PULONG finalSize);

// ntdll is in every process: found, not loaded.
DecompressBufferFunction DecompressBuffer() {
  static const auto function = reinterpret_cast<DecompressBufferFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDecompressBuffer")));
  return function;
}

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

uint32_t UnpackLznt1(const void* packed, size_t size, std::string& bytes) {
  if (size < kSizeField || size > MAXDWORD) return ERROR_INVALID_DATA;
  const auto* data = static_cast<const unsigned char*>(packed);
  const ULONG unpackedSize = data[0] | data[1] << 8 | data[2] << 16 | static_cast<ULONG>(data[3]) << 24;
  const auto chunks = static_cast<ULONG>(size - kSizeField);
  if (unpackedSize == 0) {
    if (chunks != 0) return ERROR_INVALID_DATA;
    bytes.clear();
    return ERROR_SUCCESS;
  }
  const DecompressBufferFunction decompress = DecompressBuffer();
  if (!decompress) return ERROR_PROC_NOT_FOUND;
  std::string unpacked(unpackedSize, '\0');
  ULONG finalSize = 0;
  // The packed bytes are only read, though the signature does not say so.
  const LONG status = decompress(COMPRESSION_FORMAT_LZNT1, reinterpret_cast<PUCHAR>(unpacked.data()), unpackedSize,
                                 const_cast<PUCHAR>(data + kSizeField), chunks, &finalSize);
  // A stream cut at a chunk's end still decompresses, only shorter.
  if (status < 0 || finalSize != unpackedSize) return ERROR_INVALID_DATA;
  bytes = std::move(unpacked);
  return ERROR_SUCCESS;
}

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
