#include "sys/win32/win32_output_pipe.h"

#include <atomic>

namespace prn::win32 {

namespace {

std::wstring UniquePipeName() {
  static std::atomic<unsigned> counter{0};
  return L"\\\\.\\pipe\\prnsetup-output-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount64());
}

}  // namespace

uint32_t CreateOutputPipe(OutputPipe& pipe) {
  const std::wstring name = UniquePipeName();
  pipe.readEnd.Reset(CreateNamedPipeW(name.c_str(),
                                      PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                      PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096, 4096, 0,
                                      nullptr));
  if (!pipe.readEnd) return GetLastError();
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  pipe.writeEnd.Reset(
      CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!pipe.writeEnd) {
    uint32_t code = GetLastError();
    pipe.readEnd.Reset();
    return code;
  }
  return ERROR_SUCCESS;
}

OutputReader::OutputReader(KernelHandle readEnd, HANDLE process)
    : readEnd_(std::move(readEnd)), process_(process), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

OutputReader::~OutputReader() { CancelPending(); }

void OutputReader::CancelPending() {
  if (!pending_) return;
  CancelIoEx(readEnd_.Get(), &overlapped_);
  DWORD ignored = 0;
  GetOverlappedResult(readEnd_.Get(), &overlapped_, &ignored, TRUE);  // the buffer must outlive the read
  pending_ = false;
}

sys::CapturedProcess::Read OutputReader::Close(sys::CapturedProcess::Read result) {
  CancelPending();
  readEnd_.Reset();
  return result;
}

sys::CapturedProcess::Read OutputReader::Read(std::string& chunk, size_t maxBytes) {
  using Result = sys::CapturedProcess::Read;
  chunk.clear();
  if (!readEnd_) return Result::End;
  if (!done_) return Close(Result::Failed);
  for (;;) {
    if (!pending_) {
      buffer_.assign(maxBytes, '\0');
      overlapped_ = OVERLAPPED{};
      overlapped_.hEvent = done_.Get();
      ResetEvent(done_.Get());
      if (!::ReadFile(readEnd_.Get(), buffer_.data(), static_cast<DWORD>(maxBytes), nullptr, &overlapped_)) {
        DWORD code = GetLastError();
        if (code == ERROR_BROKEN_PIPE) return Close(Result::End);
        if (code != ERROR_IO_PENDING) return Close(Result::Failed);
      }
      pending_ = true;
    }
    if (!childEnded_) {
      HANDLE waits[] = {done_.Get(), process_};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) childEnded_ = true;
    }
    // The child has gone and nothing is left to read: whoever else holds
    // its end of the pipe is not waited for.
    if (childEnded_ && WaitForSingleObject(done_.Get(), 0) == WAIT_TIMEOUT) CancelIoEx(readEnd_.Get(), &overlapped_);

    DWORD read = 0;
    BOOL ok = GetOverlappedResult(readEnd_.Get(), &overlapped_, &read, TRUE);
    pending_ = false;
    if (ok && read > 0) {
      chunk.assign(buffer_.data(), read);
      return Result::Data;
    }
    if (ok) continue;  // an empty write
    DWORD code = GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_OPERATION_ABORTED) return Close(Result::End);
    return Close(Result::Failed);
  }
}

}  // namespace prn::win32
