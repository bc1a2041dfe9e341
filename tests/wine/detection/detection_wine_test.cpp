// Device detection under Wine: the device search through the real library of
// this process's width and the find-mode probe through the real PrnSetup64.exe
// and inst2k64.dll, for a printer that is not there.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "install/device_detection.h"
#include "install/device_library_calls.h"
#include "install/host64_launch.h"
#include "sys/system_info.h"
#include "sys/win32/files.h"
#include "sys/win32/text.h"
#include "text/winpath.h"
#include "trace/trace.h"
#include "wine_machine.h"

namespace prn::install {
namespace {

using namespace prn::testing;

constexpr char16_t kAbsentHardwareId[] = u"QuillonAbsentPrinter9Z";

// The library this test process can load itself, and the host's library.
ustring OwnLibrary() { return JoinPath(BinFolder(), sizeof(void*) == 8 ? u"inst2k64.dll" : u"inst2k.dll"); }
ustring Library64() { return JoinPath(BinFolder(), u"inst2k64.dll"); }
ustring Host() { return JoinPath(BinFolder(), u"PrnSetup64.exe"); }

ustring WriteInf() {
  ustring path = JoinPath(TestFolder(), u"QuillonDetect.inf");
  std::ofstream(win32::W(path), std::ios::binary)
      << "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\nProvider=%Mfg%\r\n"
         "[Manufacturer]\r\n%Mfg%=Quillon,NTamd64\r\n[Quillon.NTamd64]\r\n"
         "\"Quillon QX1\" = QX1.Install, USBPRINT\\QuillonAbsentPrinter9Z\r\n[QX1.Install]\r\n"
         "[Strings]\r\nMfg=\"Quillon\"\r\n";
  return path;
}

// The result file lies beside the host, in the folder the installer holds.
size_t ResultFilesBesideTheHost(WineMachine& machine) {
  return machine.basics.files.ListFiles(BinFolder(), u"tmp*.tmp").size();
}

std::string Bytes(const ustring& path) {
  std::string bytes;
  EXPECT_EQ(win32::Win32FileSystem().ReadFile(path, bytes), 0u) << ToUtf8(path);
  return bytes;
}

TEST(DetectionOnWine, FindExistDeviceFindsNoPortForAnAbsentPrinter) {
  WineMachine machine;
  ustring foundHardwareId = u"unset";
  ustring port = u"unset";
  trace::Capture trace;
  // The refresh first: Wine's configuration manager is a stub that fails, which stays silent.
  EXPECT_FALSE(FindExistDevice(machine.Platform(), OwnLibrary(), kAbsentHardwareId, foundHardwareId, port, true));
  EXPECT_EQ(port, u"");
  EXPECT_EQ(foundHardwareId, u"");
  EXPECT_TRUE(trace.Contains(u"RefreshHW End !"));
  EXPECT_TRUE(trace.Contains(u"確定打印機端口字符串為："));
}

// Windows answers 0xE000020B (no such device); Wine's new-device installer
// answers success when no device matches, so the host writes "Ret" = 0.
TEST(DetectionOnWine, TheFindModeProbeThroughTheRealHostReadsWinesAnswer) {
  WineMachine machine;
  const size_t resultFilesBefore = ResultFilesBesideTheHost(machine);
  trace::Capture trace;
  const uint32_t code =
      FindInlineDevice64(machine.Platform(), 0, kAbsentHardwareId, WriteInf(), Host(), Library64(), kProbeInstallFlags);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(trace.Contains(u"已成功地創建了64位檢測進程，準備等待進程完成。"));
  EXPECT_EQ(ResultFilesBesideTheHost(machine), resultFilesBefore);
}

// The host and its library as start-up leaves them: in a private folder that
// the installer holds with delete access, which no child can open as its
// current directory. The host still finds its library and answers; it shows
// no "装载DLL失败！" box.
TEST(DetectionOnWine, TheHostFindsItsLibraryInTheHeldWorkFolder) {
  WineMachine machine;
  const ustring folder = JoinPath(TestFolder(), u"held-work");
  machine.basics.files.DeleteTree(folder);
  std::unique_ptr<sys::PrivateFolder> work;
  ASSERT_EQ(machine.basics.system.CreatePrivateFolder(folder, work), 0u);
  const ustring host = JoinPath(folder, u"PrnSetup64.exe"), library = JoinPath(folder, u"inst2k64.dll");
  ASSERT_EQ(work->WriteHeldFile(host, Bytes(Host())), 0u);
  ASSERT_EQ(work->WriteHeldFile(library, Bytes(Library64())), 0u);

  const uint32_t code =
      FindInlineDevice64(machine.Platform(), 0, kAbsentHardwareId, WriteInf(), host, library, kProbeInstallFlags);
  EXPECT_EQ(code, 0u) << "the host did not answer: " << code;
  EXPECT_TRUE(machine.basics.files.ListFiles(folder, u"tmp*.tmp").empty());
  EXPECT_EQ(work->Remove(), 0u);
}

// The work folder's path has a blank; a program planted where the unquoted
// path would first be tried ("…\prnhost.exe" for "…\prnhost dir\…") never runs.
TEST(DetectionOnWine, TheHostInAFolderWithABlankIsStartedNotAProgramPlantedBeforeTheBlank) {
  WineMachine machine;
  const ustring parent = TestFolder();
  const ustring folder = JoinPath(parent, u"prnhost dir");
  CreateDirectoryW(win32::W(folder), nullptr);
  const ustring host = JoinPath(folder, u"PrnSetup64.exe");
  const ustring library = JoinPath(folder, u"inst2k64.dll");
  const ustring planted = JoinPath(parent, u"prnhost.exe");
  ASSERT_TRUE(CopyFileW(win32::W(Host()), win32::W(host), FALSE));
  ASSERT_TRUE(CopyFileW(win32::W(Library64()), win32::W(library), FALSE));
  // A program that ends at once without writing "Ret".
  ASSERT_TRUE(CopyFileW(win32::W(JoinPath(BinFolder(), u"prn_test_child.exe")), win32::W(planted), FALSE));

  const uint32_t code =
      FindInlineDevice64(machine.Platform(), 0, kAbsentHardwareId, WriteInf(), host, library, kProbeInstallFlags);
  EXPECT_EQ(code, 0u) << "not the host ran: " << code;
  DeleteFileW(win32::W(planted));
  DeleteFileW(win32::W(host));
  DeleteFileW(win32::W(library));
  RemoveDirectoryW(win32::W(folder));
}

TEST(DetectionOnWine, OnWow64TheDetectionProbesThroughTheHostAndWinesSuccessReadsAsDriverInPlace) {
  WineMachine machine;
  bool driverFoundInstalled = false;
  trace::Capture trace;
  EXPECT_EQ(ExistReqInlineSetupDevice(machine.Platform(true), 0, OwnLibrary(), Host(), Library64(), kAbsentHardwareId,
                                      WriteInf(), u"Quillon QX1", driverFoundInstalled),
            0u);
  EXPECT_TRUE(driverFoundInstalled);
  EXPECT_TRUE(trace.Contains(u"命令行：\"" + Host() + u"\" /Handle 0 /Dll \"" + Library64() + u"\" /Inf \""));
  EXPECT_TRUE(trace.Contains(u"恭喜，在檢測過程中發現已經完成驅動安裝。"));
}

TEST(DetectionOnWine, AHostThatCannotBeStartedGives1067) {
  WineMachine machine;
  EXPECT_EQ(FindInlineDevice64(machine.Platform(), 0, kAbsentHardwareId, WriteInf(),
                               JoinPath(TestFolder(), u"NoSuchHost.exe"), Library64(), kProbeInstallFlags),
            1067u);
}

}  // namespace
}  // namespace prn::install
