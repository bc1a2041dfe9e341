#pragma once
// Files that the build packed into the executable (tools/lznt1-pack): the
// unpacked size as four bytes, little-endian, then LZNT1 chunks, which
// ntdll's RtlDecompressBuffer has read on every Windows since XP.

#include <cstddef>
#include <cstdint>
#include <string>

namespace prn::win32 {

// Unpacks `size` bytes at `packed` into `bytes`. Answers a Windows error code:
// ERROR_INVALID_DATA when they are not one whole packed file of the size it
// declares, ERROR_PROC_NOT_FOUND where ntdll has no RtlDecompressBuffer.
uint32_t UnpackLznt1(const void* packed, size_t size, std::string& bytes);

}  // namespace prn::win32
