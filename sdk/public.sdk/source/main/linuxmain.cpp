// The entry points a Linux VST3 host calls right after loading the module
// and right before unloading it. Hosts may enter several times (a scanner
// and a player in one process); only the first entry and the last exit
// initialise and de-initialise the module.
#include "public.sdk/source/main/moduleinit.h"

#include "pluginterfaces/base/fplatform.h"

extern "C" {
SMTG_EXPORT_SYMBOL bool ModuleEntry (void* sharedLibraryHandle);
SMTG_EXPORT_SYMBOL bool ModuleExit ();
}

namespace {
// Host calls come on its main thread only.
int entryCount = 0;
} // namespace

bool ModuleEntry (void* sharedLibraryHandle)
{
	if (++entryCount > 1)
		return true;
	Steinberg::setPlatformModuleHandle (sharedLibraryHandle);
	return InitModule ();
}

bool ModuleExit ()
{
	// An exit without an entry would drive the count below zero and run the
	// de-initialisation on a module that was never initialised.
	if (entryCount == 0)
		return false;
	if (--entryCount > 0)
		return true;
	const bool result = DeinitModule ();
	Steinberg::setPlatformModuleHandle (nullptr);
	return result;
}
