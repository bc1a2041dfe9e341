#include "sim/codepage.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <cerrno>
#endif

#include <string>

namespace prn::sim {

#ifdef _WIN32

// On Windows the simulation borrows the system's tables for the chosen page.
std::string SimCodePage::ToAnsi(ustring_view text) const {
  if (text.empty()) return {};
  auto wide = reinterpret_cast<const wchar_t*>(text.data());
  int size = WideCharToMultiByte(id_, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(id_, 0, wide, static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

ustring SimCodePage::FromAnsi(std::string_view text) const {
  if (text.empty()) return {};
  int size = MultiByteToWideChar(id_, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(id_, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return ustring(out.begin(), out.end());
}

#else

namespace {

std::string IconvName(unsigned id) { return "CP" + std::to_string(id); }

// Converts one UTF-16 unit sequence at a time so that an unmappable character
// becomes '?' and the rest goes on, as WideCharToMultiByte does.
std::string Encode(unsigned id, ustring_view text) {
  iconv_t cd = iconv_open(IconvName(id).c_str(), "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text.size(), '?');
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
    char in[4];
    for (size_t k = 0; k < units; ++k) {
      in[2 * k] = static_cast<char>(text[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(text[i + k] >> 8);
    }
    char buf[8];
    char* inPtr = in;
    size_t inLeft = units * 2;
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      out.push_back('?');
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(buf, outPtr);
    }
    i += units - 1;
  }
  iconv_close(cd);
  return out;
}

ustring Decode(unsigned id, std::string_view text) {
  iconv_t cd = iconv_open("UTF-16LE", IconvName(id).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return ustring(text.begin(), text.end());
  ustring out;
  std::string input(text);
  char* inPtr = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    char buf[256];
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    for (char* p = buf; p + 1 < outPtr; p += 2) {
      out.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                          (static_cast<unsigned char>(p[1]) << 8)));
    }
    if (rc == static_cast<size_t>(-1) && errno == EILSEQ) {
      out.push_back(u'?');  // a byte the code page does not define
      ++inPtr;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back(u'?');  // a lead byte cut off at the end
      break;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string SimCodePage::ToAnsi(ustring_view text) const { return Encode(id_, text); }
ustring SimCodePage::FromAnsi(std::string_view text) const { return Decode(id_, text); }

#endif

}  // namespace prn::sim
