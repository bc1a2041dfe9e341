#pragma once
// The few ntdll calls that stand in for kernel32 calls Windows XP lacks.
// ntdll has exported them since NT and is mapped into every process, so
// they are found there at run time, never imported: the shipped programs
// import only core DLLs. Header-only; with the trace, the lowest layer that
// needs them, and for sys/win32 above it.

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace prn::win32::ntdll {

constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006);

using QueryDirectoryFileFunction = NTSTATUS(NTAPI*)(HANDLE file, HANDLE event, PIO_APC_ROUTINE apc, PVOID apcContext,
                                                    PIO_STATUS_BLOCK status, PVOID buffer, ULONG length,
                                                    FILE_INFORMATION_CLASS kind, BOOLEAN singleEntry,
                                                    PUNICODE_STRING mask, BOOLEAN restart);
using SetInformationFileFunction = NTSTATUS(NTAPI*)(HANDLE file, PIO_STATUS_BLOCK status, PVOID buffer, ULONG length,
                                                    FILE_INFORMATION_CLASS kind);
using QueryObjectFunction = NTSTATUS(NTAPI*)(HANDLE object, OBJECT_INFORMATION_CLASS kind, PVOID buffer,
                                             ULONG length, PULONG needed);

template <typename Function>
Function Entry(const char* name) {
  HMODULE module = GetModuleHandleW(L"ntdll.dll");
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The Windows error code that kernel32 would have answered for `status`.
inline uint32_t ErrorOf(NTSTATUS status) {
  using ToErrorFunction = ULONG(NTAPI*)(NTSTATUS);
  static const auto toError = Entry<ToErrorFunction>("RtlNtStatusToDosError");
  return toError ? toError(status) : ERROR_GEN_FAILURE;
}

}  // namespace prn::win32::ntdll
