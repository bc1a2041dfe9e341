#pragma once
// The real file system, and the files the running executable carries: as
// RCDATA resources, or packed by the build (tools/lznt1-pack) as the
// unpacked size in four bytes, little-endian, then LZNT1 chunks, which
// ntdll's RtlDecompressBuffer has read on every Windows since XP.

#include <cstddef>
#include <cstdint>
#include <string>

#include "sys/files.h"

namespace prn::win32 {

class Win32FileSystem : public sys::FileSystem {
 public:
  bool FileExists(const ustring& path) const override;
  bool DirectoryExists(const ustring& path) const override;
  uint32_t CreateDirectories(const ustring& path) override;
  uint32_t WriteFile(const ustring& path, const std::string& bytes) override;
  uint32_t ReadFile(const ustring& path, std::string& bytes) const override;
  uint32_t RemoveFile(const ustring& path) override;
  uint32_t CopyTree(const ustring& from, const ustring& to) override;
  bool UsableFromAnyThread() const override { return true; }
  uint32_t DeleteTree(const ustring& path) override;
  uint32_t MoveFolder(const ustring& from, const ustring& to) override;
  bool IsLink(const ustring& path) const override;
  std::vector<ustring> ListFiles(const ustring& folder, const ustring& pattern) const override;
  ustring FullPath(const ustring& path) const override;
  ustring CurrentDirectory() const override;
};

class Win32Resources : public sys::Resources {
 public:
  uint32_t ReadRcData(const ustring& name, std::string& bytes) const override;
};

// Unpacks `size` bytes at `packed` into `bytes`. Answers a Windows error code:
// ERROR_INVALID_DATA when they are not one whole packed file of the size it
// declares, ERROR_PROC_NOT_FOUND where ntdll has no RtlDecompressBuffer.
uint32_t UnpackLznt1(const void* packed, size_t size, std::string& bytes);

}  // namespace prn::win32
