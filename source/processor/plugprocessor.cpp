// The audio processor shell and the tremolo signal path. All signal
// arithmetic is in double, also for 32-bit buffers.
#include "processor/plugprocessor.h"

#include "processor/plugids.h"
#include "pluginterfaces/base/fstrdefs.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace Steinberg {
namespace Vst {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int32 kCounterMax = std::numeric_limits<int32>::max ();
constexpr int32 kCounterMin = std::numeric_limits<int32>::min ();

// NaN fails both comparisons.
bool fitsCounter (double count, int32 highest) noexcept
{
	return count >= static_cast<double> (kCounterMin) && count <= static_cast<double> (highest);
}

// The oscillator counter is 32-bit; a count that would leave that range is
// folded by whole oscillator turns: the phase reached is reduced modulo 2 pi
// (exact in floating point) and turned back into samples of the increment
// in force, rounded as a rescaled count is. The phase then moves by at most
// half a sample's step, as it does on a rate change. Only when one turn is
// longer than the 32-bit range (rates below about 2e-5 Hz at 44.1 kHz) can
// no fold fit, and the counter saturates: finite, but the phase jumps.
int32 foldCounter (double phase, double increment, int32 highest) noexcept
{
	if (increment == 0.0 || !std::isfinite (phase) || !std::isfinite (increment))
		return 0;
	const double turn = std::fmod (phase, kTwoPi);
	const double count = std::trunc (turn / increment + 0.5);
	if (fitsCounter (count, highest))
		return static_cast<int32> (count);
	const double otherWay = std::trunc ((turn - std::copysign (kTwoPi, turn)) / increment + 0.5);
	if (fitsCounter (otherWay, highest))
		return static_cast<int32> (otherWay);
	return count > 0.0 ? highest : kCounterMin;
}

// What depends on the sample rate alone; computed at activation.
struct RateCoefficients
{
	double smoothA;
	double smoothB;
	double twoPiOverSampleRate;
	double lpA;
	double lpB;
};

RateCoefficients coefficientsFor (double sampleRate, double smoothingMs) noexcept
{
	RateCoefficients c {};
	// The glide covers all but e^-2.2 of a level step within smoothingMs.
	const double r = std::exp (-2.2 / (smoothingMs * 0.001 * sampleRate));
	c.smoothA = r;
	c.smoothB = 1.0 - r;
	const double inv = 1.0 / sampleRate;
	c.twoPiOverSampleRate = inv * kTwoPi;
	// Bilinear one-pole low-pass at 15 Hz (30 pi = 2 pi * 15) with a gain of
	// 0.99 at zero frequency.
	const double w = 94.24777960769379 * inv;
	c.lpA = (1.0 - std::sin (w)) / std::cos (w);
	c.lpB = 0.495 - c.lpA * 0.495;
	return c;
}

// The 15 Hz low-pass needs its corner below Nyquist: at 30 Hz and below
// its coefficients describe no low-pass, and over most of that range its
// feedback reaches or passes 1 in magnitude. At extreme rates the
// coefficients overflow or the pole rounds to 1. NaN fails every test.
bool usableRate (double sampleRate, double smoothingMs) noexcept
{
	if (!(sampleRate > 30.0) || !std::isfinite (sampleRate))
		return false;
	const RateCoefficients c = coefficientsFor (sampleRate, smoothingMs);
	return std::isfinite (c.smoothA) && std::isfinite (c.smoothB) &&
	       std::isfinite (c.twoPiOverSampleRate) && std::isfinite (c.lpB) && std::fabs (c.lpA) < 1.0;
}

// Zero for a magnitude below the floor, otherwise the value itself, NaN and
// infinities included.
inline double flushBelow (double value, double floor) noexcept
{
	return std::fabs (value) < floor ? 0.0 : value;
}

// Outputs are written through these. A float output that rounds below the
// float's normal range (a silent input at a gain and state near zero) is
// stored as a zero of its sign; done on the bits, without a branch, because
// it runs for every sample. A 64-bit output stays normal above the floor.
inline void putSample (Sample32& out, double value) noexcept
{
	const float rounded = static_cast<float> (value);
	uint32_t bits;
	std::memcpy (&bits, &rounded, sizeof (bits));
	bits &= (bits & 0x7f800000u) != 0u ? 0xffffffffu : 0x80000000u;
	std::memcpy (&out, &bits, sizeof (bits));
}

inline void putSample (Sample64& out, double value) noexcept
{
	out = value;
}

// A modulator filter whose input is exactly 0 (depth 1 at the trough, rate
// 0) decays toward 0 for ever and would settle on subnormal numbers, which
// cost many times a normal operation on hosts that do not flush them. Its
// state is set to 0 at the end of a block once below this floor (-4000 dB),
// which lies so far above the subnormal range (below 2.2e-308) that neither
// the state nor its product with a silent sample and the lowest gain gets
// there within a block: at 44.1 kHz that takes over 90 000 samples.
constexpr double kStateFloor = 1e-200;

bool hasTwoSpeakers (SpeakerArrangement arr) noexcept
{
	if (arr == 0)
		return false;
	const SpeakerArrangement rest = arr & (arr - 1);
	return rest != 0 && (rest & (rest - 1)) == 0;
}

bool allChannelsSilent (const AudioBusBuffers& bus) noexcept
{
	if (bus.numChannels <= 0)
		return false;
	const uint64 mask =
	    bus.numChannels >= 64 ? ~uint64 (0) : (uint64 (1) << bus.numChannels) - 1;
	return (bus.silenceFlags & mask) == mask;
}

// Channel c of a bus, or null where the bus has no such buffer. Both sample
// sizes share one pointer array, so the 32-bit view serves for byte work.
void* channelBuffer (const AudioBusBuffers& bus, int32 c) noexcept
{
	if (!bus.channelBuffers32 || c >= bus.numChannels)
		return nullptr;
	return bus.channelBuffers32[c];
}

} // namespace

