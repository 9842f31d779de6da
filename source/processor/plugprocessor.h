// The audio processor: two stereo buses, parameter intake, silence and
// bypass handling, the component state, and the tremolo signal path.
#pragma once

#include "processor/plugstate.h"
#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg {
namespace Vst {

class PlugProcessor final : public AudioEffect
{
public:
	PlugProcessor ();
	~PlugProcessor () SMTG_OVERRIDE;

	// The processor class's create function: a new processor, reference
	// count 1, owned by the caller, as its IAudioProcessor interface.
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setState (IBStream* stream) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* stream) SMTG_OVERRIDE;
	tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
	                                       SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API process (ProcessData& data) noexcept SMTG_OVERRIDE;

private:
	void resetSignalPath () noexcept;
	void updateDerivedParams (bool reset) noexcept;
	void processAudio (Sample32** in, Sample32** out, int32 numChannels, int32 numSamples) noexcept;
	void processAudio (Sample64** in, Sample64** out, int32 numChannels, int32 numSamples) noexcept;
	void takeParameterChanges (IParameterChanges* changes) noexcept;
	void prepareCounter (double reciprocalIncrement, bool useReciprocal, int32 numSamples) noexcept;
	template <typename Sample>
	void runKernel (Sample** in, Sample** out, int32 numSamples) noexcept;

	PlugState state;
	// Before initialize these already hold the values initialize sets, so an
	// out-of-order activation cannot divide by zero.
	double sampleRate = 44100.0;

	double depthHalf = 0.0;
	double rateHz = 0.0;
	double levelGain = 0.0;
	int32 lfoCounter = 0;
	double twoPiOverSampleRate = 0.0; // radians per sample per Hz
	double phaseOffset = 0.0;         // radians
	double modOffset = 0.0;
	double phaseIncrement = 0.0;      // radians per sample
	double lpB = 0.0;
	double lpA = 0.0;
	double prevRawL = 0.0;
	double smoothedL = 0.0;
	double prevRawR = 0.0;
	double smoothedR = 0.0;
	double lastIncrement = 0.0;       // the increment lfoCounter was counted in
	double smoothingMs = 5.0;
	double smoothB = 0.0;
	double smoothA = 0.0;
	double smoothedGain = 0.0;
};

} // namespace Vst
} // namespace Steinberg
