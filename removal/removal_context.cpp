#include "removal/removal_context.h"

#include "sys/system_queries.h"

namespace prn::removal {

RemovalContext::RemovalContext(sys::Platform machine) : platform(machine), wow64(sys::IsWow64(*machine.system)) {}

}  // namespace prn::removal
