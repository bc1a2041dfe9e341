#pragma once
// The installer's own result codes; they share the 32-bit install error value
// with Windows and SetupAPI codes.

#include <cstdint>

namespace prn::install {

constexpr uint32_t UIAddPrinterFailed = 0x20280001;
constexpr uint32_t ReqOfflineInstall = 0x20280010;
constexpr uint32_t UIAddPrinterNoNewPrinter = 0x20280020;

}  // namespace prn::install
