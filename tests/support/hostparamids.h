// The plug-in's parameter IDs as a host sees them in the parameter
// information, for the tests that drive the built bundle as a host.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace LumivoTest {

enum : Steinberg::Vst::ParamID
{
	kLevel = 0,
	kDepth = 1,
	kDegree = 2,
	kRate = 3,
	kBypass = 4,
};

} // namespace LumivoTest
