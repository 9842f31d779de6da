// process as a host drives it: parameter intake, silence and bypass, the
// signal path against its formulas, the oscillator counter at the ends of
// its range, malformed blocks, and that nothing is allocated.
#include "allocationcounter.h"
#include "processortesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <type_traits>
#include <utility>

using namespace LumivoTest;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
constexpr double kInf = std::numeric_limits<double>::infinity ();

std::vector<double> noise (size_t n, unsigned seed)
{
	std::mt19937 gen (seed);
	std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
	std::vector<double> v (n);
	for (auto& x : v)
		x = dist (gen); // float-representable, so 32- and 64-bit blocks agree
	return v;
}

// Runs one block through processor and model alike and expects the same
// samples (bit for bit in 64 bits, as the model rounds in 32 bits).
void expectBlockMatches (PlugProcessor& processor, TremoloModel& model, int32 sampleSize,
                         int32 numSamples, unsigned seed, ParamChanges* changes = nullptr)
{
	AudioBlock block (sampleSize, numSamples);
	const auto left = noise (static_cast<size_t> (numSamples), seed);
	const auto right = noise (static_cast<size_t> (numSamples), seed + 1);
	block.fillInput ([&] (int32 c, int32 j) { return c ? right[j] : left[j]; });
	processor.process (block.data (changes));
	std::vector<double> outL, outR;
	model.run (left, right, outL, outR, sampleSize == kSample32);
	auto rounded = [sampleSize] (double v) {
		return sampleSize == kSample32 ? static_cast<double> (static_cast<float> (v)) : v;
	};
	for (int32 j = 0; j < numSamples; ++j)
	{
		ASSERT_EQ (block.output (0, j), rounded (outL[j])) << j;
		ASSERT_EQ (block.output (1, j), rounded (outR[j])) << j;
	}
}

// The state record's field at the offset after one change through process.
template <typename Field>
Field storedAfter (PlugProcessor& processor, ParamID id, double value, size_t offset)
{
	sendParam (processor, id, value);
	const auto state = stateOf (processor);
	if constexpr (std::is_same_v<Field, int32>)
		return int32At (state, offset);
	else
		return doubleAt (state, offset);
}

// Steady input of 1.0 for n samples; returns the last output pair.
std::pair<double, double> steady (PlugProcessor& processor, int32 n, double x = 1.0)
{
	AudioBlock block (kSample64, n);
	block.fillInput (x);
	processor.process (block.data ());
	return {block.output (0, n - 1), block.output (1, n - 1)};
}

} // namespace

TEST (ParameterIntake, LastPointEmptyUnknownNullAndBypassThreshold)
{
	auto processor = makeProcessor ();
	TremoloModel model;
	model.activate ();

	// Three points: the third holds for the whole block, offsets ignored.
	ParamChanges changes;
	changes.add (kRateId).add (0, 0.9).add (10, 0.1).add (500, 0.8);
	model.set (kRateId, 0.8);
	expectBlockMatches (*processor, model, kSample64, 64, 1, &changes);
	EXPECT_EQ (doubleAt (stateOf (*processor), 32), 0.8);

	// An empty queue, an unknown ID and a null queue store nothing.
	const auto before = stateOf (*processor);
	ParamChanges idle;
	idle.add (kLevelId);
	idle.addNull ();
	idle.add (7).add (0, 0.0);
	expectBlockMatches (*processor, model, kSample64, 64, 2, &idle);
	EXPECT_EQ (stateOf (*processor), before);

	// Values in 0..1 are stored as sent, others clamped into 0..1.
	EXPECT_EQ (storedAfter<double> (*processor, kLevelId, 0.3, 8), 0.3);
	EXPECT_EQ (storedAfter<double> (*processor, kDepthId, 1.25, 16), 1.0);

	// Bypass: 0.5 is off, 0.51 on, and back.
	for (auto [value, on] : {std::pair {0.5, 0}, {0.51, 1}, {0.0, 0}})
		EXPECT_EQ (storedAfter<int32> (*processor, kBypassId, value, 40), on) << value;
}

