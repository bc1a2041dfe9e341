#include "sys/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "sys/win32/win32_text.h"

namespace prn::win32 {

namespace {

HWND Hwnd(sys::WindowHandle owner) { return reinterpret_cast<HWND>(owner); }
const wchar_t* OrNull(const ustring& text) { return text.empty() ? nullptr : W(text); }

}  // namespace

std::optional<ustring> Win32Shell::ProgramFilesFolder(sys::WindowHandle owner) {
  wchar_t folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(Hwnd(owner), folder, CSIDL_PROGRAM_FILES, FALSE)) return std::nullopt;
  return U(folder);
}

int Win32Shell::DeleteWithShell(const ustring& path, uint32_t flags, sys::WindowHandle owner) {
  // The shell takes a list of paths ended by an empty one.
  std::wstring from = Wide(path);
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = Hwnd(owner);
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
  return SHFileOperationW(&operation);
}

intptr_t Win32Shell::Execute(sys::WindowHandle owner, const ustring& verb, const ustring& file,
                             const ustring& parameters, const ustring& directory, int showCommand) {
  HINSTANCE result =
      ShellExecuteW(Hwnd(owner), OrNull(verb), W(file), OrNull(parameters), OrNull(directory), showCommand);
  return reinterpret_cast<intptr_t>(result);
}

}  // namespace prn::win32
