#pragma once
// How many bytes a record takes in an enumeration buffer of the 32-bit
// installer: the fixed structure plus its strings (and device mode) behind it.
// These sizes decide when a fixed buffer overflows, as on Windows.

#include <cstdint>

#include "sys/spooler.h"

namespace prn::sim {

uint32_t BufferBytes(const sys::PRINTER_INFO_2W& info);
uint32_t BufferBytes(const sys::PRINTER_INFO_4W& info);
uint32_t BufferBytes(const sys::PRINTER_INFO_5W& info);
uint32_t BufferBytes(const sys::DRIVER_INFO_1W& info);
uint32_t BufferBytes(const sys::DRIVER_INFO_3W& info);
uint32_t BufferBytes(const sys::PORT_INFO_2W& info);
uint32_t BufferBytes(const sys::JOB_INFO_1W& info);

}  // namespace prn::sim
