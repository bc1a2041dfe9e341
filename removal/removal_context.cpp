#include "removal/removal_context.h"

#include "app/system_queries.h"

namespace prn::removal {

RemovalContext::RemovalContext(sys::Platform machine) : platform(machine), wow64(app::IsWow64(*machine.system)) {}

}  // namespace prn::removal
