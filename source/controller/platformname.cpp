// The platform query of the about area.
#include "controller/platformname.h"

#include <cerrno>

#if defined(__APPLE__)
#include <sys/sysctl.h>
#include <sys/types.h>
#elif defined(__unix__)
#include <sys/utsname.h>
#endif

namespace Steinberg {
namespace Vst {

const char* platformNameForQuery (int result, int error, int32_t translated) noexcept
{
	// ENOENT means the kernel does not know the name at all: an Intel Mac
	// from before Rosetta 2, so native x86_64.
	if (result == -1)
		return error == ENOENT ? "x86_64-macOS" : "unknown";
	switch (translated)
	{
		case 0: return "arm64-macOS";
		case 1: return "arm64-macOS (T)";
		case 2: return "x86_64-macOS";
		default: return "unknown";
	}
}

#if defined(__unix__) && !defined(__APPLE__)
namespace {

// uname's fields are plain ASCII in practice; anything else is replaced so
// that the text stays valid UTF-8 for the label.
std::string asciiOnly (const char* text)
{
	std::string out;
	for (const char* c = text; *c; ++c)
		out += (*c >= 0x20 && *c < 0x7f) ? *c : '_';
	return out;
}

} // namespace
#endif

std::string queryPlatformName ()
{
#if defined(__APPLE__)
	int32_t translated = 0;
	size_t size = sizeof (translated);
	const int result = sysctlbyname ("sysctl.proc_translated", &translated, &size, nullptr, 0);
	const int error = result == -1 ? errno : 0;
	return platformNameForQuery (result, error, translated);
#elif defined(__unix__)
	struct utsname names {};
	if (uname (&names) != 0 || names.machine[0] == 0 || names.sysname[0] == 0)
		return "unknown";
	return asciiOnly (names.machine) + "-" + asciiOnly (names.sysname);
#else
	return "unknown";
#endif
}

} // namespace Vst
} // namespace Steinberg
