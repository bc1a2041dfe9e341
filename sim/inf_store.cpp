#include "sim/inf_store.h"

#include "sim/files.h"
#include "sys/win_errors.h"
#include "text/winpath.h"

namespace prn::sim {

uint32_t SimInfStore::Copy(const ustring& infPath, const std::optional<ustring>& mediaLocation,
                           ustring& storedPath) {
  if (copyFailure != 0) return copyFailure;
  std::string bytes;
  if (!files_.FileExists(infPath)) return winerr::FileNotFound;
  if (uint32_t status = files_.ReadFile(infPath, bytes)) return status;
  if (uint32_t status = files_.CreateDirectories(folder_)) return status;

  for (int number = 0;; ++number) {
    ustring name = u"oem" + ToDecimal(number);
    ustring candidate = JoinPath(folder_, name + u".inf");
    if (files_.FileExists(candidate)) {
      std::string existing;
      if (files_.ReadFile(candidate, existing) == 0 && existing == bytes) {
        storedPath = candidate;
        return 0;
      }
      continue;
    }
    if (uint32_t status = files_.WriteFile(candidate, bytes)) return status;
    // The precompiled INF remembers where the INF came from.
    files_.WriteFile(JoinPath(folder_, name + u".pnf"), ToUtf8(mediaLocation.value_or(FolderPart(infPath))));
    storedPath = candidate;
    return 0;
  }
}

}  // namespace prn::sim
