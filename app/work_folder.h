#pragma once
// The end of a run: the work folder goes, the empty tmp file that named it stays.

#include "app/process_values.h"

namespace prn::sys {
class FileSystem;
}

namespace prn::app {

// After the message loop: frees the printer-name lists and deletes the work folder.
void CleanupWorkFolder(ProcessValues& values, sys::FileSystem& files);

// After a failed start-up: deletes the work folder when this run created it,
// so that no extracted program is left behind.
void RemoveWorkFolderAfterFailure(ProcessValues& values, sys::FileSystem& files);

}  // namespace prn::app
