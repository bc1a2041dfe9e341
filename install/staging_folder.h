#pragma once
// Where a driver package is staged: <Program Files>\<maker>\Printer Drivers\<model>.
// The folder is deleted recursively with administrator rights, so the names
// that build it come from data and are checked before they aim anything.

#include "text/ustring.h"

namespace prn::install {

struct StagingFolder {
  ustring root;    // <Program Files>\<maker>\Printer Drivers
  ustring folder;  // root\<model>
};

// True when `name` can stand as one folder name: not empty, no path
// separators, drive colons, wildcards, quotes or control characters, not "."
// or "..", no trailing blank or dot (Windows would drop it and name another
// folder) and no device name such as CON or LPT1.
bool IsPlainFolderName(ustring_view name);

// The spelling of a maker or model name as a folder name: "/" and ":" (a
// model "C5030/5035 PCL6") and a trailing "." or blank cannot stand in one,
// so they become "%2F", "%3A", "%2E" and "%20"; "%" itself becomes "%25", so
// that two names never share a folder. The name itself, as the spooler sees
// it, is not touched.
ustring FolderNameFor(ustring_view name);

// Builds the staging folder from the folder spellings of maker and model;
// raises prn::Error with a clear text when the Program Files folder is not
// an absolute path or a spelling is still not a plain folder name.
StagingFolder MakeStagingFolder(ustring_view programFiles, ustring_view maker, ustring_view model);

// True when the full path `target` lies strictly inside the full path `root`.
bool LiesUnder(ustring_view target, ustring_view root);

}  // namespace prn::install
