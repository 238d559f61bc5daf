// The log of class-type and factory registrations, shared by CQmClassType and
// CQmObjectFactory; read back through the control functions.
#pragma once

#include <string>

namespace qmhost::detail {

void AppendRegistryLog(const char* event, const char* name);

}  // namespace qmhost::detail
