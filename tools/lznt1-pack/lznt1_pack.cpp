// lznt1-pack <input> <output>
//
// Packs a file that PrnSetup.exe carries: four bytes with the unpacked size
// (little-endian), then the file in LZNT1, which ntdll's RtlDecompressBuffer
// reads on every Windows since XP. Runs on the build machine at build time;
// the output is rewritten only when its bytes change, so that the resource
// compiler does not run again for nothing.
//
// LZNT1: a chunk for every 4096 bytes of input (the last one may be shorter),
// each one a 16-bit header and a body. The header holds the body's size less
// one in bits 0-11, the signature 3 in bits 12-14, and in bit 15 whether the
// body is compressed; a body that would not get smaller is stored as it is.
// A compressed body is groups of a flag byte and eight tokens (bit 0 for the
// first): a clear bit is one literal byte, a set bit a 16-bit copy of earlier
// bytes of the same chunk. How the copy's bits split between distance and
// length depends on how many bytes of the chunk are out already: the distance
// takes just enough bits to reach the chunk's start, at least four.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kChunk = 4096;
constexpr size_t kMinCopy = 3;
constexpr unsigned kLiteralBits = 9;  // its byte and its flag bit
constexpr unsigned kCopyBits = 17;

// Bits of a copy's distance when `out` bytes of the chunk are decoded.
unsigned DistanceBits(size_t out) {
  unsigned bits = 4;
  while ((size_t{1} << bits) < out) ++bits;
  return bits;
}

size_t LongestCopy(size_t out) { return (size_t{1} << (16 - DistanceBits(out))) + kMinCopy - 1; }

struct Copy {
  size_t length = 0;
  size_t distance = 0;
};

// The longest earlier match at every position of one chunk. Candidates come
// from a chain of the positions with the same three-byte start, nearest first.
std::vector<Copy> LongestMatches(const uint8_t* data, size_t size) {
  std::vector<Copy> best(size);
  std::vector<int> head(1 << 16, -1);
  std::vector<int> previous(size, -1);
  auto hash = [&](size_t at) { return ((data[at] << 8) ^ (data[at + 1] << 4) ^ data[at + 2]) & 0xFFFF; };
  for (size_t at = 0; at + kMinCopy <= size; ++at) {
    const size_t key = hash(at);
    const size_t limit = std::min(LongestCopy(at), size - at);
    for (int from = head[key]; from >= 0 && best[at].length < limit; from = previous[from]) {
      size_t length = 0;
      while (length < limit && data[from + length] == data[at + length]) ++length;
      if (length >= kMinCopy && length > best[at].length) best[at] = {length, at - from};
    }
    previous[at] = head[key];
    head[key] = static_cast<int>(at);
  }
  return best;
}

// The cheapest split of a chunk into literals and copies, counted in bits:
// a copy can be cut to any length from three to the longest found.
std::vector<Copy> CheapestTokens(const uint8_t* data, size_t size) {
  const std::vector<Copy> longest = LongestMatches(data, size);
  std::vector<size_t> cost(size + 1, 0);
  std::vector<size_t> take(size, 1);
  for (size_t at = size; at-- > 0;) {
    cost[at] = cost[at + 1] + kLiteralBits;
    for (size_t length = kMinCopy; length <= longest[at].length; ++length) {
      if (cost[at + length] + kCopyBits < cost[at]) {
        cost[at] = cost[at + length] + kCopyBits;
        take[at] = length;
      }
    }
  }
  std::vector<Copy> tokens;  // length 1 and distance 0: a literal
  for (size_t at = 0; at < size; at += take[at]) tokens.push_back({take[at], take[at] > 1 ? longest[at].distance : 0});
  return tokens;
}

Bytes CompressChunk(const uint8_t* data, size_t size) {
  Bytes body;
  size_t out = 0;
  size_t flagAt = 0;
  int tokenInGroup = 8;
  for (const Copy& token : CheapestTokens(data, size)) {
    if (tokenInGroup == 8) {
      flagAt = body.size();
      body.push_back(0);
      tokenInGroup = 0;
    }
    if (token.distance == 0) {
      body.push_back(data[out]);
    } else {
      body[flagAt] |= static_cast<uint8_t>(1u << tokenInGroup);
      const unsigned lengthBits = 16 - DistanceBits(out);
      const auto code = static_cast<uint16_t>(((token.distance - 1) << lengthBits) | (token.length - kMinCopy));
      body.push_back(static_cast<uint8_t>(code & 0xFF));
      body.push_back(static_cast<uint8_t>(code >> 8));
    }
    out += token.length;
    ++tokenInGroup;
  }
  return body;
}

Bytes Pack(const Bytes& input) {
  const auto size = static_cast<uint32_t>(input.size());
  Bytes packed{static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size >> 16),
               static_cast<uint8_t>(size >> 24)};
  for (size_t at = 0; at < input.size(); at += kChunk) {
    const size_t length = std::min(kChunk, input.size() - at);
    Bytes body = CompressChunk(input.data() + at, length);
    uint16_t header = 0xB000;
    if (body.size() >= length) {
      body.assign(input.begin() + at, input.begin() + at + length);
      header = 0x3000;
    }
    header |= static_cast<uint16_t>(body.size() - 1);
    packed.push_back(static_cast<uint8_t>(header & 0xFF));
    packed.push_back(static_cast<uint8_t>(header >> 8));
    packed.insert(packed.end(), body.begin(), body.end());
  }
  return packed;
}

bool Read(const char* path, Bytes& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lznt1-pack <input> <output>\n");
    return 2;
  }
  Bytes input;
  if (!Read(argv[1], input)) {
    std::fprintf(stderr, "lznt1-pack: cannot read %s\n", argv[1]);
    return 1;
  }
  if (input.size() > UINT32_MAX) {
    std::fprintf(stderr, "lznt1-pack: %s is too large\n", argv[1]);
    return 1;
  }
  const Bytes packed = Pack(input);
  Bytes existing;
  if (Read(argv[2], existing) && existing == packed) return 0;
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
  output.close();
  if (!output) {
    std::fprintf(stderr, "lznt1-pack: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
