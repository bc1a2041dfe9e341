// What packing costs the extraction at start-up: each program PrnSetup.exe
// carries, read through the installer's resource reader as it was carried
// before (plain) and as it ships (packed), and written to a file as the
// extraction does. Prints the medians; fails only when a resource is missing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "sys/win32/files.h"
#include "sys/win32/text.h"

namespace {

constexpr int kRuns = 21;

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

struct Extraction {
  double readMs = -1;   // through the resource reader: a copy, or the unpacking
  double writeMs = -1;  // the file written, as the extraction does
  size_t size = 0;
};

// Medians for the carried file `name`.
Extraction TimeExtraction(const prn::ustring& name, const std::wstring& target) {
  const prn::win32::Win32Resources resources;
  std::vector<double> reads, writes;
  Extraction result;
  for (int run = 0; run < kRuns; ++run) {
    std::string bytes;
    const double start = prn::bench::NowMs();
    if (resources.ReadRcData(name, bytes) != ERROR_SUCCESS) return result;
    const double read = prn::bench::NowMs();
    if (!WriteBytes(target, bytes)) return result;
    reads.push_back(read - start);
    writes.push_back(prn::bench::NowMs() - read);
    result.size = bytes.size();
  }
  result.readMs = prn::bench::Median(reads);
  result.writeMs = prn::bench::Median(writes);
  return result;
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring target = std::wstring(temp) + L"prn-extraction-bench.bin";
  std::printf("extraction of the carried programs (median of %d): read plain, read packed, write\n", kRuns);
  double plainTotal = 0, packedTotal = 0, writeTotal = 0;
  for (const char16_t* name : {u"INST2KDLL", u"INST2K64DLL", u"PRNSETUP64EXE"}) {
    const Extraction plain = TimeExtraction(prn::ustring(name) + u"_PLAIN", target);
    const Extraction packed = TimeExtraction(name, target);
    if (plain.readMs < 0 || packed.readMs < 0 || plain.size != packed.size) {
      std::printf("  %s could not be read\n", prn::ToUtf8(name).c_str());
      DeleteFileW(target.c_str());
      return 1;
    }
    std::printf("  %-14s %7zu bytes  %6.2f ms  %6.2f ms  %6.2f ms\n", prn::ToUtf8(name).c_str(), plain.size,
                plain.readMs, packed.readMs, packed.writeMs);
    plainTotal += plain.readMs;
    packedTotal += packed.readMs;
    writeTotal += packed.writeMs;
  }
  std::printf("  all three: read plain %.2f ms, unpack %.2f ms, write %.2f ms\n", plainTotal, packedTotal, writeTotal);
  DeleteFileW(target.c_str());
  return 0;
}
