#pragma once
// Real PNG, JPEG and GIF files made by the libraries themselves, for the
// tests and benchmarks of the package check.

#include <cstdint>
#include <string>

namespace prn::testing {

struct Colour {
  uint8_t red, green, blue;
};

// A picture of one colour with a differently coloured top-left pixel, so that
// a decoder that ignores position or colour is caught.
std::string PngBytes(uint32_t width, uint32_t height, Colour colour);
std::string JpegBytes(uint32_t width, uint32_t height, Colour colour);
std::string GifBytes(uint32_t width, uint32_t height, Colour colour);

}  // namespace prn::testing
