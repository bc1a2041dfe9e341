#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "sys/system_queries.h"
#include "sys/win32/files.h"
#include "sys/win32/handle.h"
#include "sys/win32/private_folder.h"
#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/ascii.h"
#include "text/winpath.h"
#include "wine/wine_test_support.h"

namespace prn::win32 {
namespace {

using testing::Exists;
using testing::PlantLink;
using testing::RemoveFromUnixSide;

// The test's scratch place, with its trailing backslash.
ustring ScratchFolder() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetTempPathW(MAX_PATH, path);
  return U(path, length);
}

TEST(Win32SystemInfo, UniqueTempNamesAreNewEmptyFiles) {
  Win32SystemInfo system;
  Win32FileSystem files;
  ustring temp = ScratchFolder();
  ustring first, second;
  ASSERT_EQ(system.CreateTempFileName(temp, u"tmp", first), 0u);
  ASSERT_EQ(system.CreateTempFileName(temp, u"tmp", second), 0u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(StartsWithNoCase(FileNamePart(first), u"tmp"));
  std::string bytes = "x";
  EXPECT_EQ(files.ReadFile(first, bytes), 0u);
  EXPECT_TRUE(bytes.empty());
  files.RemoveFile(first);
  files.RemoveFile(second);

  ustring none;
  EXPECT_NE(system.CreateTempFileName(JoinPath(temp, u"no-such-folder-prn"), u"tmp", none), 0u);
}

TEST(Win32SystemInfo, VersionIsCappedAtWindows8WithoutASupportedOsList) {
  Win32SystemInfo system;
  int32_t version = sys::GetWinVer(system);
  EXPECT_GE(version, 51);
  EXPECT_LE(version, 62);
}

// The tests' prefix is 64-bit Windows: the i686 build runs under WOW64 there,
// the x86_64 one does not.
TEST(Win32SystemInfo, OnlyA32BitProgramIsAWow64Process) {
  Win32SystemInfo system;
  ASSERT_TRUE(system.Wow64Flag().has_value());  // kernel32 has IsWow64Process
  EXPECT_EQ(*system.Wow64Flag(), sizeof(void*) == 4);
}

TEST(Win32SystemInfo, FoldersAndErrorTexts) {
  Win32SystemInfo system;
  Win32FileSystem files;
  EXPECT_TRUE(files.DirectoryExists(system.ExecutableFolder()));
  EXPECT_TRUE(files.FileExists(JoinPath(system.ExecutableFolder(), u"wine_system.exe")));
  EXPECT_TRUE(files.FileExists(JoinPath(system.SystemDirectory(), u"kernel32.dll")));
  ustring denied = system.ErrorMessage(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(denied.empty());
  EXPECT_NE(denied.back(), u'\n');
  EXPECT_EQ(system.ErrorMessage(0x2028FFFF), u"");
  EXPECT_TRUE(files.DirectoryExists(JoinPath(system.WindowsDirectory(), u"Temp")));
  uint64_t first = 0, second = 0;
  ASSERT_EQ(system.UnpredictableNumber(first), 0u);
  ASSERT_EQ(system.UnpredictableNumber(second), 0u);
  EXPECT_NE(first, second);
}

ustring FreshTempFolder(const Win32SystemInfo&, const char16_t* name) {
  Win32FileSystem files;
  ustring folder = ScratchFolder() + name;
  files.DeleteTree(folder);
  return folder;
}

// The work folder as the shipped program makes it, where handles tell their
// paths through GetFinalPathNameByHandleW, and as on Windows XP, which lacks
// that call: there the handles' object names tell.
class Win32PrivateFolderOn : public ::testing::TestWithParam<bool> {
 protected:
  static uint32_t CreateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) {
    if (!GetParam()) return Win32SystemInfo().CreatePrivateFolder(path, folder);
    return CreatePrivateDirectory(path, folder, CreateDirectoryW, nullptr);
  }
};

INSTANTIATE_TEST_SUITE_P(Systems, Win32PrivateFolderOn, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "WindowsXP" : "Vista"; });

// Windows XP names a file object by its volume's device, as in
// "\Device\HarddiskVolume1\x": told back as the drive of that device. A
// device whose name merely begins like the drive's is none of it.
TEST(Win32FinalPath, AnObjectNameOnADriveTurnsIntoItsDrivePath) {
  wchar_t device[MAX_PATH] = {};
  ASSERT_NE(QueryDosDeviceW(L"C:", device, MAX_PATH), 0u);
  EXPECT_EQ(DrivePathOfObjectName(std::wstring(device) + L"\\Windows\\Temp"), L"C:\\Windows\\Temp");
  EXPECT_EQ(DrivePathOfObjectName(std::wstring(device) + L"7\\Windows"), L"");
  EXPECT_EQ(DrivePathOfObjectName(L"\\Device\\NoSuchVolume\\x"), L"");
  EXPECT_EQ(DrivePathOfObjectName(L"\\??\\C:\\x"), L"C:\\x");  // as Wine names them
}

TEST_P(Win32PrivateFolderOn, IsRefusedWhenItExistsAndHoldsWhatIsWrittenIntoIt) {
  Win32FileSystem files;
  const ustring path = FreshTempFolder(Win32SystemInfo(), u"prn-private-test");
  std::unique_ptr<sys::PrivateFolder> folder, again;
  ASSERT_EQ(CreateFolder(path, folder), 0u);
  EXPECT_EQ(CreateFolder(path, again), static_cast<uint32_t>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(again);
  EXPECT_EQ(CreateFolder(path + u"\\missing-parent\\x", again), static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));

  const ustring program = JoinPath(path, u"inst2k.dll");
  ASSERT_EQ(folder->WriteHeldFile(program, "MZ held"), 0u);
  EXPECT_EQ(folder->WriteHeldFile(program, "MZ again"), static_cast<uint32_t>(ERROR_FILE_EXISTS));
  // Held with read sharing only: readable, but nobody may change or delete it.
  std::string bytes;
  EXPECT_EQ(files.ReadFile(program, bytes), 0u);
  EXPECT_EQ(bytes, "MZ held");
  EXPECT_EQ(files.WriteFile(program, "swapped"), static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(files.RemoveFile(program), static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(MoveFileW(W(program), W(JoinPath(path, u"moved.dll"))));
  // Nor may the folder itself be renamed away while the run holds it.
  EXPECT_FALSE(MoveFileW(W(path), W(path + u"-moved")));

  ASSERT_EQ(files.CreateDirectories(JoinPath(path, u"Resource\\more")), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(path, u"Resource\\more\\a.png"), "png"), 0u);
  ASSERT_TRUE(SetFileAttributesW(W(JoinPath(path, u"Resource\\more\\a.png")), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(folder->Remove(), 0u);
  EXPECT_FALSE(files.DirectoryExists(path));
}

// Scratch paths that links may lead through: cleared from the Unix side
// before the test and after it.
class LinkScratch {
 public:
  explicit LinkScratch(std::initializer_list<ustring> paths) : paths_(paths) { Clear(); }
  ~LinkScratch() { Clear(); }
  LinkScratch(const LinkScratch&) = delete;
  LinkScratch& operator=(const LinkScratch&) = delete;

 private:
  void Clear() {
    for (const ustring& path : paths_) RemoveFromUnixSide(path);
  }
  std::vector<ustring> paths_;
};

// A link planted in the folder leads to a read-only file outside it;
// removing the folder must not touch that file. Wine shows the link as a
// reparse point but opens its target even when told not to: only the
// handle's own path tells the two apart there.
TEST_P(Win32PrivateFolderOn, RemovalLeavesWhatAPlantedLinkLeadsToAlone) {
  const ustring path = ScratchFolder() + u"prn-private-link-test";
  const ustring victim = ScratchFolder() + u"prn-link-victim.txt";
  LinkScratch scratch{path, victim};
  ASSERT_EQ(Win32FileSystem().WriteFile(victim, "not ours to delete"), 0u);
  ASSERT_TRUE(SetFileAttributesW(W(victim), FILE_ATTRIBUTE_READONLY));
  std::unique_ptr<sys::PrivateFolder> folder;
  ASSERT_EQ(CreateFolder(path, folder), 0u);
  const ustring planted = JoinPath(path, u"planted.txt");
  ASSERT_TRUE(PlantLink(planted, victim));

  folder->Remove();
  EXPECT_NE(GetFileAttributesW(W(victim)), INVALID_FILE_ATTRIBUTES) << "the link's target was deleted";
  EXPECT_NE(GetFileAttributesW(W(victim)) & FILE_ATTRIBUTE_READONLY, 0u) << "the link's target was changed";
}

// A work folder whose parent turns out to be a link (a Unix symbolic link,
// which Wine shows as one) is refused, and nothing stays where it led.
TEST_P(Win32PrivateFolderOn, APathThroughALinkIsRefusedAndLeavesNothingWhereItLeads) {
  const ustring target = ScratchFolder() + u"prn-link-target";
  const ustring link = ScratchFolder() + u"prn-link-parent";
  LinkScratch scratch{link, target};
  ASSERT_TRUE(CreateDirectoryW(W(target), nullptr));
  ASSERT_TRUE(PlantLink(link, target));
  std::unique_ptr<sys::PrivateFolder> folder;
  EXPECT_EQ(CreateFolder(JoinPath(link, u"work"), folder), static_cast<uint32_t>(ERROR_CANT_ACCESS_FILE));
  EXPECT_FALSE(folder);
  EXPECT_FALSE(Exists(JoinPath(target, u"work")));
}

// What reaches CreateDirectoryW when the work folder is made (Wine keeps no
// file's descriptor to read back): a copy is taken on its way through.
std::vector<BYTE> g_reachedDescriptor;

BOOL WINAPI RecordingCreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES attributes) {
  g_reachedDescriptor.clear();
  if (attributes && attributes->lpSecurityDescriptor) {
    DWORD size = 0;
    MakeSelfRelativeSD(attributes->lpSecurityDescriptor, nullptr, &size);
    g_reachedDescriptor.resize(size);
    if (!MakeSelfRelativeSD(attributes->lpSecurityDescriptor, g_reachedDescriptor.data(), &size)) {
      g_reachedDescriptor.clear();
    }
  }
  return CreateDirectoryW(path, attributes);
}

// Owner Administrators, a protected list of Administrators and SYSTEM only,
// a high label that keeps lower integrity levels from writing: the
// descriptor the work folder is created with.
TEST(Win32PrivateFolder, SecurityIsAdministratorsAndSystemAtHighIntegrity) {
  const ustring path = FreshTempFolder(Win32SystemInfo(), u"prn-private-descriptor");
  std::unique_ptr<sys::PrivateFolder> folder;
  ASSERT_EQ(CreatePrivateDirectory(path, folder, RecordingCreateDirectory), 0u);
  folder->Remove();
  ASSERT_FALSE(g_reachedDescriptor.empty()) << "the folder was created without a descriptor";
  PSECURITY_DESCRIPTOR descriptor = g_reachedDescriptor.data();
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PROTECTED);
  EXPECT_TRUE(control & SE_DACL_PRESENT);
  EXPECT_TRUE(control & SE_SACL_PRESENT);

  BYTE admins[SECURITY_MAX_SID_SIZE], localSystem[SECURITY_MAX_SID_SIZE], high[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof(admins);
  CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, admins, &size);
  size = sizeof(localSystem);
  CreateWellKnownSid(WinLocalSystemSid, nullptr, localSystem, &size);
  size = sizeof(high);
  CreateWellKnownSid(WinHighLabelSid, nullptr, high, &size);

  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  ASSERT_TRUE(GetSecurityDescriptorOwner(descriptor, &owner, &defaulted));
  ASSERT_NE(owner, nullptr);
  EXPECT_TRUE(EqualSid(owner, admins));

  BOOL present = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
  ASSERT_TRUE(present && dacl);
  ASSERT_EQ(dacl->AceCount, 2u);
  int adminsSeen = 0, systemSeen = 0;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    ASSERT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
              OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    EXPECT_EQ(ace->Mask & FILE_ALL_ACCESS, static_cast<DWORD>(FILE_ALL_ACCESS));
    adminsSeen += EqualSid(&ace->SidStart, admins) ? 1 : 0;
    systemSeen += EqualSid(&ace->SidStart, localSystem) ? 1 : 0;
  }
  EXPECT_EQ(adminsSeen, 1);
  EXPECT_EQ(systemSeen, 1);

  PACL sacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorSacl(descriptor, &present, &sacl, &defaulted));
  ASSERT_TRUE(present && sacl);
  ASSERT_EQ(sacl->AceCount, 1u);
  SYSTEM_MANDATORY_LABEL_ACE* label = nullptr;
  ASSERT_TRUE(GetAce(sacl, 0, reinterpret_cast<void**>(&label)));
  EXPECT_EQ(label->Header.AceType, SYSTEM_MANDATORY_LABEL_ACE_TYPE);
  EXPECT_EQ(label->Mask, static_cast<DWORD>(SYSTEM_MANDATORY_LABEL_NO_WRITE_UP));
  EXPECT_TRUE(EqualSid(&label->SidStart, high));
}