TEST (ParameterIntake, ValuesOutsideTheRangeRunAsTheirClampedValue)
{
	// NaN runs as 0, the rest as clamped into 0..1: the signal path sees
	// exactly what the value in range gives, and getState writes that.
	auto processor = makeProcessor ();
	TremoloModel model;
	model.activate ();
	const std::pair<double, double> cases[] = {{kNaN, 0.0},  {kInf, 1.0},   {-kInf, 0.0},
	                                           {1.7, 1.0},   {1e308, 1.0}, {-0.25, 0.0}};
	for (ParamID id : {kLevelId, kDepthId, kDegreeId, kRateId})
	{
		for (auto [bad, taken] : cases)
		{
			ParamChanges changes;
			changes.add (id).add (0, 0.2).add (1, bad);
			model.set (id, taken);
			expectBlockMatches (*processor, model, kSample64, 32, id, &changes);
			EXPECT_EQ (doubleAt (stateOf (*processor), 8 + 8 * id), taken) << id << " " << bad;
		}
		sendParam (*processor, id, 0.5);
		model.set (id, 0.5);
	}
	for (auto [bad, taken] : cases)
		EXPECT_EQ (storedAfter<int32> (*processor, kBypassId, bad, 40), taken > 0.5 ? 1 : 0) << bad;
	sendParam (*processor, kBypassId, 0.0);
	expectBlockMatches (*processor, model, kSample64, 128, 9);
}

TEST (SilenceAndBypass, FlagsBuffersAndHeldState)
{
	for (int32 size : {kSample32, kSample64})
	{
		auto processor = makeProcessor (44100.0, size);
		TremoloModel model;
		model.activate ();
		expectBlockMatches (*processor, model, size, 100, 3);

		// Fully silent, separate buffers: zeros, flags copied.
		AudioBlock silent (size, 64);
		silent.fillInput (0.25);
		silent.fillOutput (7.0);
		silent.setInputSilence (3);
		processor->process (silent.data ());
		EXPECT_EQ (silent.outputSilence (), 3u);
		EXPECT_EQ (outputOf (silent, 0), std::vector<double> (64, 0.0));
		EXPECT_EQ (outputOf (silent, 1), std::vector<double> (64, 0.0));

		// Fully silent in place: only the flags are written.
		AudioBlock silentInPlace (size, 64, Buffers::inPlace);
		silentInPlace.fillInput (0.25);
		silentInPlace.setInputSilence (3);
		processor->process (silentInPlace.data ());
		EXPECT_EQ (silentInPlace.outputSilence (), 3u);
		EXPECT_EQ (outputOf (silentInPlace, 1), std::vector<double> (64, 0.25));

		// Bypass, separate: a byte copy with flags cleared; in place: untouched.
		sendParam (*processor, kBypassId, 1.0);
		AudioBlock bypass (size, 64);
		bypass.fillInput ([] (int32 c, int32 j) { return (c + 1) * 0.001 * j - 0.03; });
		bypass.setOutputSilence (3);
		processor->process (bypass.data ());
		EXPECT_EQ (bypass.outputSilence (), 0u);
		EXPECT_EQ (bypass.outputBytes (0), bypass.inputBytes (0));
		EXPECT_EQ (bypass.outputBytes (1), bypass.inputBytes (1));
		AudioBlock bypassInPlace (size, 64, Buffers::inPlace);
		bypassInPlace.fillInput (-0.5);
		const auto original = bypassInPlace.inputBytes (0);
		processor->process (bypassInPlace.data ());
		EXPECT_EQ (bypassInPlace.outputBytes (0), original);
		sendParam (*processor, kBypassId, 0.0);

		// The oscillator, filters and gain stood still meanwhile.
		expectBlockMatches (*processor, model, size, 100, 4);
	}
}

