#pragma once
// The simulated machine's disks: Windows paths mapped into a host folder
// ("C:\Temp\x" → <host>/C/Temp/x). Writes under chosen folders can be made
// to fail, as on a locked or full disk. A link (a junction) is a symbolic
// link of the host: paths through it lead to its target, as on Windows.

#include <filesystem>
#include <map>
#include <set>

#include "sys/files.h"

namespace prn::sim {

class SimFileSystem : public sys::FileSystem {
 public:
  explicit SimFileSystem(std::filesystem::path hostRoot);

  void SetCurrentDirectory(const ustring& path) { current_ = path; }
  // Lets a drive ("P:") stand for a host folder instead of a folder of the machine.
  void Mount(const ustring& drive, std::filesystem::path hostFolder);
  // Every write, folder creation or deletion at or below `folder` fails with `code`.
  void FailWritesUnder(const ustring& folder, uint32_t code);
  // A file held open with read sharing only: writing, removing or deleting
  // it (or a folder around it) fails with ERROR_SHARING_VIOLATION until released.
  void Hold(const ustring& path);
  void Release(const ustring& path);
  // A folder held open with delete access and no delete sharing: no process
  // can open it as its current directory until it is released.
  void HoldFolder(const ustring& path);
  void ReleaseFolder(const ustring& path);
  bool FolderHeldForDelete(const ustring& path) const;
  // A junction at `link` that leads to the folder `target` (made by anyone;
  // the standard user's own temporary folder allows it).
  uint32_t CreateLink(const ustring& link, const ustring& target);
  // True when some folder on the way to `path`, or `path` itself, is a link.
  bool LeadsThroughLink(const ustring& path) const;
  // The host path that stands for a Windows path.
  std::filesystem::path HostPath(const ustring& path) const;

  bool FileExists(const ustring& path) const override;
  bool DirectoryExists(const ustring& path) const override;
  uint32_t CreateDirectories(const ustring& path) override;
  uint32_t WriteFile(const ustring& path, const std::string& bytes) override;
  uint32_t ReadFile(const ustring& path, std::string& bytes) const override;
  uint32_t RemoveFile(const ustring& path) override;
  uint32_t CopyTree(const ustring& from, const ustring& to) override;
  uint32_t DeleteTree(const ustring& path) override;
  uint32_t MoveFolder(const ustring& from, const ustring& to) override;
  bool IsLink(const ustring& path) const override;
  std::vector<ustring> ListFiles(const ustring& folder, const ustring& pattern) const override;
  ustring FullPath(const ustring& path) const override;
  ustring CurrentDirectory() const override { return current_; }

 private:
  uint32_t WriteBlocked(const ustring& path) const;

  std::filesystem::path hostRoot_;
  ustring current_ = u"C:\\";
  std::map<ustring, uint32_t> failingFolders_;
  std::map<ustring, std::filesystem::path> mounts_;
  std::set<ustring> held_;  // upper-cased full paths
  std::set<ustring> heldFolders_;
};

// Maps a host error to the Windows code the same failure gives.
uint32_t WindowsCodeOf(const std::error_code& ec);

}  // namespace prn::sim
