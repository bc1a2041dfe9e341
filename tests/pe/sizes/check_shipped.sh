#!/usr/bin/env bash
# check_shipped.sh <win32 bin folder> <win64 bin folder>
# The binaries that ship: prints each size against its goal and the sections
# of PrnSetup.exe, fails over a goal, on an import of a mingw runtime DLL, and
# on an import by the i686 inst2k.dll of an entry point that Windows XP does
# not have.
set -uo pipefail
bin32=$1
bin64=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

imports() {  # imports <objdump> <image>: "DLL!function" per line
  "$1" -p "$2" | awk '
    /DLL Name:/ { dll = $3; next }
    /^[ \t]*$/ { dll = ""; next }
    dll != "" && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print dll "!" $3 }'
}

check() {  # check <objdump> <image> <goal in bytes>
  local objdump=$1 image=$2 goal=$3 size dll
  if [ ! -f "$image" ]; then fail "$image is missing"; return; fi
  size=$(stat -c %s "$image")
  printf '%-16s %9d bytes  (goal %9d)\n' "$(basename "$image")" "$size" "$goal"
  [ "$size" -le "$goal" ] || fail "$(basename "$image") is over its goal"
  "$objdump" -h "$image" | grep -q ' \.debug_' && fail "$(basename "$image") carries debug sections"
  while read -r dll; do
    case "${dll,,}" in
      libstdc++*|libgcc*|libwinpthread*|libssp*|libatomic*|libgomp*)
        fail "$(basename "$image") needs the mingw runtime DLL $dll" ;;
    esac
  done < <("$objdump" -p "$image" | awk '/DLL Name:/ {print $3}')
}

obj32=i686-w64-mingw32-objdump
obj64=x86_64-w64-mingw32-objdump
check $obj32 "$bin32/PrnSetup.exe" $((1024 * 1024))
check $obj32 "$bin32/inst2k.dll" $((200 * 1024))
check $obj32 "$bin32/PLP_RW.DLL" $((150 * 1024))
check $obj64 "$bin64/PrnSetup64.exe" $((200 * 1024))
check $obj64 "$bin64/inst2k64.dll" $((200 * 1024))

# Entry points newer than Windows XP SP3. The i686 library is loaded on such
# systems; any of these it needs it must look up at run time.
post_xp='^(kernel32\.dll!(GetTickCount64|InitializeSRWLock|AcquireSRWLock(Exclusive|Shared)|ReleaseSRWLock(Exclusive|Shared)|TryAcquireSRWLock(Exclusive|Shared)|InitializeConditionVariable|SleepConditionVariable(CS|SRW)|WakeAllConditionVariable|WakeConditionVariable|InitOnce(ExecuteOnce|BeginInitialize|Complete|Initialize)|InitializeCriticalSectionEx|CreateEventExW|CreateMutexExW|CreateSemaphoreExW|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|GetThreadId|GetProcessIdOfThread|GetFinalPathNameByHandle[AW]|GetFileInformationByHandleEx|SetFileInformationByHandle|CancelIoEx|QueryFullProcessImageName[AW]|CreateSymbolicLink[AW]|SetDefaultDllDirectories|AddDllDirectory|RemoveDllDirectory|InitializeProcThreadAttributeList|UpdateProcThreadAttribute|DeleteProcThreadAttributeList|GetLocaleInfoEx|LCMapStringEx|CompareStringEx|GetUserDefaultLocaleName|GetErrorMode|Wow64DisableWow64FsRedirection|Wow64RevertWow64FsRedirection|GetCurrentProcessorNumber|GetSystemTimePreciseAsFileTime|CreateFile2|GetTickCount64)|advapi32\.dll!(RegGetValue[AW]|RegDeleteTree[AW]|RegDeleteKeyEx[AW]|RegSetKeyValue[AW]|RegCopyTree[AW]|RegLoadMUIString[AW])|setupapi\.dll!(SetupDiGetDeviceProperty[W]?|SetupDiSetDeviceProperty[W]?|SetupDiGetClassProperty[W]?)|newdev\.dll!(DiInstallDriver[AW]|DiUninstallDevice|DiUninstallDriver[AW]|DiInstallDevice))$'
while read -r entry; do
  grep -Eiq "$post_xp" <<<"$entry" && fail "inst2k.dll imports $entry, which Windows XP lacks"
done < <(imports $obj32 "$bin32/inst2k.dll")
[ -n "$(imports $obj32 "$bin32/inst2k.dll")" ] || fail "cannot read the import table of inst2k.dll"

# Where PrnSetup.exe's bytes go (the programs it carries are packed in .rsrc).
echo "PrnSetup.exe sections:"
while read -r _ section size _; do
  printf '  %-9s %9d bytes\n' "$section" "$((16#$size))"
done < <($obj32 -h "$bin32/PrnSetup.exe" | awk '$1 ~ /^[0-9]+$/')

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "shipped binaries within their size goals, standalone, inst2k.dll loads on Windows XP"
