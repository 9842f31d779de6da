// The component state record: 44 bytes, little-endian, no version field.
//   int64 reserved (written 0) | double level, depth, degree, rate | int32 bypass
// The processor writes it; the processor and the controller read it, both
// through these two functions only.
#pragma once

#include "pluginterfaces/base/ftypes.h"

namespace Steinberg {
class IBStream;
namespace Vst {

struct PlugState
{
	double level;
	double depth;
	double degree;
	double rate;
	bool bypass;
};

// All or nothing: on any short read the record is left untouched.
tresult readPlugState (PlugState& state, IBStream* stream);
tresult writePlugState (const PlugState& state, IBStream* stream);

} // namespace Vst
} // namespace Steinberg