TEST (SilenceAndBypass, PartlySilentInputIsProcessed)
{
	for (uint64 flags : {uint64 (1), uint64 (2), uint64 (4)})
	{
		SCOPED_TRACE (flags);
		auto processor = makeProcessor ();
		TremoloModel model;
		model.activate ();
		AudioBlock block (kSample64, 256);
		block.fillInput ([&] (int32 c, int32 j) {
			return (flags >> c) & 1 ? 0.0 : std::sin (0.05 * j);
		});
		block.setInputSilence (flags);
		block.setOutputSilence (3);
		processor->process (block.data ());
		EXPECT_EQ (block.outputSilence (), 0u);
		expectModelOutput (model, block);

		// Under bypass the audible channel passes unchanged.
		sendParam (*processor, kBypassId, 1.0);
		AudioBlock bypassed (kSample64, 16);
		bypassed.fillInput (0.75);
		bypassed.setInputSilence (flags);
		processor->process (bypassed.data ());
		EXPECT_EQ (bypassed.outputSilence (), 0u);
		EXPECT_EQ (bypassed.outputBytes (0), bypassed.inputBytes (0));
		EXPECT_EQ (bypassed.outputBytes (1), bypassed.inputBytes (1));
	}
}

TEST (SignalPath, MatchesTheFormulasAcrossBlocksAndChanges)
{
	for (int32 size : {kSample32, kSample64})
	{
		auto processor = makeProcessor (48000.0, size);
		TremoloModel model;
		model.sampleRate = 48000.0;
		model.activate ();
		unsigned seed = 10;
		for (int32 n : {1, 7, 64, 333})
			expectBlockMatches (*processor, model, size, n, seed++);

		// A change of every parameter in one block, then a rate change
		// back and forth.
		ParamChanges all;
		const double values[] = {0.4, 1.0, 1.0, 0.93};
		for (ParamID id = kLevelId; id <= kRateId; ++id)
		{
			all.add (id).add (0, values[id]);
			model.set (id, values[id]);
		}
		expectBlockMatches (*processor, model, size, 500, seed++, &all);
		for (double rate : {0.02, 0.0, 0.7})
		{
			ParamChanges change;
			change.add (kRateId).add (0, rate);
			model.set (kRateId, rate);
			expectBlockMatches (*processor, model, size, 257, seed++, &change);
		}
	}
}

TEST (SignalPath, RateChangeRescalesTheCounter)
{
	// 1001 samples at 3 Hz, then 6 Hz: the counter becomes 501.
	auto processor = makeProcessor ();
	TremoloModel model;
	model.depth = 1.0;
	model.activate ();
	sendParam (*processor, kDepthId, 1.0);
	expectBlockMatches (*processor, model, kSample64, 1001, 20);
	ASSERT_EQ (model.counter, 1001);
	ParamChanges change;
	change.add (kRateId).add (0, 1.0);
	model.set (kRateId, 1.0);
	TremoloModel unscaled = model;
	expectBlockMatches (*processor, model, kSample64, 1, 21, &change);
	EXPECT_EQ (model.counter, 502);

	// Without the rescaling the oscillator would jump by half a turn.
	unscaled.lastInc = unscaled.inc;
	std::vector<double> outL, outR;
	unscaled.run ({1.0}, {1.0}, outL, outR);
	EXPECT_EQ (unscaled.counter, 1002);
	EXPECT_GT (std::abs (std::cos (1001 * unscaled.inc) - std::cos (501 * unscaled.inc)), 0.1);
}