PlugProcessor::PlugProcessor ()
{
	setControllerClass (PlugControllerUID);
	state.level = 0.75;
	state.depth = 0.9;
	state.degree = 0.5;
	state.rate = 0.5;
	state.bypass = false;
}

PlugProcessor::~PlugProcessor () = default;

FUnknown* PlugProcessor::createInstance (void* /*context*/)
{
	return static_cast<IAudioProcessor*> (new PlugProcessor ());
}

tresult PLUGIN_API PlugProcessor::initialize (FUnknown* context)
{
	// The base refuses a second call only when the first had a host context;
	// existing buses refuse it without one too, so no bus is added twice.
	if (!audioInputs.empty () || !audioOutputs.empty ())
		return kResultFalse;
	if (AudioEffect::initialize (context) != kResultOk)
		return kResultFalse;
	addAudioInput (STR16 ("AudioInput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
	addAudioOutput (STR16 ("AudioOutput"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
	smoothingMs = 5.0;
	sampleRate = 44100.0;
	return kResultOk;
}

tresult PLUGIN_API PlugProcessor::setActive (TBool on)
{
	if (on)
		resetSignalPath ();
	return AudioEffect::setActive (on);
}

tresult PLUGIN_API PlugProcessor::setState (IBStream* stream)
{
	PlugState read = state;
	const tresult result = readPlugState (read, stream);
	if (result == kResultOk)
	{
		// The controller shows these fields by the same rule, so the audio
		// runs at what the host shows and getState writes it back.
		state.level = toNormalizedRange (read.level);
		state.depth = toNormalizedRange (read.depth);
		state.degree = toNormalizedRange (read.degree);
		state.rate = toNormalizedRange (read.rate);
		state.bypass = read.bypass;
	}
	updateDerivedParams (false);
	return result;
}

tresult PLUGIN_API PlugProcessor::getState (IBStream* stream)
{
	return writePlugState (state, stream);
}

tresult PLUGIN_API PlugProcessor::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                      SpeakerArrangement* outputs, int32 numOuts)
{
	// Refused here, not left to the base: the SDK's own base reads the
	// arrays without looking.
	if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
		return kInvalidArgument;
	if (numIns > 0 && !hasTwoSpeakers (inputs[0]))
		return kResultFalse;
	if (numOuts > 0 && !hasTwoSpeakers (outputs[0]))
		return kResultFalse;
	return AudioEffect::setBusArrangements (inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API PlugProcessor::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue
	                                                                         : kResultFalse;
}

tresult PLUGIN_API PlugProcessor::setupProcessing (ProcessSetup& setup)
{
	// A rate whose coefficients would not run a finite, stable signal path
	// is refused and the previous one stays.
	if (!usableRate (setup.sampleRate, smoothingMs))
		return kInvalidArgument;
	sampleRate = setup.sampleRate;
	return AudioEffect::setupProcessing (setup);
}

void PlugProcessor::takeParameterChanges (IParameterChanges* changes) noexcept
{
	if (!changes)
		return;
	const int32 count = changes->getParameterCount ();
	for (int32 i = 0; i < count; ++i)
	{
		IParamValueQueue* queue = changes->getParameterData (i);
		if (!queue)
			continue;
		const int32 points = queue->getPointCount ();
		const ParamID id = queue->getParameterId ();
		int32 offset = 0;
		ParamValue value = 0.0;
		// Only the last point counts, taken by the controller's rule.
		if (id <= kBypassId && points > 0 && queue->getPoint (points - 1, offset, value) == kResultOk)
		{
			value = toNormalizedRange (value);
			switch (id)
			{
				case kLevelId: state.level = value; break;
				case kDepthId: state.depth = value; break;
				case kDegreeId: state.degree = value; break;
				case kRateId: state.rate = value; break;
				case kBypassId: state.bypass = value > 0.5; break;
				default: break;
			}
		}
		updateDerivedParams (false);
	}
}

tresult PLUGIN_API PlugProcessor::process (ProcessData& data) noexcept
{
	takeParameterChanges (data.inputParameterChanges);

	if (data.numInputs <= 0 || data.numOutputs <= 0)
		return kResultOk;
	if (data.numSamples <= 0)
		return kResultOk;
	if (!data.inputs || !data.outputs)
		return kResultOk;

	// The buffers are sized by the block's own sample size; any other size
	// than 32 or 64 bit gives no audio to work on.
	size_t sampleBytes = 0;
	if (data.symbolicSampleSize == kSample32)
		sampleBytes = sizeof (Sample32);
	else if (data.symbolicSampleSize == kSample64)
		sampleBytes = sizeof (Sample64);
	else
		return kResultOk;
	const size_t channelBytes = static_cast<size_t> (data.numSamples) * sampleBytes;

	AudioBusBuffers& input = data.inputs[0];
	AudioBusBuffers& output = data.outputs[0];
	const int32 channels = std::min (input.numChannels, output.numChannels);

	// Silent only when every input channel is flagged: a partly silent
	// block still carries audio and goes the normal way.
	if (allChannelsSilent (input))
	{
		output.silenceFlags = input.silenceFlags;
		for (int32 c = 0; c < channels; ++c)
		{
			void* out = channelBuffer (output, c);
			if (out && out != channelBuffer (input, c))
				std::memset (out, 0, channelBytes);
		}
		return kResultOk;
	}

	output.silenceFlags = 0;
	const bool stereo = input.numChannels >= 2 && output.numChannels >= 2 &&
	                    channelBuffer (input, 0) && channelBuffer (input, 1) &&
	                    channelBuffer (output, 0) && channelBuffer (output, 1);
	// Without two channels on each side the kernel cannot run; such a block
	// is passed through as far as it can be, like bypass.
	if (state.bypass || !stereo)
	{
		for (int32 c = 0; c < channels; ++c)
		{
			void* out = channelBuffer (output, c);
			const void* in = channelBuffer (input, c);
			if (out && in && out != in)
				std::memcpy (out, in, channelBytes);
		}
		return kResultOk;
	}

	if (data.symbolicSampleSize == kSample64)
		processAudio (input.channelBuffers64, output.channelBuffers64, input.numChannels,
		              data.numSamples);
	else
		processAudio (input.channelBuffers32, output.channelBuffers32, input.numChannels,
		              data.numSamples);
	return kResultOk;
}

void PlugProcessor::updateDerivedParams (bool reset) noexcept
{
	rateHz = state.rate * 6.0;
	phaseIncrement = twoPiOverSampleRate * rateHz;
	depthHalf = state.depth * 0.5;
	modOffset = 1.0 - depthHalf;
	phaseOffset = state.degree * 3.141592653589793;
	// 48 * log2(10) / 20 and -36 * log2(10) / 20: 10^((48 * level - 36) / 20).
	levelGain = std::exp2 (state.level * 7.97262742772967 + (-5.979470570797252));
	if (reset)
	{
		lastIncrement = phaseIncrement;
		smoothedGain = levelGain;
	}
}

void PlugProcessor::resetSignalPath () noexcept
{
	lfoCounter = 0;
	const RateCoefficients c = coefficientsFor (sampleRate, smoothingMs);
	smoothA = c.smoothA;
	smoothB = c.smoothB;
	prevRawL = 0.0;
	smoothedL = 0.0;
	prevRawR = 0.0;
	smoothedR = 0.0;
	twoPiOverSampleRate = c.twoPiOverSampleRate;
	lpA = c.lpA;
	lpB = c.lpB;
	updateDerivedParams (true);
}

// Parameters change only between blocks, so a rescaling of the counter can
// only fall on a block's first sample and is done before the loop, together
// with the fold that keeps the block's counting inside 32 bits.
void PlugProcessor::prepareCounter (double reciprocalIncrement, bool useReciprocal,
                                    int32 numSamples) noexcept
{
	const int32 highest = kCounterMax - numSamples;
	if (phaseIncrement != lastIncrement)
	{
		if (phaseIncrement == 0.0)
		{
			lfoCounter = 0;
		}
		else
		{
			const double reached = lastIncrement * static_cast<double> (lfoCounter);
			const double scaled = useReciprocal ? std::trunc (reached * reciprocalIncrement + 0.5)
			                                    : std::trunc (reached / phaseIncrement + 0.5);
			lfoCounter = fitsCounter (scaled, kCounterMax)
			                 ? static_cast<int32> (scaled)
			                 : foldCounter (reached, phaseIncrement, highest);
		}
		lastIncrement = phaseIncrement;
	}
	if (lfoCounter > highest)
		lfoCounter = foldCounter (static_cast<double> (lfoCounter) * phaseIncrement, phaseIncrement,
		                          highest);
}

template <typename Sample>
void PlugProcessor::runKernel (Sample** in, Sample** out, int32 numSamples) noexcept
{
	const Sample* inL = in[0];
	const Sample* inR = in[1];
	Sample* outL = out[0];
	Sample* outR = out[1];

	const double gainStep = levelGain * smoothB;
	const double gainPole = smoothA;
	const double increment = phaseIncrement;
	const double amplitude = depthHalf;
	const double centre = modOffset;
	const double offset = phaseOffset;
	const double b = lpB;
	const double a = lpA;

	double gain = smoothedGain;
	double rawPrevL = prevRawL;
	double filteredL = smoothedL;
	double rawPrevR = prevRawR;
	double filteredR = smoothedR;
	int32 counter = lfoCounter;

	for (int32 j = 0; j < numSamples; ++j)
	{
		// Both inputs are read before either output is written (in place).
		const double xL = inL[j];
		const double xR = inR[j];
		gain = gain * gainPole + gainStep;
		const double theta = static_cast<double> (counter) * increment;
		const double rawL = std::cos (theta) * amplitude + centre;
		filteredL = (rawPrevL + rawL) * b + filteredL * a;
		rawPrevL = rawL;
		const double rawR = std::cos (theta + offset) * amplitude + centre;
		filteredR = (rawR + rawPrevR) * b + filteredR * a;
		rawPrevR = rawR;
		// 1e-18 keeps the products away from denormals on silent input.
		const double yL = ((xL + 1e-18) * gain) * filteredL;
		const double yR = ((xR + 1e-18) * gain) * filteredR;
		putSample (outL[j], yL);
		putSample (outR[j], yR);
		++counter;
	}

	smoothedGain = gain;
	prevRawL = rawPrevL;
	smoothedL = flushBelow (filteredL, kStateFloor);
	prevRawR = rawPrevR;
	smoothedR = flushBelow (filteredR, kStateFloor);
	lfoCounter = counter;
}

void PlugProcessor::processAudio (Sample32** in, Sample32** out, int32 /*numChannels*/,
                                  int32 numSamples) noexcept
{
	if (numSamples <= 0)
		return;
	const double reciprocal = phaseIncrement != 0.0 ? 1.0 / phaseIncrement : 0.0;
	prepareCounter (reciprocal, true, numSamples);
	runKernel (in, out, numSamples);
}

void PlugProcessor::processAudio (Sample64** in, Sample64** out, int32 /*numChannels*/,
                                  int32 numSamples) noexcept
{
	if (numSamples <= 0)
		return;
	prepareCounter (0.0, false, numSamples);
	runKernel (in, out, numSamples);
}

} // namespace Vst
} // namespace Steinberg
