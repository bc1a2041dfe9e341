#pragma once
// The system INF store of the simulated machine (%windir%\INF): an INF
// copied in becomes the next free oemN.inf with its .pnf beside it, and an
// INF whose identical copy is already there gets that copy's name.

#include <optional>

#include "text/ustring.h"

namespace prn::sim {

class SimFileSystem;

class SimInfStore {
 public:
  explicit SimInfStore(SimFileSystem& files, ustring folder = u"C:\\Windows\\INF")
      : files_(files), folder_(std::move(folder)) {}

  const ustring& Folder() const { return folder_; }
  // SetupCopyOEMInf: the stored copy's full path, or the error code.
  uint32_t Copy(const ustring& infPath, const std::optional<ustring>& mediaLocation, ustring& storedPath);

  uint32_t copyFailure = 0;  // every copy fails with this code

 private:
  SimFileSystem& files_;
  ustring folder_;
};

}  // namespace prn::sim
