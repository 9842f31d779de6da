// The edit controller: its five parameters and their texts, initialisation,
// restoring from the processor's state record, and the editor.
#include "componenthandler.h"
#include "testhost.h"
#include "controller/plugcontroller.h"
#include "processor/plugids.h"
#include "processor/plugprocessor.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

using LumivoTest::narrow;
using LumivoTest::stateRecord;

namespace {

IPtr<PlugController> makeController ()
{
	auto controller = Steinberg::owned (new PlugController ());
	EXPECT_EQ (controller->initialize (nullptr), kResultOk);
	return controller;
}

std::string valueText (PlugController& controller, ParamID id, ParamValue value)
{
	String128 text {};
	EXPECT_EQ (controller.getParamStringByValue (id, value, text), kResultTrue);
	return narrow (text);
}

tresult restore (PlugController& controller, const std::vector<uint8>& bytes)
{
	return controller.setComponentState (LumivoTest::makeStream (bytes));
}

// A text to a value through the controller, the ASCII text widened to UTF-16.
tresult fromText (PlugController& controller, ParamID id, const char* text, ParamValue& value)
{
	String128 wide {};
	for (int32 i = 0; text[i] && i < 127; ++i)
		wide[i] = static_cast<TChar> (text[i]);
	return controller.getParamValueByString (id, wide, value);
}

std::vector<ParamValue> values (PlugController& controller)
{
	std::vector<ParamValue> out;
	for (ParamID id = kLevelId; id <= kBypassId; ++id)
		out.push_back (controller.getParamNormalized (id));
	return out;
}

} // namespace

TEST (PlugController, ParameterInfosForAllFive)
{
	auto controller = makeController ();
	ASSERT_EQ (controller->getParameterCount (), 5);

	struct Expected
	{
		const char* title;
		const char* units;
		int32 flags;
		int32 stepCount;
		double defaultValue;
	};
	const Expected expected[] = {
		{"Level", "dB", ParameterInfo::kCanAutomate, 0, 0.75},
		{"Depth", "%", ParameterInfo::kCanAutomate, 0, 0.9},
		{"Degree", "deg", ParameterInfo::kCanAutomate, 0, 0.5},
		{"Rate", "Hz", ParameterInfo::kCanAutomate, 0, 0.5},
		{"Bypass", "", 0x10001, 1, 0.0}, // kCanAutomate | kIsBypass
	};
	for (int32 index = 0; index < 5; ++index)
	{
		SCOPED_TRACE (index);
		ParameterInfo info {};
		ASSERT_EQ (controller->getParameterInfo (index, info), kResultTrue);
		EXPECT_EQ (info.id, static_cast<ParamID> (index));
		EXPECT_EQ (narrow (info.title), expected[index].title);
		EXPECT_EQ (narrow (info.units), expected[index].units);
		EXPECT_EQ (narrow (info.shortTitle), "");
		EXPECT_EQ (info.flags, expected[index].flags);
		EXPECT_EQ (info.stepCount, expected[index].stepCount);
		EXPECT_EQ (info.unitId, kRootUnitId);
		EXPECT_DOUBLE_EQ (info.defaultNormalizedValue, expected[index].defaultValue);
		EXPECT_DOUBLE_EQ (controller->getParamNormalized (info.id), expected[index].defaultValue);
	}

	EXPECT_DOUBLE_EQ (controller->normalizedParamToPlain (kLevelId, 0.75), 0.0);
	EXPECT_DOUBLE_EQ (controller->normalizedParamToPlain (kRateId, 1.0), 6.0);
	EXPECT_DOUBLE_EQ (controller->plainParamToNormalized (kDegreeId, 45.0), 0.25);
	EXPECT_DOUBLE_EQ (controller->normalizedParamToPlain (kBypassId, 1.0), 1.0);
}