// Wine 8 keeps of a file's descriptor only what Unix mode bits hold, and
// reports the owner as the Unix user: what it keeps of ours is that Everyone
// gets nothing. (The full list is checked above, as it is handed over.)
TEST(Win32PrivateFolder, WineKeepsOnlyThatEveryoneIsShutOut) {
  Win32SystemInfo system;
  const ustring path = FreshTempFolder(system, u"prn-private-readback");
  std::unique_ptr<sys::PrivateFolder> folder;
  ASSERT_EQ(system.CreatePrivateFolder(path, folder), 0u);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  {
    FileHandle handle(CreateFileW(W(path), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(handle);
    ASSERT_EQ(GetSecurityInfo(handle.Get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  BYTE everyone[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof(everyone);
  CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size);
  ASSERT_NE(dacl, nullptr);
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    EXPECT_FALSE(ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && EqualSid(&ace->SidStart, everyone));
  }
  LocalFree(descriptor);
  EXPECT_EQ(folder->Remove(), 0u);
}

TEST(Win32Resources, ReadsRcDataByteForByteAndReportsAMissingName) {
  Win32Resources resources;
  std::string bytes;
  ASSERT_EQ(resources.ReadRcData(u"PRN_TEST_BLOB", bytes), 0u);
  EXPECT_EQ(bytes, std::string("blob\0with\xff" "bytes", 15));
  EXPECT_EQ(resources.ReadRcData(u"NO_SUCH_RESOURCE", bytes), static_cast<uint32_t>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
}  // namespace prn::win32
