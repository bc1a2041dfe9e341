#!/usr/bin/env bash
# check_shipped.sh <win32 bin folder> <win64 bin folder>
# The binaries that ship: prints each size against its goal and the sections
# of PrnSetup.exe, fails over a goal, on an import of a mingw runtime DLL, and
# on an import by any i686 binary of an entry point or library that Windows XP
# does not have.
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

# Entry points newer than Windows XP SP3, and libraries it has not at all.
# The i686 programs are loaded there, and the loader refuses a program that
# imports any of these before it runs: whatever of them a program needs it
# must look up at run time.
post_xp_dll='(dwmapi|bcrypt|ncrypt|propsys|d2d1|dwrite|d3d11|dxgi|ktmw32|wevtapi|shcore|(api|ext)-ms-win-[a-z0-9-]+)\.dll![^!]+'
post_xp_kernel32='GetTickCount64|InitializeSRWLock|AcquireSRWLock(Exclusive|Shared)|ReleaseSRWLock(Exclusive|Shared)|TryAcquireSRWLock(Exclusive|Shared)|InitializeConditionVariable|SleepConditionVariable(CS|SRW)|WakeAllConditionVariable|WakeConditionVariable|InitOnce(ExecuteOnce|BeginInitialize|Complete|Initialize)|InitializeCriticalSectionEx|CreateEventExW|CreateMutexExW|CreateSemaphoreExW|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|GetThreadId|GetProcessIdOfThread|GetFinalPathNameByHandle[AW]|GetFileInformationByHandleEx|SetFileInformationByHandle|OpenFileById|GetVolumeInformationByHandleW|CancelIoEx|CancelSynchronousIo|QueryFullProcessImageName[AW]|CreateSymbolicLink[AW]|[A-Za-z]+Transacted[AW]?|SetDefaultDllDirectories|AddDllDirectory|RemoveDllDirectory|InitializeProcThreadAttributeList|UpdateProcThreadAttribute|DeleteProcThreadAttributeList|CompareStringOrdinal|GetLocaleInfoEx|LCMapStringEx|CompareStringEx|GetUserDefaultLocaleName|GetSystemDefaultLocaleName|LocaleNameToLCID|LCIDToLocaleName|ResolveLocaleName|(GetNumber|GetCurrency|GetDate|GetTime)FormatEx|EnumSystemLocalesEx|IsValidLocaleName|Get(User|System|Thread|Process)PreferredUILanguages|Set(Thread|Process)PreferredUILanguages|GetErrorMode|(Get|Set)ThreadErrorMode|GetNamedPipe(Client|Server)ProcessId|GetQueuedCompletionStatusEx|SetFileCompletionNotificationModes|(Create|Submit|Close|WaitFor)ThreadpoolWork(Callbacks)?|GetProductInfo|GetLogicalProcessorInformationEx|K32[A-Za-z]+|Wow64DisableWow64FsRedirection|Wow64RevertWow64FsRedirection|GetCurrentProcessorNumber|GetSystemTimePreciseAsFileTime|CreateFile2|RaiseFailFastException'
post_xp_advapi32='AddMandatoryAce|RegGetValue[AW]|RegDeleteTree[AW]|RegDeleteKeyEx[AW]|RegSetKeyValue[AW]|RegCopyTree[AW]|RegLoadMUIString[AW]|Reg(Open|Create)KeyTransacted[AW]|EventRegister|EventUnregister|EventWrite'
post_xp_user32='SetProcessDPIAware|IsProcessDPIAware|ChangeWindowMessageFilter(Ex)?|ShutdownBlockReason(Create|Destroy)|RegisterPowerSettingNotification|AddClipboardFormatListener|CalculatePopupWindowPosition|LogicalToPhysicalPoint|PhysicalToLogicalPoint|GetDpiFor(Window|System)|SetProcessDpiAwarenessContext|SetThreadDpiAwarenessContext|AdjustWindowRectExForDpi|GetSystemMetricsForDpi|EnableNonClientDpiScaling'
post_xp_shell32='SHGetKnownFolder(Path|IDList)|SHCreateItemFrom(ParsingName|IDList)|SHGetIDListFromObject|SHGetPropertyStoreForWindow|SHGetStockIconInfo|SHOpenWithDialog|SetCurrentProcessExplicitAppUserModelID'
post_xp_comctl32='TaskDialog(Indirect)?|LoadIconMetric|LoadIconWithScaleDown'
post_xp_uxtheme='(Begin|End)Buffered(Paint|Animation)|BufferedPaint(Init|UnInit|SetAlpha)|GetBufferedPaintBits|DrawThemeTextEx|SetWindowThemeAttribute'
post_xp_setupapi='SetupDi(Get|Set)(Device|Class)Property(Keys)?W?'
post_xp_newdev='DiInstallDriver[AW]|DiUninstallDevice|DiUninstallDriver[AW]|DiInstallDevice|DiShowUpdateDevice'
post_xp_winspool='UploadPrinterDriverPackage[AW]|InstallPrinterDriverFromPackage[AW]|GetCorePrinterDrivers[AW]|CorePrinterDriverInstalled[AW]|GetPrinterDriverPackagePath[AW]|DeletePrinterDriverPackage[AW]|GetPrinterDriver2[AW]|IsValidDevmode[AW]'
# XP's msvcrt has none of the "_s" functions.
post_xp_msvcrt='[A-Za-z_]+_s|_fseeki64|_ftelli64'
post_xp="^($post_xp_dll|kernel32\.dll!($post_xp_kernel32)|advapi32\.dll!($post_xp_advapi32)|user32\.dll!($post_xp_user32)|shell32\.dll!($post_xp_shell32)|comctl32\.dll!($post_xp_comctl32)|uxtheme\.dll!($post_xp_uxtheme)|setupapi\.dll!($post_xp_setupapi)|newdev\.dll!($post_xp_newdev)|winspool\.drv!($post_xp_winspool)|msvcrt\.dll!($post_xp_msvcrt))$"
for name in PrnSetup.exe inst2k.dll PLP_RW.DLL; do
  [ -f "$bin32/$name" ] || continue  # reported missing above
  entries=$(imports $obj32 "$bin32/$name")
  if [ -z "$entries" ]; then fail "cannot read the import table of $name"; continue; fi
  printf '%-16s imports from %s\n' "$name" "$(awk -F! '!seen[$1]++ {printf "%s%s", sep, $1; sep=", "}' <<<"$entries")"
  while read -r entry; do
    fail "$name imports $entry, which Windows XP lacks"
  done < <(grep -Ei "$post_xp" <<<"$entries")
done

# Where PrnSetup.exe's bytes go (the programs it carries are packed in .rsrc).
echo "PrnSetup.exe sections:"
while read -r _ section size _; do
  printf '  %-9s %9d bytes\n' "$section" "$((16#$size))"
done < <($obj32 -h "$bin32/PrnSetup.exe" | awk '$1 ~ /^[0-9]+$/')

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "shipped binaries within their size goals, standalone, the i686 ones loadable on Windows XP"