TEST (PlugController, OutOfRangeIndicesAnswerFalseWithoutThrowing)
{
	auto fresh = Steinberg::owned (new PlugController ());
	ParameterInfo info {};
	EXPECT_EQ (fresh->getParameterInfo (0, info), kResultFalse);

	auto controller = makeController ();
	for (int32 index : {-1, 5, 6, std::numeric_limits<int32>::max (), std::numeric_limits<int32>::min ()})
	{
		SCOPED_TRACE (index);
		EXPECT_NO_THROW (EXPECT_EQ (controller->getParameterInfo (index, info), kResultFalse));
	}

	String128 text {};
	ParamValue value = 0.0;
	EXPECT_EQ (controller->getParamStringByValue (5, 0.5, text), kResultFalse);
	EXPECT_EQ (controller->getParamValueByString (99, text, value), kResultFalse);
	EXPECT_EQ (controller->setParamNormalized (5, 0.5), kResultFalse);
	EXPECT_EQ (controller->getParamNormalized (5), 0.0);

	controller->terminate ();
	EXPECT_EQ (controller->getParameterCount (), 0);
	EXPECT_NO_THROW (EXPECT_EQ (controller->getParameterInfo (0, info), kResultFalse));
}

TEST (PlugController, ValueTextsAndTextsToValues)
{
	auto controller = makeController ();
	const struct
	{
		ParamID id;
		ParamValue value;
		const char* text;
	} texts[] = {{kLevelId, 0.75, "0.00"}, {kLevelId, 0.0, "-36.00"}, {kLevelId, 1.0, "12.00"},
	             {kDepthId, 0.9, "90"},    {kDegreeId, 1.0, "180"},   {kDegreeId, 0.5, "90"},
	             {kRateId, 0.5, "3.00"},   {kBypassId, 0.5, "Off"},   {kBypassId, 1.0, "On"},
	             // Out-of-range values a host may send: no overflow, empty when too long.
	             {kLevelId, 1e300, ""}};
	for (const auto& t : texts)
		EXPECT_EQ (valueText (*controller, t.id, t.value), t.text) << t.id << " " << t.value;
	EXPECT_EQ (controller->getParamStringByValue (kLevelId, 0.5, nullptr), kInvalidArgument);

	ParamValue value = -1.0;
	// Every text gives a value in 0..1, Bypass's too.
	for (const auto& t : {std::tuple {kRateId, "3", 0.5}, {kRateId, "9", 1.0}, {kLevelId, "0", 0.75},
	                      {kBypassId, "1", 1.0}, {kBypassId, "5", 1.0}, {kBypassId, "-3", 0.0},
	                      {kBypassId, "inf", 1.0}, {kBypassId, "1e308", 1.0}, {kBypassId, "0.25", 0.25},
	                      {kDepthId, "-1e308", 0.0}})
	{
		EXPECT_EQ (fromText (*controller, std::get<0> (t), std::get<1> (t), value), kResultTrue);
		EXPECT_DOUBLE_EQ (value, std::get<2> (t)) << std::get<1> (t);
	}

	EXPECT_EQ (controller->getParamValueByString (kRateId, nullptr, value), kInvalidArgument);
	value = 0.25;
	EXPECT_EQ (fromText (*controller, kLevelId, "nan", value), kResultFalse);
	EXPECT_EQ (fromText (*controller, kBypassId, "nan", value), kResultFalse);
	EXPECT_EQ (fromText (*controller, kLevelId, "loud", value), kResultFalse);
	EXPECT_DOUBLE_EQ (value, 0.25);
	EXPECT_EQ (fromText (*controller, kLevelId, "inf", value), kResultTrue);
	EXPECT_DOUBLE_EQ (value, 1.0);
	// A lone surrogate makes the SDK's UTF-8 conversion throw.
	TChar broken[] = {'1', static_cast<TChar> (0xDC00), '2', 0};
	EXPECT_NO_THROW (EXPECT_EQ (controller->getParamValueByString (kRateId, broken, value), kResultFalse));
}

