#pragma once
// Stages the selected entry's driver package under Program Files (unless the
// staged copy is of the same driver version) and registers its INF.

#include "install/staging_context.h"

namespace prn::install {

// Flags of the shell deletion of an old staging folder (0x414).
constexpr uint32_t kStagingDeleteFlags = 0x414;

// True when the package is staged and registered; `strOemInf` is then the INF
// to install from. A new copy is made beside the staging folder, checked and
// renamed into place, so a failed copy never stands there. Raises prn::Error
// with a clear text when the staging folder's names are not plain folder
// names, when the driver folder lies outside the package or behind a link,
// when the copy or its move into place fails, when an INF cannot be read,
// or when the DriverVer dates are unreadable.
bool BufferDriverFiles(const StagingContext& run, ustring& strOemInf);

}  // namespace prn::install
