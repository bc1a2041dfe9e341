#include "testing/test_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "sim/files.h"
#include "text/ustring.h"

namespace prn::testing {

std::string Utf16LeWithBom(ustring_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

void WriteFile(sim::SimFileSystem& files, const ustring& path, const std::string& bytes) {
  ustring folder = FolderPart(files.FullPath(path));
  if (!folder.empty() && files.CreateDirectories(folder) != 0) throw std::runtime_error("cannot create folder");
  if (files.WriteFile(path, bytes) != 0) throw std::runtime_error("cannot write " + ToUtf8(path));
}

void WriteUtf16File(sim::SimFileSystem& files, const ustring& path, ustring_view text) {
  WriteFile(files, path, Utf16LeWithBom(text));
}

std::string ReadRepoFile(const std::string& relativePath) {
  std::ifstream in(std::string(PRN_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
  if (!in) throw std::runtime_error("missing repository file " + relativePath);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace prn::testing