TEST (PlugController, SecondInitializeIsRefused)
{
	// The create function hands out the IEditController face, with one
	// reference, the caller's.
	FUnknown* created = PlugController::createInstance (nullptr);
	void* face = nullptr;
	ASSERT_EQ (created->queryInterface (IEditController::iid, &face), kResultOk);
	EXPECT_EQ (face, static_cast<void*> (created));
	EXPECT_EQ (created->release (), 1u);
	EXPECT_EQ (created->release (), 0u);

	auto controller = makeController ();
	EXPECT_EQ (controller->initialize (nullptr), kResultFalse);
	EXPECT_EQ (controller->getParameterCount (), 5);

	auto withContext = Steinberg::owned (new PlugController ());
	auto context = owned (new MemoryStream ());
	EXPECT_EQ (withContext->initialize (context), kResultOk);
	EXPECT_EQ (withContext->initialize (context), kResultFalse);
	EXPECT_EQ (withContext->initialize (nullptr), kResultFalse);
	EXPECT_EQ (withContext->getParameterCount (), 5);

	// After terminate the parameters come back once, at their defaults.
	controller->setParamNormalized (kLevelId, 0.1);
	EXPECT_EQ (controller->terminate (), kResultOk);
	EXPECT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (controller->getParameterCount (), 5);
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (kLevelId), 0.75);
	withContext->terminate ();
}

TEST (PlugController, SetComponentStateFromRecords)
{
	auto controller = makeController ();
	EXPECT_EQ (restore (*controller, stateRecord (0.25, 1.0, 0.0, 0.1, 7)), kResultOk);
	EXPECT_EQ (values (*controller), (std::vector<ParamValue> {0.25, 1.0, 0.0, 0.1, 1.0}));

	EXPECT_EQ (restore (*controller, stateRecord (0.25, 1.0, 0.0, 0.1, -1)), kResultOk);
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (kBypassId), 0.0);
	EXPECT_EQ (restore (*controller, stateRecord (1.5, -0.5, 0.5, 0.5, 1)), kResultOk);
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (kLevelId), 1.0);
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (kDepthId), 0.0);
	EXPECT_DOUBLE_EQ (controller->getParamNormalized (kBypassId), 1.0);

	// A longer stream is read up to the record's end.
	auto longer = stateRecord (0.5, 0.5, 0.5, 0.5, 0);
	longer.push_back (42);
	EXPECT_EQ (restore (*controller, longer), kResultOk);
	EXPECT_EQ (values (*controller), (std::vector<ParamValue> {0.5, 0.5, 0.5, 0.5, 0.0}));
}

TEST (PlugController, SetComponentStateKeepsValuesInRangeForNonFiniteRecords)
{
	auto controller = makeController ();
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	EXPECT_EQ (restore (*controller, stateRecord (nan, inf, -inf, -nan, 0)), kResultOk);
	EXPECT_EQ (values (*controller), (std::vector<ParamValue> {0.0, 1.0, 0.0, 0.0, 0.0}));

	EXPECT_EQ (controller->setParamNormalized (kRateId, 0.7), kResultTrue);
	EXPECT_EQ (controller->setParamNormalized (kRateId, nan), kResultTrue);
	EXPECT_EQ (controller->getParamNormalized (kRateId), 0.0);
	String128 text {};
	EXPECT_EQ (controller->getParamStringByValue (kRateId, controller->getParamNormalized (kRateId), text),
	           kResultTrue);
	EXPECT_EQ (narrow (text), "0.00");
}