TEST (SignalPath, SteadyStatesOfDepthDegreeRateAndLevel)
{
	const int32 settle = 44100; // 1 s: the 15 Hz low-pass has long settled

	// Right after activation the filters start at 0 and rise with the
	// low-pass's time constant (1 / (2 pi 15 Hz), 467.9 samples), while the
	// gain is at its target from the first sample.
	auto fresh = makeProcessor (44100.0, kSample64, false);
	sendParam (*fresh, kDepthId, 0.0);
	sendParam (*fresh, kLevelId, 1.0);
	ASSERT_EQ (fresh->setActive (true), kResultOk);
	const double loud = std::pow (10.0, 12.0 / 20.0);
	AudioBlock rise (kSample64, 468);
	rise.fillInput (1.0);
	fresh->process (rise.data ());
	EXPECT_NEAR (rise.output (0, 0), loud * 0.001056754427761264, 1e-12);
	EXPECT_NEAR (rise.output (0, 467) / (0.99 * loud), 1.0 - std::exp (-1.0), 0.01);

	// Depth 0 settles at 0.99 x gain, not at the gain.
	auto flat = makeProcessor ();
	sendParam (*flat, kDepthId, 0.0);
	EXPECT_NEAR (steady (*flat, settle).first, 0.99, 1e-12);
	sendParam (*flat, kLevelId, 1.0);
	EXPECT_NEAR (steady (*flat, settle).second, 0.99 * std::pow (10.0, 12.0 / 20.0), 1e-9);

	// Level glide 0.75 -> 0: about e^-2.2 of the step remains after 5 ms.
	sendParam (*flat, kLevelId, 0.75);
	steady (*flat, settle);
	sendParam (*flat, kLevelId, 0.0);
	const double target = 0.015848931924611134;
	const double first = steady (*flat, 1).first / 0.99;
	EXPECT_LT (first, 1.0);
	EXPECT_GT (first, 0.98);
	const double after5ms = steady (*flat, 220).first / 0.99;
	EXPECT_NEAR ((after5ms - target) / (1.0 - target), std::exp (-2.2), 0.002);
	EXPECT_NEAR (steady (*flat, settle).first, 0.99 * target, 1e-12);

	// Rate 0: left factor 1, right factor cos(degree pi) depthHalf + modOffset.
	auto still = makeProcessor ();
	sendParam (*still, kRateId, 0.0);
	auto [left, right] = steady (*still, settle);
	EXPECT_NEAR (left, 0.99, 1e-12);
	EXPECT_NEAR (right, 0.99 * (std::cos (0.5 * M_PI) * 0.45 + 0.55), 1e-12);

	// Degree 0: both channels move together; degree 1: in antiphase, so
	// with depth 1 the two factors sum to 0.99.
	auto together = makeProcessor ();
	sendParam (*together, kDegreeId, 0.0);
	AudioBlock same (kSample64, 4000);
	same.fillInput (0.5);
	together->process (same.data ());
	EXPECT_EQ (outputOf (same, 0), outputOf (same, 1));

	auto opposed = makeProcessor ();
	sendParam (*opposed, kDegreeId, 1.0);
	sendParam (*opposed, kDepthId, 1.0);
	steady (*opposed, settle);
	AudioBlock swing (kSample64, 20000);
	swing.fillInput (1.0);
	opposed->process (swing.data ());
	double lowest = 1.0, highest = 0.0;
	for (int32 j = 0; j < swing.numSamples (); ++j)
	{
		EXPECT_NEAR (swing.output (0, j) + swing.output (1, j), 0.99, 1e-9);
		lowest = std::min (lowest, swing.output (0, j));
		highest = std::max (highest, swing.output (0, j));
	}
	EXPECT_LT (lowest, 0.1); // the factor swings between 0 and 1
	EXPECT_GT (highest, 0.85);

	// Unflagged digital silence is not exactly zero.
	auto quiet = makeProcessor ();
	auto [l0, r0] = steady (*quiet, 2000, 0.0);
	EXPECT_GT (l0, 0.0);
	EXPECT_LT (l0, 2e-18);
	EXPECT_GT (r0, 0.0);
}

