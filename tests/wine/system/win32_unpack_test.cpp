// A file packed by the build's packer, read back through the resource reader
// the installer uses, and packed data that does not unpack whole refused.
// The sample has one chunk of each kind: a run of zeros (one copy of the
// longest length), text (copies of every split of distance and length) and a
// short last chunk of random bytes, stored as it is.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/win32/files.h"
#include "wine/wine_test_support.h"

namespace prn::win32 {
namespace {

std::string PackedResource(const wchar_t* name) {
  HRSRC found = FindResourceW(nullptr, name, L"LZNT1");
  if (!found) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return data ? std::string(data, SizeofResource(nullptr, found)) : std::string();
}

// Where each chunk of a packed file begins, after the size field.
std::vector<size_t> ChunkStarts(const std::string& packed) {
  std::vector<size_t> starts;
  for (size_t at = 4; at + 2 <= packed.size();) {
    starts.push_back(at);
    const unsigned header = static_cast<unsigned char>(packed[at]) | static_cast<unsigned char>(packed[at + 1]) << 8;
    at += 2 + (header & 0xFFF) + 1;
  }
  return starts;
}

TEST(Win32Unpack, ReadsBackWhatThePackerPackedAndRefusesWhatIsNotWhole) {
  std::string sample;
  ASSERT_EQ(Win32FileSystem().ReadFile(testing::SourcePath("tests/data/packed/three_chunks.bin"), sample), 0u);
  std::string unpacked;
  ASSERT_EQ(Win32Resources().ReadRcData(u"PRN_TEST_PACKED", unpacked), 0u);
  EXPECT_TRUE(unpacked == sample) << "unpacked " << unpacked.size() << " of " << sample.size() << " bytes";

  const std::string packed = PackedResource(L"PRN_TEST_PACKED");
  const std::vector<size_t> chunks = ChunkStarts(packed);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(packed[chunks[2] + 1] & 0x80, 0) << "the random tail is stored as it is";

  // Cut after a whole chunk, the rest still decompresses: the size says not all came.
  std::string bytes = "untouched";
  EXPECT_EQ(UnpackLznt1(packed.data(), chunks[2], bytes), static_cast<uint32_t>(ERROR_INVALID_DATA));
  std::string larger = packed;
  larger[1] = static_cast<char>(larger[1] + 1);  // 256 bytes more declared than the chunks hold
  EXPECT_EQ(UnpackLznt1(larger.data(), larger.size(), bytes), static_cast<uint32_t>(ERROR_INVALID_DATA));
  EXPECT_EQ(UnpackLznt1(packed.data(), chunks[1] + 5, bytes), static_cast<uint32_t>(ERROR_INVALID_DATA));
  EXPECT_EQ(UnpackLznt1(packed.data(), 3, bytes), static_cast<uint32_t>(ERROR_INVALID_DATA));
  EXPECT_TRUE(bytes == "untouched") << "a refused unpacking left " << bytes.size() << " bytes behind";
}

}  // namespace
}  // namespace prn::win32
