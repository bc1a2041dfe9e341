// Runs a fuzz target over every file of the folders (or files) it is given,
// for compilers without libFuzzer and for the quick corpus check in CTest.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int RunOne(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  size_t inputs = 0;
  int failures = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        failures += RunOne(entry.path());
        ++inputs;
      }
    } else {
      failures += RunOne(path);
      ++inputs;
    }
  }
  std::printf("%zu inputs replayed\n", inputs);
  // An empty corpus proves nothing: count it as a failure.
  return failures == 0 && inputs > 0 ? 0 : 1;
}
