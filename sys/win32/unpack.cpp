#include "sys/win32/unpack.h"

#include <windows.h>

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

}  // namespace prn::win32
