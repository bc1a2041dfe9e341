#pragma once
// The installer's own install result codes. They share the 32-bit error
// value of an install step with Windows and SetupAPI codes.

#include <cstdint>

namespace prn::install {

// The printer was not added through the system printer UI.
constexpr uint32_t UIAddPrinterFailed = 0x20280001;
// The printer is judged installed on its port already; install offline instead.
constexpr uint32_t ReqOfflineInstall = 0x20280010;
// The printer UI ran but the new printer could not be told apart.
constexpr uint32_t UIAddPrinterNoNewPrinter = 0x20280020;

}  // namespace prn::install
