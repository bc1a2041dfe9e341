// Writing one key into a profile file of any content, as the installer
// writes "Flag" into the host's result file: the file's other text is kept
// and the key reads back, by the profile reader, as the value written.

#include <cstdlib>

#include "config/profile_file.h"
#include "config/profile_store.h"
#include "fuzz_input.h"

namespace {

// A name or value as the installer writes them: letters and digits, a value
// with blanks inside.
prn::ustring Plain(const prn::ustring& raw, bool blanksInside) {
  static constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  prn::ustring plain;
  for (char16_t c : raw) plain.push_back(blanksInside && c % 7 == 0 ? u' ' : kAlphabet[c % 62]);
  while (!plain.empty() && plain.back() == u' ') plain.pop_back();
  while (!plain.empty() && plain.front() == u' ') plain.erase(0, 1);
  return plain.empty() ? prn::ustring(u"X") : plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  fuzz::Fields fields(data, size);
  const ustring section = Plain(fields.Text(), false);
  const ustring key = Plain(fields.Text(), false);
  const ustring value = Plain(fields.Text(), true);
  const ustring text = fields.Text() + fields.Text() + fields.Text();

  const ustring written = config::SetProfileString(text, section, key, value);
  std::string bytes = "\xFF\xFE";
  for (char16_t c : written) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  const config::ProfileFile reread = config::ProfileFile::Parse(bytes, fuzz::FuzzMachine().codePage);
  if (reread.ReadString(section, key, u"\n(missing)") != value) std::abort();
  return 0;
}
