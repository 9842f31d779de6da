// A whole host session through the loaded bundle: create, set up, process
// with automation, save the processor's state and restore it into fresh
// objects, as a host saves and reopens a project.
#include "componenthandler.h"
#include "hostparamids.h"
#include "moduleloader.h"
#include "testhost.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace LumivoTest;

namespace {

struct Session
{
	IPtr<IComponent> component;
	IPtr<IAudioProcessor> processor;
	IPtr<IEditController> controller;
};

class HostSession : public ::testing::Test
{
protected:
	void SetUp () override
	{
		ASSERT_TRUE (module.isLoaded ()) << module.error ();
		factory = owned (module.factory ());
		ASSERT_TRUE (factory);
		ASSERT_EQ (factory->getClassInfo (0, &processorClass), kResultOk);
	}

	template <typename I>
	IPtr<I> create (const TUID cid)
	{
		I* object = nullptr;
		EXPECT_EQ (factory->createInstance (cid, I::iid, reinterpret_cast<void**> (&object)), kResultOk);
		return owned (object);
	}

	// Creates and initialises both objects as a host does: the controller's
	// class comes from the component.
	void open (Session& session)
	{
		session.component = create<IComponent> (processorClass.cid);
		ASSERT_TRUE (session.component);
		session.processor = FUnknownPtr<IAudioProcessor> (session.component);
		ASSERT_TRUE (session.processor);
		TUID cid {};
		ASSERT_EQ (session.component->getControllerClassId (cid), kResultOk);
		session.controller = create<IEditController> (cid);
		ASSERT_TRUE (session.controller);
		EXPECT_EQ (session.component->initialize (nullptr), kResultOk);
		EXPECT_EQ (session.controller->initialize (nullptr), kResultOk);
	}

	void close (Session& session)
	{
		EXPECT_EQ (session.controller->terminate (), kResultOk);
		EXPECT_EQ (session.component->terminate (), kResultOk);
	}

	ModuleLoader module {LUMIVO_BUNDLE_DIR};
	IPtr<IPluginFactory> factory;
	PClassInfo processorClass {};
};

} // namespace

TEST_F (HostSession, AutomationSavedAndRestoredIntoFreshObjects)
{
	Session live, reopened;
	ASSERT_NO_FATAL_FAILURE (open (live));

	auto* handler = new RecordingComponentHandler ();
	EXPECT_EQ (live.controller->setComponentHandler (handler), kResultOk);
	handler->release ();

	SpeakerArrangement stereo = SpeakerArr::kStereo;
	EXPECT_EQ (live.processor->setBusArrangements (&stereo, 1, &stereo, 1), kResultTrue);
	ASSERT_EQ (live.processor->canProcessSampleSize (kSample32), kResultTrue);
	ProcessSetup setup = makeSetup (48000.0, kSample32, 256);
	ASSERT_EQ (live.processor->setupProcessing (setup), kResultOk);
	ASSERT_EQ (live.component->setActive (true), kResultOk);
	live.processor->setProcessing (true);

	// The values the host sends during playback, and the last of each.
	const ParamValue level = 0.5, depth = 0.3, degree = 0.25, rate = 0.8;
	ParamChanges changes;
	AudioBlock block (kSample32, 256);
	for (int round = 0; round < 8; ++round)
	{
		changes.clear ();
		if (round == 1)
		{
			changes.add (kLevel).add (0, 0.9).add (100, level);
			changes.add (kDepth).add (10, depth);
		}
		if (round == 3)
		{
			changes.add (kDegree).add (0, degree);
			changes.add (kRate).add (255, rate);
			changes.add (kBypass).add (0, 1.0);
		}
		if (round == 5)
			changes.add (kBypass).add (0, 0.0).add (128, 0.75);
		block.fillInput ([] (int32 channel, int32 index) {
			return 0.5 * std::sin (0.01 * index + channel);
		});
		ASSERT_EQ (live.processor->process (block.data (&changes)), kResultOk);
		for (int32 c = 0; c < 2; ++c)
			for (int32 i = 0; i < block.numSamples (); ++i)
				ASSERT_TRUE (std::isfinite (block.output (c, i)));
	}
	live.processor->setProcessing (false);
	EXPECT_EQ (live.component->setActive (false), kResultOk);

	// Saving: the processor's record.
	auto saved = makeStream ();
	ASSERT_EQ (live.component->getState (saved), kResultOk);
	const std::vector<uint8> bytes = streamBytes (*saved);
	ASSERT_EQ (bytes.size (), 44u);
	EXPECT_DOUBLE_EQ (doubleAt (bytes, 8), level);
	EXPECT_DOUBLE_EQ (doubleAt (bytes, 16), depth);
	EXPECT_DOUBLE_EQ (doubleAt (bytes, 24), degree);
	EXPECT_DOUBLE_EQ (doubleAt (bytes, 32), rate);
	EXPECT_EQ (int32At (bytes, 40), 1);

	// Reopening: the same bytes into a fresh processor and a fresh controller.
	ASSERT_NO_FATAL_FAILURE (open (reopened));
	ASSERT_EQ (reopened.component->setActive (true), kResultOk);
	ASSERT_EQ (reopened.component->setState (makeStream (bytes)), kResultOk);
	ASSERT_EQ (reopened.controller->setComponentState (makeStream (bytes)), kResultOk);
	auto resaved = makeStream ();
	ASSERT_EQ (reopened.component->getState (resaved), kResultOk);
	EXPECT_EQ (streamBytes (*resaved), bytes);

	const ParamValue expected[] = {level, depth, degree, rate, 1.0};
	for (ParamID id = 0; id < 5; ++id)
	{
		SCOPED_TRACE (id);
		EXPECT_DOUBLE_EQ (reopened.controller->getParamNormalized (id), expected[id]);
	}
	String128 text {};
	ASSERT_EQ (reopened.controller->getParamStringByValue (kLevel, level, text), kResultOk);
	EXPECT_EQ (text[0], u'-');

	// Restoring is not an edit: the live controller's host heard nothing of
	// its own restore either.
	ASSERT_EQ (live.controller->setComponentState (makeStream (bytes)), kResultOk);
	EXPECT_TRUE (handler->events ().empty ());

	// The restored processor produces the same audio as the live one after
	// the same fresh activation.
	ASSERT_EQ (reopened.processor->setupProcessing (setup), kResultOk);
	ASSERT_EQ (live.component->setActive (true), kResultOk);
	ASSERT_EQ (reopened.component->setActive (false), kResultOk);
	ASSERT_EQ (reopened.component->setActive (true), kResultOk);
	AudioBlock a (kSample32, 256), b (kSample32, 256);
	ParamChanges bypassOff;
	bypassOff.add (kBypass).add (0, 0.0);
	for (int round = 0; round < 4; ++round)
	{
		a.fillInput (0.25);
		b.fillInput (0.25);
		IParameterChanges* sent = round == 0 ? &bypassOff : nullptr;
		ASSERT_EQ (live.processor->process (a.data (sent)), kResultOk);
		ASSERT_EQ (reopened.processor->process (b.data (sent)), kResultOk);
		for (int32 c = 0; c < 2; ++c)
			for (int32 i = 0; i < 256; ++i)
				ASSERT_EQ (a.output (c, i), b.output (c, i)) << c << " " << i;
	}
	live.component->setActive (false);
	reopened.component->setActive (false);

	close (reopened);
	close (live);
}
