#include "sys/win32/output_pipe.h"

#include <vector>

#include "sys/win32/system_info.h"
#include "sys/win32/text.h"
#include "text/format.h"

namespace prn::win32 {

namespace {

// A name nobody can guess, to take the pipe's place before us: the process
// and 64 bits of the system's random generator.
std::wstring UnguessablePipeName(uint32_t& code) {
  uint64_t number = 0;
  code = Win32SystemInfo().UnpredictableNumber(number);
  return Wide(Format(u"\\\\.\\pipe\\prnsetup-output-%u-%.8X%.8X",
                     {static_cast<unsigned long>(GetCurrentProcessId()), static_cast<unsigned>(number >> 32),
                      static_cast<unsigned>(number)}));
}

// An access list that lets in the owner of this process's new objects and
// nobody else: for an elevated administrator that is the Administrators
// group, which the user's own unelevated processes hold only to be denied.
class OwnerOnlySecurity {
 public:
  uint32_t Build() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return GetLastError();
    KernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenOwner, nullptr, 0, &size);
    owner_.resize(size);
    if (!GetTokenInformation(token, TokenOwner, owner_.data(), size, &size)) return GetLastError();
    PSID sid = reinterpret_cast<TOKEN_OWNER*>(owner_.data())->Owner;
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sid);
    acl_.assign(aclSize, 0);
    auto acl = reinterpret_cast<PACL>(acl_.data());
    if (!InitializeAcl(acl, aclSize, ACL_REVISION) || !AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) ||
        !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE)) {
      return GetLastError();
    }
    attributes_ = SECURITY_ATTRIBUTES{sizeof(attributes_), &descriptor_, FALSE};
    return ERROR_SUCCESS;
  }
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

 private:
  std::vector<BYTE> owner_, acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
};

}  // namespace

uint32_t CreateOutputPipe(OutputPipe& pipe) {
  OwnerOnlySecurity security;
  if (uint32_t code = security.Build()) return code;
  uint32_t code = 0;
  const std::wstring name = UnguessablePipeName(code);
  if (code) return code;
  // The first instance, or none: a pipe of this name made by someone else
  // before us is never joined.
  pipe.readEnd.Reset(CreateNamedPipeW(name.c_str(),
                                      PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                      PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096, 4096, 0,
                                      security.Attributes()));
  if (!pipe.readEnd) return GetLastError();
  // Not inheritable yet: the start that hands it to its child makes it so.
  pipe.writeEnd.Reset(
      CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!pipe.writeEnd) {
    uint32_t code = GetLastError();
    pipe.readEnd.Reset();
    return code;
  }
  return ERROR_SUCCESS;
}

OutputReader::OutputReader(KernelHandle readEnd, HANDLE process)
    : readEnd_(std::move(readEnd)), process_(process), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

sys::CapturedProcess::Read OutputReader::Close(std::string& chunk, sys::CapturedProcess::Read result) {
  chunk.clear();
  readEnd_.Reset();
  return result;
}

sys::CapturedProcess::Read OutputReader::Read(std::string& chunk, size_t maxBytes) {
  using Result = sys::CapturedProcess::Read;
  chunk.clear();
  if (!readEnd_) return Result::End;
  if (!done_) return Close(chunk, Result::Failed);
  for (;;) {
    chunk.resize(maxBytes);
    OVERLAPPED overlapped{};
    overlapped.hEvent = done_.Get();
    ResetEvent(done_.Get());
    if (!::ReadFile(readEnd_.Get(), chunk.data(), static_cast<DWORD>(maxBytes), nullptr, &overlapped)) {
      DWORD code = GetLastError();
      if (code == ERROR_BROKEN_PIPE) return Close(chunk, Result::End);
      if (code != ERROR_IO_PENDING) return Close(chunk, Result::Failed);
    }
    if (!childEnded_) {
      HANDLE waits[] = {done_.Get(), process_};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) childEnded_ = true;
    }
    // The child has gone and nothing is left to read: whoever else holds
    // its end of the pipe is not waited for.
    if (childEnded_ && WaitForSingleObject(done_.Get(), 0) == WAIT_TIMEOUT) CancelIo(readEnd_.Get());

    DWORD read = 0;
    BOOL ok = GetOverlappedResult(readEnd_.Get(), &overlapped, &read, TRUE);  // the read ends before `chunk` moves
    if (ok && read > 0) {
      chunk.resize(read);
      return Result::Data;
    }
    if (ok) continue;  // an empty write
    DWORD code = GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_OPERATION_ABORTED) return Close(chunk, Result::End);
    return Close(chunk, Result::Failed);
  }
}

}  // namespace prn::win32
