#pragma once
// The real file system.

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

}  // namespace prn::win32
