// The real manager window and its add-port dialog on Wine's spooler, driven
// by messages in this process; the USB arrival window with fabricated
// device-change messages.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include "wine/window_pump.h"
#include "wine/wine_test_support.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "config/process_values.h"
#include "spooler/printer_queries.h"
#include "sys/dialogs.h"
#include "sys/win32/platform.h"
#include "sys/win32/spooler.h"
#include "sys/win32/text.h"
#include "ui/win32/component_usb.h"
#include "ui/win32/form_manager_window.h"
#include "wine_spooler_fixture.h"

namespace prn::ui {
namespace {

using namespace prn::testing;

constexpr char16_t kSecondPrinter[] = u"PrnWineTest QX5";

// Wine's SHInvokePrinterCommandW ends the process; the requests are recorded instead.
class RecordingCommands : public sys::PrinterCommands {
 public:
  bool InvokePrinterCommand(sys::WindowHandle, uint32_t action, const ustring& printer) override {
    requests.emplace_back(action, printer);
    return true;
  }
  std::vector<std::pair<uint32_t, ustring>> requests;
};

// The handles this process holds, as the system lists them (Wine does not
// count them for GetProcessHandleCount).
int OwnHandleCount() {
  struct Entry {
    ULONG process;
    BYTE type;
    BYTE flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
  };
  struct Handles {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<char> buffer(4 << 20);
  auto* handles = reinterpret_cast<Handles*>(buffer.data());
  ULONG needed = 0;
  if (!query || query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) {
    return -1;
  }
  int own = 0;
  for (ULONG i = 0; i < handles->count; ++i) own += handles->entries[i].process == GetCurrentProcessId();
  return own;
}

ustring ItemText(HWND list, int item, int column) {
  wchar_t text[256] = {};
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = text;
  request.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
  return win32::U(text);
}

int RowOf(HWND list, const ustring& name) {
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    if (ItemText(list, row, 0) == name) return row;
  }
  return -1;
}

// English unless PRN_LANG asks for "SC" (the Simplified Chinese file).
ustring LanguageFile() {
  const char* lang = std::getenv("PRN_LANG");
  const bool chinese = lang && std::string(lang) == "SC";
  ustring path = u"Z:" + FromUtf8(PRN_SOURCE_DIR) + u"/resources/lang/Strings_" + (chinese ? u"CN" : u"EN") + u".ini";
  for (auto& c : path) c = c == u'/' ? u'\\' : c;
  return path;
}

class ManagerWineTest : public WineSpoolerTest {
 protected:
  void SetUp() override {
    WineSpoolerTest::SetUp();
    DeletePrinterIfPresent(kSecondPrinter);
    InstallTestDriver();
    AddPrinter(kTestPrinter, u"LPT1:");
    AddPrinter(kSecondPrinter, u"LPT2:");
    values.langOptions.Open(LanguageFile(), machine.files, machine.codePage);
    values.langOptions.LoadSettings(0);
    ASSERT_FALSE(values.strInstaller.AddPortFail.empty());

    ManagerParts parts;
    parts.machine.removal.platform = machine.Platform();
    parts.machine.removal.platform.spooler = &spooler;
    parts.machine.removal.platform.dialogs = &dialogs;
    parts.machine.usb = &machine.usb;
    parts.machine.printerCommands = &commands;
    parts.machine.changes = &changes;
    parts.texts = &values.strInstaller;
    parts.lang = &values.langOptions;
    parts.systemPorts = &ports;
    parts.winVer = 61;
    window = std::make_unique<FormManagerWindow>(GetModuleHandleW(nullptr), parts, false);
    window->Show();
    Pump();
  }
  void TearDown() override {
    window.reset();
    DeletePrinterIfPresent(kSecondPrinter);
    WineSpoolerTest::TearDown();
  }

  void AddPrinter(const ustring& name, const ustring& port) {
    sys::PRINTER_INFO_2W info;
    info.pPrinterName = name;
    info.pDriverName = kTestDriver;
    info.pPortName = port;
    info.pPrintProcessor = u"winprint";
    info.pDatatype = u"RAW";
    ASSERT_TRUE(spooler.AddPrinterQueue(info)) << ToUtf8(name);
  }
  HWND Item(int id) const { return GetDlgItem(window->Handle(), id); }
  void Select(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Item(manager_id::Printers), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    Pump();
  }
  void ChoosePort(const ustring& port) {
    HWND combo = Item(manager_id::Ports);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(win32::W(port)));
    ASSERT_GE(index, 0) << ToUtf8(port);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(manager_id::Ports, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }

