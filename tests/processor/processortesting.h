// Helpers shared by the processor tests: a ready processor, parameter
// changes delivered through a process call, and a reference model of the
// tremolo written straight from its formulas, with a 64-bit counter that
// never needs folding.
#pragma once

#include "processor/plugids.h"
#include "processor/plugprocessor.h"
#include "testhost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace LumivoTest {

using Steinberg::IPtr;
using Steinberg::Vst::PlugProcessor;

inline IPtr<PlugProcessor> makeProcessor (double sampleRate = 44100.0,
                                          int32 sampleSize = Steinberg::Vst::kSample64,
                                          bool activate = true)
{
	IPtr<PlugProcessor> processor = Steinberg::owned (new PlugProcessor ());
	processor->initialize (nullptr);
	auto setup = makeSetup (sampleRate, sampleSize);
	processor->setupProcessing (setup);
	if (activate)
		processor->setActive (true);
	return processor;
}

// Delivers one change through a process call without audio.
inline void sendParam (PlugProcessor& processor, ParamID id, double value)
{
	ParamChanges changes;
	changes.add (id).add (0, value);
	AudioBlock block (Steinberg::Vst::kSample64, 0);
	processor.process (block.data (&changes));
}

inline std::vector<uint8> stateOf (PlugProcessor& processor)
{
	auto stream = makeStream ();
	processor.getState (stream);
	return streamBytes (*stream);
}

struct TremoloModel
{
	double level = 0.75, depth = 0.9, degree = 0.5, rate = 0.5;
	double sampleRate = 44100.0;
	double smoothingMs = 5.0;

	int64_t counter = 0;
	double twoPiOverSampleRate = 0, inc = 0, lastInc = 0, depthHalf = 0, modOffset = 0;
	double phaseOffset = 0, levelGain = 0, gain = 0;
	double smoothA = 0, smoothB = 0, lpA = 0, lpB = 0;
	double prevL = 0, lpL = 0, prevR = 0, lpR = 0;

	void derive (bool reset)
	{
		inc = twoPiOverSampleRate * (rate * 6.0);
		depthHalf = depth * 0.5;
		modOffset = 1.0 - depthHalf;
		phaseOffset = degree * 3.141592653589793;
		levelGain = std::exp2 (level * 7.97262742772967 + (-5.979470570797252));
		if (reset)
		{
			lastInc = inc;
			gain = levelGain;
		}
	}

	void activate ()
	{
		counter = 0;
		const double r = std::exp (-2.2 / (smoothingMs * 0.001 * sampleRate));
		smoothA = r;
		smoothB = 1 - r;
		prevL = lpL = prevR = lpR = 0;
		const double invRate = 1 / sampleRate;
		twoPiOverSampleRate = invRate * 6.283185307179586;
		const double w = 94.24777960769379 * invRate;
		lpA = (1 - std::sin (w)) / std::cos (w);
		lpB = 0.495 - lpA * 0.495;
		derive (true);
	}

	void set (ParamID id, double value)
	{
		switch (id)
		{
			case Steinberg::Vst::kLevelId: level = value; break;
			case Steinberg::Vst::kDepthId: depth = value; break;
			case Steinberg::Vst::kDegreeId: degree = value; break;
			case Steinberg::Vst::kRateId: rate = value; break;
			default: break;
		}
		derive (false);
	}

	// One block, sample by sample as the formulas read; the 32-bit form
	// rescales with a reciprocal taken at the start of the block.
	void run (const std::vector<double>& inL, const std::vector<double>& inR,
	          std::vector<double>& outL, std::vector<double>& outR, bool reciprocal = false)
	{
		const double recip = inc != 0 ? 1 / inc : 0;
		outL.resize (inL.size ());
		outR.resize (inR.size ());
		for (size_t j = 0; j < inL.size (); ++j)
		{
			const double xL = inL[j];
			const double xR = inR[j];
			gain = gain * smoothA + levelGain * smoothB;
			if (inc != lastInc)
			{
				if (inc == 0)
					counter = 0;
				else if (reciprocal)
					counter = static_cast<int64_t> (std::trunc (lastInc * counter * recip + 0.5));
				else
					counter = static_cast<int64_t> (std::trunc (lastInc * counter / inc + 0.5));
				lastInc = inc;
			}
			const double theta = static_cast<double> (counter) * inc;
			const double rawL = std::cos (theta) * depthHalf + modOffset;
			lpL = (prevL + rawL) * lpB + lpL * lpA;
			prevL = rawL;
			const double rawR = std::cos (theta + phaseOffset) * depthHalf + modOffset;
			lpR = (rawR + prevR) * lpB + lpR * lpA;
			prevR = rawR;
			outL[j] = ((xL + 1e-18) * gain) * lpL;
			outR[j] = ((xR + 1e-18) * gain) * lpR;
			++counter;
		}
	}
};

// Channel c of a block's input or output as doubles.
inline std::vector<double> channelOf (const AudioBlock& block, int32 c, bool output)
{
	std::vector<double> values;
	for (int32 j = 0; j < block.numSamples (); ++j)
		values.push_back (output ? block.output (c, j) : block.input (c, j));
	return values;
}

inline std::vector<double> inputOf (const AudioBlock& block, int32 c) { return channelOf (block, c, false); }
inline std::vector<double> outputOf (const AudioBlock& block, int32 c) { return channelOf (block, c, true); }

// Runs the model over the block's input and expects the block's output,
// bit for bit.
inline void expectModelOutput (TremoloModel& model, const AudioBlock& block)
{
	std::vector<double> outL, outR;
	model.run (inputOf (block, 0), inputOf (block, 1), outL, outR);
	EXPECT_EQ (outputOf (block, 0), outL);
	EXPECT_EQ (outputOf (block, 1), outR);
}

} // namespace LumivoTest
