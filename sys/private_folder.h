#pragma once
// A folder this run created for itself, that only Administrators and SYSTEM
// may change. The programs written into it stay open with read sharing only,
// so that nobody replaces them before they are loaded or started, and the
// folder is removed by what it holds, never through a link planted in it.

#include <cstdint>
#include <string>

#include "text/ustring.h"

namespace prn::sys {

class PrivateFolder {
 public:
  virtual ~PrivateFolder() = default;  // releases the held files; the folder stays

  virtual const ustring& Path() const = 0;
  // Writes a new file at `path` (inside the folder) and holds it open with
  // read sharing only until Remove. A file that exists is refused
  // (ERROR_FILE_EXISTS). Answers a Windows error code.
  virtual uint32_t WriteHeldFile(const ustring& path, const std::string& bytes) = 0;
  // Releases the held files and deletes the folder with everything in it.
  // What is not verifiably inside it (the target of a link) is left alone;
  // a link is removed itself. Answers a Windows error code.
  virtual uint32_t Remove() = 0;
};

}  // namespace prn::sys
