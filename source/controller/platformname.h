// The platform text of the about area: which machine architecture the
// plug-in runs on, and on macOS whether it runs translated (Rosetta).
#pragma once

#include <cstdint>
#include <string>

namespace Steinberg {
namespace Vst {

// The text for one outcome of the macOS query "sysctl.proc_translated":
// the call's result, the errno it left (read only when the result is -1)
// and the integer it wrote. Pure, so every build can check the mapping.
const char* platformNameForQuery (int result, int error, int32_t translated) noexcept;

// The platform text of the running process, queried anew on each call. On
// macOS it comes from the query above; elsewhere it is the machine's
// architecture and the system's name as uname reports them, for example
// "x86_64-Linux", or "unknown" when they cannot be read.
std::string queryPlatformName ();

} // namespace Vst
} // namespace Steinberg
