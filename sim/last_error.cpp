#include "sim/last_error.h"

namespace prn::sim {

namespace {
thread_local uint32_t t_lastError = 0;
}

uint32_t SimLastError::Get() const { return t_lastError; }
void SimLastError::Set(uint32_t code) { t_lastError = code; }

}  // namespace prn::sim
