#include "spooler/driver_environment.h"

namespace prn::spooler {

ustring DriverEnvironment(bool wow64) { return wow64 ? u"Windows x64" : u""; }

ustring PrintUiArchitecture(bool wow64) { return wow64 ? u"x64" : u"intel"; }

}  // namespace prn::spooler