TEST (SignalPath, SampleSizesAndInPlaceAgree)
{
	const auto left = noise (700, 30);
	const auto right = noise (700, 31);
	auto fill = [&] (AudioBlock& block) {
		block.fillInput ([&] (int32 c, int32 j) { return c ? right[j] : left[j]; });
	};
	auto p32 = makeProcessor (44100.0, kSample32);
	auto p64 = makeProcessor (44100.0, kSample64);
	auto inPlace32 = makeProcessor (44100.0, kSample32);
	auto inPlace64 = makeProcessor (44100.0, kSample64);
	for (int round = 0; round < 3; ++round)
	{
		AudioBlock a (kSample32, 700), b (kSample64, 700);
		AudioBlock c (kSample32, 700, Buffers::inPlace), d (kSample64, 700, Buffers::inPlace);
		for (auto* block : {&a, &b, &c, &d})
			fill (*block);
		p32->process (a.data ());
		p64->process (b.data ());
		inPlace32->process (c.data ());
		inPlace64->process (d.data ());
		for (int32 ch = 0; ch < 2; ++ch)
		{
			for (int32 j = 0; j < 700; ++j)
				ASSERT_EQ (a.output (ch, j), static_cast<float> (b.output (ch, j)));
			EXPECT_EQ (a.outputBytes (ch), c.outputBytes (ch));
			EXPECT_EQ (b.outputBytes (ch), d.outputBytes (ch));
		}
	}
}

TEST (SignalPath, NoSubnormalNumbersWhenAModulatorDecaysToZero)
{
	// Depth 1, degree 1, rate 0 after the defaults: the right factor drops
	// to exactly 0 and its low-pass decays for ever. Left to itself it would
	// settle on subnormal numbers, which cost many times a normal operation
	// on hosts that do not flush them. 10 s takes it well past the smallest
	// normal double.
	for (int32 size : {kSample32, kSample64})
	{
		for (double x : {1.0, 0.0})
		{
			SCOPED_TRACE (testing::Message () << size << " " << x);
			auto processor = makeProcessor (44100.0, size);
			AudioBlock block (size, 4096);
			block.fillInput (x);
			processor->process (block.data ());
			ASSERT_GT (block.output (1, 4095), 0.0);
			sendParam (*processor, kDepthId, 1.0);
			sendParam (*processor, kDegreeId, 1.0);
			sendParam (*processor, kRateId, 0.0);
			for (int round = 0; round < 108; ++round)
			{
				processor->process (block.data ());
				for (int32 j = 0; j < block.numSamples (); ++j)
				{
					const double y = block.output (1, j);
					const int kind = size == kSample32 ? std::fpclassify (static_cast<float> (y))
					                                   : std::fpclassify (y);
					ASSERT_NE (kind, FP_SUBNORMAL) << round << " " << j << " " << y;
				}
			}
			EXPECT_EQ (block.output (1, 4095), 0.0);
			EXPECT_GT (block.output (0, 4095), 0.0);
		}
	}
}

TEST (OscillatorCounter, FoldsAtTheEndOfItsRangeWithAContinuousPhase)
{
	// The model counts in 64 bits and is never folded: the processor must
	// follow it to within a sample's phase step. 5 s at 6 Hz, then a slow
	// rate whose rescaled count lands just below 2^31 - 1 and then crosses
	// it, and a slower one whose rescaled count does not fit at all.
	const int32 run = 220501;
	const double nearTop = static_cast<double> (run) / 2147483547.0;
	for (double slow : {nearTop, 1e-4})
	{
		auto processor = makeProcessor ();
		TremoloModel model;
		model.depth = 1.0;
		model.degree = 0.3;
		model.activate ();
		sendParam (*processor, kDepthId, 1.0);
		sendParam (*processor, kDegreeId, 0.3);
		sendParam (*processor, kRateId, 1.0);
		model.set (kRateId, 1.0);
		AudioBlock fast (kSample64, run);
		fast.fillInput (1.0);
		processor->process (fast.data ());
		std::vector<double> outL, outR;
		model.run (inputOf (fast, 0), inputOf (fast, 1), outL, outR);

		sendParam (*processor, kRateId, slow);
		model.set (kRateId, slow);
		const double step = model.inc;
		for (int block = 0; block < 6; ++block)
		{
			AudioBlock b (kSample64, 50);
			b.fillInput (1.0);
			processor->process (b.data ());
			model.run (inputOf (b, 0), inputOf (b, 1), outL, outR);
			for (int32 j = 0; j < 50; ++j)
			{
				ASSERT_TRUE (std::isfinite (b.output (0, j)));
				ASSERT_NEAR (b.output (0, j), outL[j], 4 * step + 1e-12) << slow << " " << block;
				ASSERT_NEAR (b.output (1, j), outR[j], 4 * step + 1e-12) << slow << " " << block;
			}
		}
		EXPECT_GT (model.counter, std::numeric_limits<int32>::max ());
	}
}

