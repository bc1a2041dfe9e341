#pragma once
// Which program file a process start runs, found as CreateProcessW finds it:
// the application name as given, else the command line's program name: a
// quoted name whole; an unquoted one tried up to each blank in turn
// ("C:\Program Files\x.exe" tries C:\Program.exe first); ".exe" added when
// the name has no extension; a bare name searched in the program's folder,
// the current directory, System32 and the Windows folder.

#include "text/ustring.h"

namespace prn::sys {
class FileSystem;
}

namespace prn::sim {

struct ProgramFolders {
  ustring executableFolder;  // of the program that starts the process
  ustring systemDirectory;
};

// The program's full path; empty when no such file exists.
ustring FindProgramFile(const sys::FileSystem& files, const ProgramFolders& folders, ustring_view applicationName,
                        ustring_view commandLine);

}  // namespace prn::sim
