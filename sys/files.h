#pragma once
// The file system, with Windows paths ("C:\Program Files\…"), and the files
// the executable carries. Operations that can fail answer a Windows error
// code (0 on success).

#include <cstdint>
#include <string>
#include <vector>

#include "text/ustring.h"

namespace prn::sys {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const ustring& path) const = 0;       // exists and is no folder
  virtual bool DirectoryExists(const ustring& path) const = 0;

  // Creates the folder and every missing parent.
  virtual uint32_t CreateDirectories(const ustring& path) = 0;
  // Writes the bytes, replacing a file of the same name.
  virtual uint32_t WriteFile(const ustring& path, const std::string& bytes) = 0;
  virtual uint32_t ReadFile(const ustring& path, std::string& bytes) const = 0;
  virtual uint32_t RemoveFile(const ustring& path) = 0;
  // Copies a folder with all files and subfolders, overwriting files.
  virtual uint32_t CopyTree(const ustring& from, const ustring& to) = 0;
  // Deletes a folder with everything in it.
  virtual uint32_t DeleteTree(const ustring& path) = 0;
  // Renames a folder on the same volume; a folder that is there already at
  // `to` is not replaced (ERROR_ALREADY_EXISTS).
  virtual uint32_t MoveFolder(const ustring& from, const ustring& to) = 0;
  // True when `path` itself is a link (a junction or symbolic link), wherever it leads.
  virtual bool IsLink(const ustring& path) const = 0;
  // Names (not paths) of the files in `folder` matching a pattern with '*' and '?'.
  virtual std::vector<ustring> ListFiles(const ustring& folder, const ustring& pattern) const = 0;

  // A path expanded against the current directory (GetFullPathNameW).
  virtual ustring FullPath(const ustring& path) const = 0;
  virtual ustring CurrentDirectory() const = 0;

  // True when calls may come from several threads at once.
  virtual bool UsableFromAnyThread() const { return false; }
};

// The resources that the executable carries.
class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of the file that the executable carries as `name`: an RCDATA
  // (type 10) resource, or one that the build packed, unpacked here. Answers
  // a Windows error code: ERROR_RESOURCE_NAME_NOT_FOUND when the executable
  // has none, ERROR_INVALID_DATA when a packed one does not unpack whole.
  virtual uint32_t ReadRcData(const ustring& name, std::string& bytes) const = 0;
};

}  // namespace prn::sys
