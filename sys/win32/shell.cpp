#include "sys/win32/shell.h"

#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <optional>

#include "sys/win32/com.h"
#include "sys/win32/handle.h"
#include "sys/win32/hardening.h"
#include "sys/win32/text.h"
#include "text/winpath.h"

namespace prn::win32 {

namespace {

// What ShellExecuteW answers: above 32 when it opened, 31 (SE_ERR_NOASSOC)
// for a file type without a program; the desktop's shell answers only
// whether it took the request.
constexpr intptr_t kOpened = 42;
constexpr intptr_t kNoAssociation = SE_ERR_NOASSOC;
constexpr intptr_t kNotOpened = SE_ERR_ACCESSDENIED;

HWND Hwnd(sys::WindowHandle owner) { return reinterpret_cast<HWND>(owner); }
const wchar_t* OrNull(const ustring& text) { return text.empty() ? nullptr : W(text); }

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The shell object of the desktop's own Explorer, which runs as the user
// who logged on (the window and view it shows, then its Application). None
// where no Explorer runs the desktop.
ComRef<IShellDispatch2> DesktopShell() {
  ComRef<IShellDispatch2> none;
  ComRef<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.ReceiveVoid()))) {
    return none;
  }
  VARIANT nowhere{};  // VT_EMPTY: the desktop has no location
  long window = 0;
  ComRef<IDispatch> desktop;
  if (windows->FindWindowSW(&nowhere, &nowhere, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.Receive()) !=
          S_OK ||
      !desktop) {
    return none;
  }
  ComRef<IServiceProvider> services;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IDispatch> background;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IDispatch> application;
  ComRef<IShellDispatch2> shell;
  if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.ReceiveVoid())) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.ReceiveVoid())) ||
      FAILED(browser->QueryActiveShellView(view.Receive())) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid())) ||
      FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.ReceiveVoid())) ||
      FAILED(folderView->get_Application(application.Receive())) ||
      FAILED(application->QueryInterface(IID_IShellDispatch2, shell.ReceiveVoid()))) {
    return none;
  }
  return shell;
}

// The desktop's shell opens the target later, in its own process, and says
// nothing of a file type without a program: that is asked here beforehand.
bool HasProgramToOpen(const ustring& target) {
  const DWORD attributes = GetFileAttributesW(W(target));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  const ustring name = FileNamePart(target);
  const size_t dot = name.rfind(u'.');
  if (dot == ustring::npos) return false;
  using AssocQueryFn = HRESULT(WINAPI*)(ASSOCF, ASSOCSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD*);
  Module shlwapi(LoadSystemLibrary(L"shlwapi.dll"));
  auto assocQuery = Export<AssocQueryFn>(shlwapi.Get(), "AssocQueryStringW");
  if (!assocQuery) return true;  // the shell will tell by opening, or not
  wchar_t command[MAX_PATH];
  DWORD size = MAX_PATH;
  const HRESULT found =
      assocQuery(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, W(name.substr(dot)), L"open", command, &size);
  return SUCCEEDED(found) || found == E_POINTER;  // E_POINTER: a command longer than the buffer
}

// A BSTR, made and freed by oleaut32 (loaded for the call, not imported).
class OwnedBstr {
 public:
  using AllocFn = BSTR(WINAPI*)(const OLECHAR*);
  using FreeFn = void(WINAPI*)(BSTR);
  OwnedBstr(HMODULE oleaut, const wchar_t* text)
      : free_(Export<FreeFn>(oleaut, "SysFreeString")),
        text_(free_ ? Export<AllocFn>(oleaut, "SysAllocString")(text) : nullptr) {}
  ~OwnedBstr() {
    if (text_) free_(text_);
  }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR Get() const { return text_; }

 private:
  FreeFn free_;
  BSTR text_;
};

std::optional<intptr_t> OpenThroughDesktopShell(const ustring& target) {
  ComScope com;
  if (!com.Usable()) return std::nullopt;
  Module oleaut(LoadSystemLibrary(L"oleaut32.dll"));
  if (!Export<OwnedBstr::AllocFn>(oleaut.Get(), "SysAllocString")) return std::nullopt;
  ComRef<IShellDispatch2> shell = DesktopShell();
  if (!shell) return std::nullopt;
  if (!IsWebLink(target) && !HasProgramToOpen(target)) return kNoAssociation;

  OwnedBstr file(oleaut.Get(), W(target)), verb(oleaut.Get(), L"open");
  if (!file.Get() || !verb.Get()) return kNotOpened;
  VARIANT none{}, operation{}, show{};
  operation.vt = VT_BSTR;
  operation.bstrVal = verb.Get();
  show.vt = VT_I4;
  show.lVal = SW_SHOW;
  return SUCCEEDED(shell->ShellExecute(file.Get(), none, none, operation, show)) ? kOpened : kNotOpened;
}

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

// A web address would otherwise open in a browser running as administrator,
// and a document in a reader running so: whatever they then open or save
// would be elevated too.
intptr_t Win32Shell::OpenAsDesktopUser(sys::WindowHandle owner, const ustring& target) {
  if (std::optional<intptr_t> opened = OpenThroughDesktopShell(target)) return *opened;
  return Execute(owner, u"open", target, u"", u"", SW_SHOW);
}

}  // namespace prn::win32
