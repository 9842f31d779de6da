// What runs when a host enters and leaves the module: functions registered
// from static objects, run by InitModule and DeinitModule, and the handle
// the host loaded the module by.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <functional>

namespace Steinberg {

using ModuleInitFunction = std::function<void ()>;
using ModuleInitPriority = uint32;
static constexpr ModuleInitPriority DefaultModulePriority = 1000;

// Runs `func` in InitModule; lower priorities first, equal ones in the order
// of registration.
struct ModuleInitializer
{
	explicit ModuleInitializer (ModuleInitFunction&& func,
	                            ModuleInitPriority priority = DefaultModulePriority);
};

// Runs `func` in DeinitModule, in the same order rule.
struct ModuleTerminator
{
	explicit ModuleTerminator (ModuleInitFunction&& func,
	                           ModuleInitPriority priority = DefaultModulePriority);
};

using PlatformModuleHandle = void*;

// The handle given to the module entry (the dlopen handle on Linux); null
// outside an entry/exit pair.
PlatformModuleHandle getPlatformModuleHandle ();
void setPlatformModuleHandle (PlatformModuleHandle handle);

} // namespace Steinberg

// Run by the platform's module entry on the first entry and by its exit on
// the last one.
bool InitModule ();
bool DeinitModule ();
