#pragma once
// Process-wide protections that an elevated installer turns on before it
// loads anything: DLLs only from System32, a safe search order, termination
// on heap corruption and DEP. Each is looked up at run time, so a system that
// lacks one still starts.

namespace prn::win32 {

struct HardeningResult {
  bool dllDirectories = false;  // SetDefaultDllDirectories(System32 only)
  bool dllSearchPath = false;   // SetDllDirectoryW(""): no current directory
  bool searchPathMode = false;  // SetSearchPathMode(safe, permanent)
  bool heapTermination = false; // HeapSetInformation(terminate on corruption)
  bool dep = false;             // SetProcessDEPPolicy (32-bit processes only)
};

// Turns them on and traces which took, so that the trace of a program as it
// was started shows it (its entry calls this first of all).
HardeningResult HardenProcess();

}  // namespace prn::win32
