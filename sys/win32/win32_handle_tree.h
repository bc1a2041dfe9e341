#pragma once
// Deleting a folder tree through handles: each entry is opened without
// following a link and deleted only when the system confirms, from its
// handle, that it lies inside the folder. A link is deleted itself; what it
// points to is never entered.

#include <windows.h>

#include <cstdint>

namespace prn::win32 {

// `folder` is open with FILE_LIST_DIRECTORY and DELETE access. Deletes what
// is in it and then the folder itself; answers the first Windows error code.
uint32_t DeleteTreeByHandle(HANDLE folder);

}  // namespace prn::win32