  win32::Win32Platform machine;
  config::ProcessValues values;
  SystemPortList ports;
  AnsweringDialogs dialogs;
  RecordingCommands commands;
  win32::Win32PrinterChanges changes;
  std::unique_ptr<FormManagerWindow> window;
};

TEST_F(ManagerWineTest, ListsThePrintersAndPortsAndSetMovesThePrinterAndMakesItTheDefault) {
  HWND list = Item(manager_id::Printers);
  const int first = RowOf(list, kTestPrinter);
  const int second = RowOf(list, kSecondPrinter);
  ASSERT_GE(first, 0);
  ASSERT_EQ(second, first + 1);  // sorted
  EXPECT_EQ(ItemText(list, first, 1), u"LPT1:");
  EXPECT_EQ(ItemText(list, first, 2), u"Ready");
  auto portRecords = spooler.EnumeratePorts2();
  ASSERT_TRUE(portRecords.ok);
  EXPECT_EQ(SendMessageW(Item(manager_id::Ports), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(portRecords.records.size()));

  Select(second);
  wchar_t chosen[64] = {};
  SendMessageW(Item(manager_id::Ports), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(chosen));
  EXPECT_EQ(win32::U(chosen), u"LPT2:");  // the printer's port is preselected
  EXPECT_TRUE(IsWindowVisible(Item(manager_id::Set)));

  ChoosePort(u"LPT3:");
  SendMessageW(Item(manager_id::Set), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(spooler::GetPrinterPort(spooler, lastError, kSecondPrinter), u"LPT3:");
  ustring defaultName;
  ASSERT_TRUE(spooler.ReadDefaultPrinter(defaultName));
  EXPECT_EQ(defaultName, kSecondPrinter);
  EXPECT_EQ(ItemText(list, RowOf(list, kSecondPrinter), 1), u"LPT3:");
  EXPECT_TRUE(dialogs.Recorded().empty());
}

TEST_F(ManagerWineTest, MenuItemsByMessageReachTheShellAndDeletionShowsWhatWineAnswers) {
  HWND list = Item(manager_id::Printers);
  Select(RowOf(list, kTestPrinter));
  SendMessageW(window->Handle(), WM_COMMAND,
               manager_id::MenuFirst + static_cast<int>(ManagerMenuAction::OpenProperty), 0);
  SendMessageW(window->Handle(), WM_COMMAND,
               manager_id::MenuFirst + static_cast<int>(ManagerMenuAction::ViewJobs), 0);
  ASSERT_EQ(commands.requests.size(), 2u);
  EXPECT_EQ(commands.requests[0], std::make_pair(sys::printaction::Properties, ustring(kTestPrinter)));
  EXPECT_EQ(commands.requests[1].first, sys::printaction::Open);

  // Wine's printui deletes nothing: the user is told the printer could not be deleted.
  SendMessageW(window->Handle(), WM_COMMAND, manager_id::MenuFirst + static_cast<int>(ManagerMenuAction::Delete), 0);
  EXPECT_TRUE(window->Model().Busy());
  EXPECT_FALSE(IsWindowEnabled(window->Handle()));  // closed to input, still painting
  // The deletion runs on its own thread; its result arrives as a posted message.
  auto awaitDeletion = [&] {
    MSG message;
    while (window->Model().Busy() && GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  };
  awaitDeletion();
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
  const auto shown = dialogs.Recorded();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, u"Really need to delete the printer?" + ustring(kTestPrinter));
  EXPECT_EQ(shown[1].text, values.strInstaller.DeletePrinterError);
  EXPECT_EQ(shown[1].flags, sys::mb::IconError);
  EXPECT_GE(RowOf(list, kTestPrinter), 0);

  // A finished deletion leaves nothing behind: its thread handle is closed
  // with it. Wine itself may open a handle or two of its own now and then,
  // so six more deletions may add two at most, where a leak would add six.
  const int afterFirst = OwnHandleCount();
  ASSERT_GT(afterFirst, 0);
  constexpr int kDeletions = 6;
  for (int deletion = 0; deletion < kDeletions; ++deletion) {
    Select(RowOf(list, kTestPrinter));
    SendMessageW(window->Handle(), WM_COMMAND, manager_id::MenuFirst + static_cast<int>(ManagerMenuAction::Delete), 0);
    awaitDeletion();
  }
  EXPECT_EQ(dialogs.Recorded().size(), 2u + 2u * kDeletions);
  EXPECT_LE(OwnHandleCount(), afterFirst + 2);
}

// The manager has no default button: Enter in the list presses nothing (Set
// would move the printer), Enter on a focused button presses that button.
TEST_F(ManagerWineTest, EnterPressesOnlyTheFocusedButton) {
  HWND list = Item(manager_id::Printers);
  Select(RowOf(list, kSecondPrinter));
  ChoosePort(u"LPT3:");
  SetFocus(list);
  TypeKey(list, VK_RETURN);
  EXPECT_EQ(spooler::GetPrinterPort(spooler, lastError, kSecondPrinter), u"LPT2:");
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  SetFocus(Item(manager_id::Close));
  TypeKey(Item(manager_id::Close), VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(window->Handle())) << "Enter on Close did not close the manager";
}

// The window as the screen shows it, as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT place;
  GetWindowRect(window, &place);
  const int width = place.right - place.left, height = place.bottom - place.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  SelectObject(memory, previous);
  const DWORD rowBytes = ((width * 3 + 3) / 4) * 4, imageBytes = rowBytes * height;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes),
                        0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageBytes);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return out.good();
}

// For the GUI test: the manager with printers listed, photographed to the
// file PRN_SCREENSHOT names (a Windows path).
TEST_F(ManagerWineTest, Photograph) {
  const char* target = std::getenv("PRN_SCREENSHOT");
  if (!target) GTEST_SKIP() << "PRN_SCREENSHOT names no file";
  HWND list = Item(manager_id::Printers);
  Select(RowOf(list, kSecondPrinter));
  SetWindowPos(window->Handle(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window->Handle());
  RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  ASSERT_TRUE(SaveWindowPicture(window->Handle(), target));
}

// Enter typed into each field in turn, as the dialog's own loop receives it;
// then Close. One step a tick, so that each key is handled before the next.
int g_addPortStep = 0;
VOID CALLBACK DriveAddPortDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(nullptr, L"Add net port for printer");
  if (!dialog) return;
  HWND field = GetDlgItem(dialog, g_addPortStep == 0 ? add_port_id::PortName : add_port_id::Host);
  switch (g_addPortStep++) {
    case 0:
      SetWindowTextW(field, L"IP_10.9.9.9");
      [[fallthrough]];
    case 1:
      SetFocus(field);
      PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
      PostMessageW(field, WM_KEYUP, VK_RETURN, 0xC0000001);
      return;
    default:
      KillTimer(nullptr, timer);
      SendMessageW(GetDlgItem(dialog, add_port_id::Close), BM_CLICK, 0, 0);
  }
}

TEST_F(ManagerWineTest, EnterInEitherFieldOfTheAddPortDialogPressesAddWhichFailsForWinesMissingTcpMonitor) {
  // The dialog runs its own message loop; a timer drives it from inside.
  g_addPortStep = 0;
  SetTimer(nullptr, 0, 50, DriveAddPortDialog);
  SendMessageW(Item(manager_id::AddPort), BM_CLICK, 0, 0);
  const auto shown = dialogs.Recorded();
  ASSERT_EQ(shown.size(), 2u) << "Enter in a field did not press Add";
  for (const auto& box : shown) {
    EXPECT_EQ(box.text, u"Add the port process error!");
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_EQ(box.flags, sys::mb::IconError);
  }
  EXPECT_FALSE(FindWindowW(nullptr, L"Add net port for printer"));
}

TEST(TComponentUSBTest, RegistersAndRaisesOnlyForUsbPrinterInterfaces) {
  TComponentUSB usb(GetModuleHandleW(nullptr), true);
  EXPECT_TRUE(usb.Registered());
  int arrivals = 0, removals = 0;
  usb.FOnUSBArrival = [&] { ++arrivals; };
  usb.FOnUSBRemove = [&] { ++removals; };
  DEV_BROADCAST_DEVICEINTERFACE_W printer{};
  printer.dbcc_size = sizeof(printer);
  printer.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::memcpy(&printer.dbcc_classguid, &kUsbPrinterInterface, sizeof(GUID));
  DEV_BROADCAST_DEVICEINTERFACE_W keyboard = printer;
  std::memcpy(&keyboard.dbcc_classguid, &kUsbDeviceInterface, sizeof(GUID));
  auto send = [&](WPARAM event, DEV_BROADCAST_DEVICEINTERFACE_W& broadcast) {
    SendMessageW(usb.Handle(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&broadcast));
  };
  send(DBT_DEVICEARRIVAL, printer);
  send(DBT_DEVICEREMOVECOMPLETE, printer);
  send(DBT_DEVICEARRIVAL, keyboard);
  SendMessageW(usb.Handle(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
  EXPECT_EQ(arrivals, 1);
  EXPECT_EQ(removals, 1);
}

}  // namespace
}  // namespace prn::ui
