// A library a USB port library depends on, shipped beside it in the package.
#include <windows.h>

extern "C" __declspec(dllexport) int PrnUsbDependencyCount() { return 1; }