TEST (ProcessRobustness, MalformedBlocksTouchNothingAndBreakNothing)
{
	auto processor = makeProcessor ();
	TremoloModel model;
	model.activate ();
	ParamChanges changes;
	changes.add (kLevelId).add (0, 0.6);

	// No buses or no samples: parameters are taken, audio is untouched.
	AudioBlock block (kSample64, 32);
	block.fillInput (0.5);
	block.fillOutput (9.0);
	const std::function<void (ProcessData&)> malformed[] = {
	    [] (ProcessData& d) { d.numInputs = 0; }, [] (ProcessData& d) { d.numOutputs = 0; },
	    [] (ProcessData& d) { d.numSamples = 0; },
	    [] (ProcessData& d) { d.inputs = nullptr; }, [] (ProcessData& d) { d.symbolicSampleSize = 7; }};
	for (const auto& damage : malformed)
	{
		auto& data = block.data (&damage == malformed ? &changes : nullptr);
		damage (data);
		EXPECT_EQ (processor->process (data), kResultOk);
	}
	EXPECT_EQ (doubleAt (stateOf (*processor), 8), 0.6);
	model.set (kLevelId, 0.6);
	EXPECT_EQ (outputOf (block, 0), std::vector<double> (32, 9.0));

	// Fewer than two channels, or null buffers: what can pass is copied.
	AudioBlock mono (kSample64, 32, Buffers::separate, 1), narrowOut (kSample64, 32),
	    holes (kSample64, 32);
	narrowOut.outputBus ().numChannels = 1;
	holes.outputBus ().channelBuffers64[1] = nullptr;
	for (auto* damaged : {&mono, &narrowOut, &holes})
	{
		damaged->fillInput (0.5);
		EXPECT_EQ (processor->process (damaged->data ()), kResultOk);
		EXPECT_EQ (outputOf (*damaged, 0), std::vector<double> (32, 0.5));
	}
	AudioBlock noArray (kSample64, 32);
	noArray.inputBus ().channelBuffers64 = nullptr;
	noArray.setInputSilence (3);
	EXPECT_EQ (processor->process (noArray.data ()), kResultOk);
	EXPECT_EQ (outputOf (noArray, 0), std::vector<double> (32, 0.0));

	// None of that moved the signal path.
	expectBlockMatches (*processor, model, kSample64, 200, 40);
}

#if defined(__SANITIZE_ADDRESS__)
TEST (ProcessAllocation, DISABLED_ProcessAllocatesNothing) {}
#else
TEST (ProcessAllocation, ProcessAllocatesNothing)
{
	auto processor = makeProcessor (44100.0, kSample32);
	ParamChanges changes;
	for (ParamID id = kLevelId; id <= kBypassId; ++id)
		changes.add (id).add (0, 0.3).add (5, 0.2);
	changes.add (99).add (0, 1.0);
	AudioBlock block (kSample32, 512);
	block.fillInput (0.1);
	AudioBlock silent (kSample32, 512);
	silent.setInputSilence (3);
	ParamChanges bypassOn;
	bypassOn.add (kBypassId).add (0, 1.0);

	const long before = allocationCount ();
	countAllocations (true);
	processor->process (block.data (&changes));
	processor->process (block.data ());
	processor->process (silent.data ());
	processor->process (block.data (&bypassOn));
	countAllocations (false);
	EXPECT_EQ (allocationCount () - before, 0);

	// The counter does see allocations.
	countAllocations (true);
	void* probe = ::operator new (16);
	countAllocations (false);
	::operator delete (probe);
	EXPECT_EQ (allocationCount () - before, 1);
}
#endif
