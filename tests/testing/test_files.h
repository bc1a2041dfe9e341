#pragma once
// Small helpers for writing test data onto a simulated machine.

#include <string>

#include "text/ustring.h"

namespace prn::sim {
class SimFileSystem;
}

namespace prn::testing {

// UTF-16LE bytes with byte-order mark, as the shipped profile files are.
std::string Utf16LeWithBom(ustring_view text);
// Writes a file (creating its folder) on the simulated machine.
void WriteFile(sim::SimFileSystem& files, const ustring& path, const std::string& bytes);
void WriteUtf16File(sim::SimFileSystem& files, const ustring& path, ustring_view text);
// The content of a file of the repository (for example the shipped language files).
std::string ReadRepoFile(const std::string& relativePath);

}  // namespace prn::testing
