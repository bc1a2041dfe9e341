// A PLP_RW.DLL that imports a library of its own folder, as a vendor's may.
#include <windows.h>

extern "C" __declspec(dllimport) int PrnUsbDependencyCount();

extern "C" __declspec(dllexport) int WINAPI USBPrintRefresh() { return PrnUsbDependencyCount(); }

extern "C" __declspec(dllexport) int WINAPI GetUSBHWID(int, char* port, int portSize, char* deviceId,
                                                       int deviceIdSize) {
  if (portSize > 0) port[0] = '\0';
  if (deviceIdSize > 0) deviceId[0] = '\0';
  return 0;
}
