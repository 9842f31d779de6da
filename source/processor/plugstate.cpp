// Reader and writer of the 44-byte component state record.
#include "processor/plugstate.h"

#include "base/source/fstreamer.h"
#include "pluginterfaces/base/ibstream.h"

namespace Steinberg {
namespace Vst {

tresult readPlugState (PlugState& state, IBStream* stream)
{
	if (!stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);

	int64 reserved = 0;
	double level = 0.0;
	double depth = 0.0;
	double degree = 0.0;
	double rate = 0.0;
	int32 bypass = 0;
	if (!streamer.readInt64 (reserved) || !streamer.readDouble (level) ||
	    !streamer.readDouble (depth) || !streamer.readDouble (degree) ||
	    !streamer.readDouble (rate) || !streamer.readInt32 (bypass))
		return kResultFalse;

	state.level = level;
	state.depth = depth;
	state.degree = degree;
	state.rate = rate;
	state.bypass = bypass > 0;
	return kResultOk;
}

tresult writePlugState (const PlugState& state, IBStream* stream)
{
	if (!stream)
		return kResultFalse;
	IBStreamer streamer (stream, kLittleEndian);

	if (!streamer.writeInt64 (0) || !streamer.writeDouble (state.level) ||
	    !streamer.writeDouble (state.depth) || !streamer.writeDouble (state.degree) ||
	    !streamer.writeDouble (state.rate) || !streamer.writeInt32 (state.bypass ? 1 : 0))
		return kResultFalse;
	return kResultOk;
}

} // namespace Vst
} // namespace Steinberg
