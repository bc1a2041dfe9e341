#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "spooler/print_ui.h"
#include "sys/win32/output_pipe.h"
#include "sys/win32/processes.h"
#include "sys/win32/handle.h"
#include "text/ascii.h"
#include "wine_paths.h"

namespace prn {
namespace {

ustring Joined(const StringList& output) { return Join(output, u""); }

// The pipe that carries a child's output lets in the owner of this process's
// objects alone (for the elevated installer: Administrators, whom the user's
// unelevated processes only hold to be denied), read back from the pipe.
TEST(RunCMDUnderWine, TheOutputPipeLetsInOnlyItsOwner) {
  win32::OutputPipe pipe;
  ASSERT_EQ(win32::CreateOutputPipe(pipe), 0u);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetSecurityInfo(pipe.readEnd.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  BYTE owner[256];
  DWORD size = 0;
  ASSERT_TRUE(GetTokenInformation(token, TokenOwner, owner, sizeof(owner), &size));
  CloseHandle(token);
  ASSERT_NE(dacl, nullptr) << "no access list: everyone may open the pipe";
  ASSERT_EQ(dacl->AceCount, 1u);
  ACCESS_ALLOWED_ACE* ace = nullptr;
  ASSERT_TRUE(GetAce(dacl, 0, reinterpret_cast<void**>(&ace)));
  EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
  EXPECT_TRUE(EqualSid(&ace->SidStart, reinterpret_cast<TOKEN_OWNER*>(owner)->Owner));
  LocalFree(descriptor);
}

ustring TestChild(const ustring& arguments) {
  return u"\"" + testing::ProgramFolder() + u"\\prn_test_child.exe\" " + arguments;
}

// The child hands its output to a grandchild and ends; the grandchild keeps
// the pipe open until told to go. RunCMD must return on the child's end.
TEST(RunCMDUnderWine, ReturnsWhenTheChildEndsEvenIfAGrandchildHoldsItsOutput) {
  win32::Win32Processes processes;
  const ustring eventName = u"Local\\prn-runcmd-grandchild-" + ToDecimal(GetCurrentProcessId());
  win32::KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, win32::W(eventName)));
  ASSERT_TRUE(release);
  const ustring marker = testing::TempFolder(u"prn-runcmd-grandchild.txt");
  DeleteFileW(win32::W(marker));

  StringList output;
  EXPECT_EQ(RunCMD(processes, TestChild(u"pass-output " + eventName + u" 20000 \"" + marker + u"\""), output), 1);
  EXPECT_NE(Joined(output).find(u"passed"), ustring::npos);
  EXPECT_EQ(GetFileAttributesW(win32::W(marker)), INVALID_FILE_ATTRIBUTES)
      << "RunCMD waited for the grandchild that held the pipe";
  SetEvent(release.Get());
}

// The test child's answer whether `handle` reached it: "inherited" or "clean".
ustring ChildSeesHandle(sys::Processes& processes, HANDLE handle) {
  const auto value = static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(handle));
  StringList output;
  EXPECT_EQ(RunCMD(processes, TestChild(u"has-handle " + ToDecimal(static_cast<long long>(value))), output), 1);
  return Joined(output);
}

// An inheritable handle of ours (another thread's pipe, say) must not reach
// the child: only the output pipe is passed.
TEST(RunCMDUnderWine, TheChildInheritsNoHandleButItsOutput) {
  win32::Win32Processes processes;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  win32::KernelHandle stray(CreateEventW(&inheritable, TRUE, FALSE, nullptr));
  ASSERT_TRUE(stray);
  const ustring seen = ChildSeesHandle(processes, stray.Get());
  EXPECT_NE(seen.find(u"clean"), ustring::npos) << ToUtf8(seen);
}

// Without the calls that name the inherited handles (Windows XP), the pipe
// made for another start, not yet begun, still stays here; and the child's
// own pipe still carries its output.
TEST(RunCMDUnderWine, WithoutAHandleListTheChildInheritsNoOtherStartsPipe) {
  win32::Win32Processes processes{win32::HandleListCalls{}};
  win32::OutputPipe another;
  ASSERT_EQ(win32::CreateOutputPipe(another), 0u);
  const ustring seen = ChildSeesHandle(processes, another.writeEnd.Get());
  EXPECT_NE(seen.find(u"clean"), ustring::npos) << ToUtf8(seen);
}

}  // namespace
}  // namespace prn
