#pragma once
// Reading the shipped content (language files, logos, example package) from
// the repository for the content checks.

#include <filesystem>
#include <string>
#include <vector>

#include "config/profile_file.h"
#include "text/ustring.h"

namespace prn::testing {

inline const char* const kLanguageFiles[] = {
    "resources/lang/Strings_EN.ini",
    "resources/lang/Strings_CN.ini",
    "resources/lang/Strings_CHT.ini",
};

// A repository folder as a host path (for mounting it on a simulated machine).
std::filesystem::path RepoPath(const std::string& relativePath);

// A profile file of the repository, parsed with the installer's own reader.
config::ProfileFile ParseRepoProfile(const std::string& relativePath);

// The value of a present key; fails the calling test (and answers empty) when absent.
ustring Required(const config::ProfileFile& file, ustring_view section, ustring_view key);

// The conversions of the placeholders in order ("s", ".8x", …), for comparing
// a translation with its original beyond the mere count.
std::vector<ustring> PlaceholderConversions(ustring_view pattern);

// How many literal "\r\n" line-break markers (letters in any case) a text holds.
int LineBreakMarkers(ustring_view text);

// Width and height from a PNG header; false when the bytes are no PNG.
bool PngSize(const std::string& bytes, int& width, int& height);

// A bitmap that the resource compiler embeds as is: BITMAPINFOHEADER,
// 24 bits per pixel, uncompressed, and as long as its header says.
bool IsTrueColourBitmap(const std::string& bytes);

}  // namespace prn::testing
