// The 44-byte state record: its writer, its all-or-nothing reader, and the
// processor's getState/setState around them.
#include "processortesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace LumivoTest;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Accepts a fixed number of bytes, then refuses every write.
class ShortStream final : public IBStream
{
public:
	explicit ShortStream (int32 capacity) : room (capacity) {}
	tresult PLUGIN_API read (void*, int32, int32* numRead) override
	{
		if (numRead)
			*numRead = 0;
		return kResultFalse;
	}
	tresult PLUGIN_API write (void*, int32 numBytes, int32* numWritten) override
	{
		const int32 taken = numBytes <= room ? numBytes : 0;
		room -= taken;
		written += taken;
		if (numWritten)
			*numWritten = taken;
		return taken == numBytes ? kResultOk : kResultFalse;
	}
	tresult PLUGIN_API seek (int64, int32, int64*) override { return kResultFalse; }
	tresult PLUGIN_API tell (int64* pos) override
	{
		if (pos)
			*pos = written;
		return kResultOk;
	}
	tresult PLUGIN_API queryInterface (const TUID, void** obj) override
	{
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return 1; }
	uint32 PLUGIN_API release () override { return 1; }

	int32 room;
	int32 written = 0;
};

const PlugState kSample {0.25, 1.0, 0.0, 0.1, true};

} // namespace

TEST (PlugStateRecord, WriterProducesTheExactLayout)
{
	auto processor = makeProcessor ();
	EXPECT_EQ (stateOf (*processor), stateRecord (0.75, 0.9, 0.5, 0.5, 0));

	auto stream = makeStream ();
	ASSERT_EQ (writePlugState (kSample, stream), kResultOk);
	const auto bytes = streamBytes (*stream);
	ASSERT_EQ (bytes.size (), 44u);
	EXPECT_EQ (bytes, stateRecord (0.25, 1.0, 0.0, 0.1, 1));
	EXPECT_EQ (int64At (bytes, 0), 0);
	EXPECT_EQ (doubleAt (bytes, 32), 0.1);
	EXPECT_EQ (int32At (bytes, 40), 1);

	EXPECT_EQ (writePlugState (kSample, nullptr), kResultFalse);
	EXPECT_EQ (processor->getState (nullptr), kResultFalse);
	// A stream that refuses the fourth value: failure, the first three stay.
	ShortStream full (8 + 8 + 8);
	EXPECT_EQ (writePlugState (kSample, &full), kResultFalse);
	EXPECT_EQ (full.written, 24);
}

TEST (PlugStateRecord, ReaderIsAllOrNothing)
{
	const PlugState before {0.1, 0.2, 0.3, 0.4, true};
	auto expectUntouched = [&] (const PlugState& s) {
		EXPECT_EQ (s.level, before.level);
		EXPECT_EQ (s.depth, before.depth);
		EXPECT_EQ (s.degree, before.degree);
		EXPECT_EQ (s.rate, before.rate);
		EXPECT_EQ (s.bypass, before.bypass);
	};

	PlugState s = before;
	EXPECT_EQ (readPlugState (s, nullptr), kResultFalse);
	expectUntouched (s);
	EXPECT_EQ (readPlugState (s, makeStream (std::vector<uint8> {})), kResultFalse);
	expectUntouched (s);
	auto record = stateRecord (0.9, 0.8, 0.7, 0.6, 0);
	record.pop_back ();
	EXPECT_EQ (readPlugState (s, makeStream (record)), kResultFalse);
	expectUntouched (s);

	// The reserved integer is ignored; trailing bytes are not read.
	auto longer = stateRecord (0.9, 0.8, 0.7, 0.6, 0, -12345);
	longer.insert (longer.end (), {1, 2, 3, 4, 5});
	auto stream = makeStream (longer);
	ASSERT_EQ (readPlugState (s, stream), kResultOk);
	EXPECT_EQ (s.level, 0.9);
	EXPECT_EQ (s.depth, 0.8);
	EXPECT_EQ (s.degree, 0.7);
	EXPECT_EQ (s.rate, 0.6);
	EXPECT_FALSE (s.bypass);
	int64 position = 0;
	stream->tell (&position);
	EXPECT_EQ (position, 44);

	// Bypass is on for a positive integer only (signed comparison).
	for (auto [raw, on] : {std::pair<int32, bool> {2, true}, {1, true}, {0, false}, {-1, false},
	                       {std::numeric_limits<int32>::min (), false}})
	{
		PlugState t = before;
		ASSERT_EQ (readPlugState (t, makeStream (stateRecord (0, 0, 0, 0, raw))), kResultOk);
		EXPECT_EQ (t.bypass, on) << raw;
	}
}

TEST (ProcessorState, SetStateRoundTripsAndRefusesShortStreams)
{
	auto processor = makeProcessor ();
	const auto sample = stateRecord (0.25, 1.0, 0.0, 0.1, 7);
	ASSERT_EQ (processor->setState (makeStream (sample)), kResultOk);
	EXPECT_EQ (stateOf (*processor), stateRecord (0.25, 1.0, 0.0, 0.1, 1));

	// Out-of-range values are clamped into 0..1.
	ASSERT_EQ (processor->setState (makeStream (stateRecord (1.5, -0.25, 2.0, 0.5, -1))), kResultOk);
	EXPECT_EQ (stateOf (*processor), stateRecord (1.0, 0.0, 1.0, 0.5, 0));

	const auto kept = stateOf (*processor);
	auto shortRecord = sample;
	shortRecord.resize (43);
	EXPECT_EQ (processor->setState (makeStream (shortRecord)), kResultFalse);
	EXPECT_EQ (processor->setState (makeStream (std::vector<uint8> {})), kResultFalse);
	EXPECT_EQ (processor->setState (nullptr), kResultFalse);
	EXPECT_EQ (stateOf (*processor), kept);
}

TEST (ProcessorState, NonFiniteAndHugeFieldsRunAsTheirClampedValue)
{
	// A level of 1.7 or 1e308 taken as it stands would drive the gain far
	// past +12 dB or to infinity; NaN runs as 0, infinities as 0 or 1.
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	auto processor = makeProcessor (44100.0, kSample64, false);
	ASSERT_EQ (processor->setState (makeStream (stateRecord (1e308, nan, -inf, inf, 1))), kResultOk);
	EXPECT_EQ (stateOf (*processor), stateRecord (1.0, 0.0, 0.0, 1.0, 1));
	ASSERT_EQ (processor->setState (makeStream (stateRecord (1.7, nan, inf, -nan, 0))), kResultOk);
	EXPECT_EQ (stateOf (*processor), stateRecord (1.0, 0.0, 1.0, 0.0, 0));

	ASSERT_EQ (processor->setActive (true), kResultOk);
	AudioBlock block (kSample64, 256);
	block.fillInput (0.5);
	processor->process (block.data ());
	TremoloModel model;
	model.level = 1.0;
	model.depth = 0.0;
	model.degree = 1.0;
	model.rate = 0.0;
	model.activate ();
	expectModelOutput (model, block);
}
