#pragma once
// Deleting a folder tree through handles: each entry is opened without
// following a link and deleted only when the system confirms, from its
// handle, that it lies inside the folder. A link is deleted itself; what it
// points to is never entered.

#include <windows.h>

#include <cstdint>

#include "trace/win32/final_path.h"

namespace prn::win32 {

// `folder` is open with FILE_LIST_DIRECTORY and DELETE access. Deletes what
// is in it and then the folder itself; answers the first Windows error code.
// `finalPath` is how handles tell their paths (see FinalPathOf).
uint32_t DeleteTreeByHandle(HANDLE folder, FinalPathFunction finalPath = SystemFinalPathFunction());

}  // namespace prn::win32