TEST (PlugController, ProcessorRunsWhatTheControllerShows)
{
	// The same bad values reach both sides, through a state record and
	// through edits; the processor's record must then hold exactly the
	// values the controller shows, and its audio stay within +12 dB.
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	auto controller = makeController ();
	auto processor = Steinberg::owned (new PlugProcessor ());
	ASSERT_EQ (processor->initialize (nullptr), kResultOk);
	auto setup = LumivoTest::makeSetup (44100.0, kSample64);
	ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
	ASSERT_EQ (processor->setActive (true), kResultOk);

	auto shownRecord = [&] {
		const auto shown = values (*controller);
		return stateRecord (shown[0], shown[1], shown[2], shown[3], shown[4] > 0.5 ? 1 : 0);
	};
	auto processorRecord = [&] {
		auto stream = LumivoTest::makeStream ();
		EXPECT_EQ (processor->getState (stream), kResultOk);
		return LumivoTest::streamBytes (*stream);
	};

	for (const auto& record : {stateRecord (1.7, -3.0, 1e308, -1e-300, 1),
	                           stateRecord (nan, inf, -inf, -nan, 0),
	                           stateRecord (0.3, 0.6, 0.0, 1.0, 0)})
	{
		ASSERT_EQ (processor->setState (LumivoTest::makeStream (record)), kResultOk);
		ASSERT_EQ (restore (*controller, record), kResultOk);
		EXPECT_EQ (processorRecord (), shownRecord ());
	}
	EXPECT_EQ (processorRecord (), stateRecord (0.3, 0.6, 0.0, 1.0, 0)) << "in range: unchanged";

	for (double bad : {1.7, nan, -inf, 1e308, -0.5})
	{
		LumivoTest::ParamChanges changes;
		for (ParamID id = kLevelId; id <= kRateId; ++id)
		{
			changes.add (id).add (0, bad);
			controller->setParamNormalized (id, bad);
		}
		LumivoTest::AudioBlock block (kSample64, 64);
		block.fillInput (1.0);
		processor->process (block.data (&changes));
		EXPECT_EQ (processorRecord (), shownRecord ()) << bad;
		for (int32 j = 0; j < block.numSamples (); ++j)
		{
			ASSERT_TRUE (std::isfinite (block.output (0, j))) << bad;
			ASSERT_LE (std::abs (block.output (1, j)), std::pow (10.0, 12.0 / 20.0)) << bad;
		}
	}
	processor->setActive (false);
	processor->terminate ();
}

TEST (PlugController, SetComponentStateRefusesNullAndShortStreams)
{
	auto controller = makeController ();
	ASSERT_EQ (restore (*controller, stateRecord (0.2, 0.3, 0.4, 0.6, 1)), kResultOk);
	const auto before = values (*controller);

	EXPECT_EQ (controller->setComponentState (nullptr), kResultFalse);
	EXPECT_EQ (values (*controller), before);

	auto shortRecord = stateRecord (0.9, 0.9, 0.9, 0.9, 0);
	shortRecord.pop_back ();
	ASSERT_EQ (shortRecord.size (), 43u);
	EXPECT_EQ (restore (*controller, shortRecord), kResultFalse);
	EXPECT_EQ (values (*controller), before);

	EXPECT_EQ (restore (*controller, {}), kResultFalse);
	EXPECT_EQ (values (*controller), before);
}

TEST (PlugController, EditsReachTheHostButRestoringDoesNot)
{
	using LumivoTest::RecordingComponentHandler;
	auto controller = makeController ();
	auto* handler = new RecordingComponentHandler ();
	EXPECT_EQ (controller->setComponentHandler (handler), kResultTrue);
	// One reference as IComponentHandler, one as IComponentHandler2.
	EXPECT_EQ (handler->referenceCount (), 3u);

	ASSERT_EQ (restore (*controller, stateRecord (0.1, 0.2, 0.3, 0.4, 1)), kResultOk);
	EXPECT_TRUE (handler->events ().empty ());

	EXPECT_EQ (controller->beginEdit (kRateId), kResultOk);
	EXPECT_EQ (controller->setParamNormalized (kRateId, 0.6), kResultTrue);
	EXPECT_EQ (controller->performEdit (kRateId, controller->getParamNormalized (kRateId)), kResultOk);
	EXPECT_EQ (controller->endEdit (kRateId), kResultOk);
	using Call = RecordingComponentHandler::Call;
	const std::vector<RecordingComponentHandler::Event> expected = {
		{Call::beginEdit, kRateId, 0.0, 0},
		{Call::performEdit, kRateId, 0.6, 0},
		{Call::endEdit, kRateId, 0.0, 0},
	};
	EXPECT_EQ (handler->events (), expected);

	// terminate gives the handler back.
	controller->terminate ();
	EXPECT_EQ (handler->referenceCount (), 1u);
	handler->release ();
}
