// Class and parameter identifiers shared by the factory, the processor and
// the controller.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg {
namespace Vst {

// Internal linkage on purpose: every unit holds its own copy, built during
// static initialisation before any host call.
static const FUID PlugProcessorUID (0xE315D9E1, 0xB38549F7, 0x8F4CE232, 0x3642BFF7);
static const FUID PlugControllerUID (0xF3B46FDE, 0x32CB4976, 0x9FB62714, 0x9D98CC11);

enum PlugParamID : ParamID
{
	kLevelId = 0,
	kDepthId = 1,
	kDegreeId = 2,
	kRateId = 3,
	kBypassId = 4,
};

// The one rule for a normalised value from outside (a parameter queue, a
// state record, a host call), the SDK parameter's own with NaN added: NaN
// becomes 0, anything else is clamped into 0..1. Values in 0..1 pass
// unchanged, bit for bit.
constexpr ParamValue toNormalizedRange (ParamValue value) noexcept
{
	return value >= 0.0 ? (value <= 1.0 ? value : 1.0) : 0.0;
}

} // namespace Vst
} // namespace Steinberg
