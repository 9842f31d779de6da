// Opening and closing the editor as hosts do, also when they do it wrong:
// nothing may stay behind (window, handler, timer, reference, descriptor),
// an edit in progress is closed with the editor, a reloaded module opens its
// editor again, and without a display or a host run loop the editor refuses
// to attach instead of crashing.
#include "windowtestkit.h"

#include <cstdlib>

using namespace WindowTest;

namespace {

// Expects that the host holds nothing of a closed editor.
void expectNothingLeft (const HostFrame& frame, const X11Display& display)
{
	EXPECT_EQ (frame.eventHandlerCount (), 0u) << "an event handler stays registered";
	EXPECT_EQ (frame.timerCount (), 0u) << "a timer stays registered";
	EXPECT_EQ (frame.foreignReferences (), 0u) << "the frame is still referenced";
	EXPECT_TRUE (eventually ([&] { return display.children ().empty (); })) << "the editor's window stays";
}

} // namespace

TEST_F (EditorWindow, OpenedAndClosedFiftyTimesLeavesNothingBehind)
{
	// Refused attaches first: no run loop from the host, a type other than
	// X11, and a second attach of an open editor.
	HostFrame withoutLoop (false);
	view = session->createEditor ();
	ASSERT_TRUE (view);
	EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeHWND), kResultFalse);
	ASSERT_EQ (view->setFrame (&withoutLoop), kResultOk);
	EXPECT_EQ (view->attached (display->parentHandle (), kPlatformTypeX11EmbedWindowID), kResultFalse);
	EXPECT_NE (view->attached (display->parentHandle (), kPlatformTypeHWND), kResultOk);
	view->setFrame (nullptr);
	EXPECT_EQ (withoutLoop.foreignReferences (), 0u);
	EXPECT_TRUE (display->children ().empty ());
	EXPECT_EQ (view.take ()->release (), 0u);

	ASSERT_NO_FATAL_FAILURE (openEditor ());
	EXPECT_NE (view->attached (display->parentHandle (), kPlatformTypeX11EmbedWindowID), kResultOk);
	EXPECT_EQ (display->children ().size (), 1u);
	closeEditor ();
	expectNothingLeft (frame, *display);

	// After one full cycle (caches, fonts, the module's first use) every
	// further one must return all it took.
	const size_t descriptors = openDescriptors ();
	for (int round = 0; round < 50 && !HasFailure (); ++round)
	{
		view = session->createEditor ();
		ASSERT_TRUE (view);
		ASSERT_EQ (view->setFrame (&frame), kResultOk);
		ASSERT_EQ (view->attached (display->parentHandle (), kPlatformTypeX11EmbedWindowID), kResultOk) << round;
		EXPECT_GE (frame.eventHandlerCount (), 1u) << "the X connection is not on the host's loop";
		frame.runFor (5);
		closeEditor ();
		expectNothingLeft (frame, *display);
	}
	EXPECT_EQ (openDescriptors (), descriptors) << "descriptors leaked over 50 editors";
}

TEST_F (EditorWindow, ClosedDuringADragOrAWheelEditLeavesNoTimerAndClosesTheEdit)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	display->moveTo (300, rateSlider.centreY ());
	display->press (1);
	frame.runFor (40);
	display->moveTo (380, rateSlider.centreY ());
	frame.runFor (40);
	ASSERT_FALSE (events ().empty ());
	ASSERT_EQ (events ().front ().call, Call::beginEdit);
	closeEditor ();
	expectNothingLeft (frame, *display);
	// The host must not be left inside an edit that nobody will end.
	ASSERT_FALSE (events ().empty ());
	EXPECT_EQ (events ().back ().call, Call::endEdit);
	EXPECT_EQ (events ().back ().id, kRate);
	// The rest of the gesture reaches no one.
	display->moveTo (420, rateSlider.centreY ());
	display->release (1);
	frame.runFor (40);

	session->handler ().clear ();
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	display->moveTo (depthSlider.centreX (), depthSlider.centreY ());
	display->press (4);
	display->release (4);
	frame.runFor (40);
	ASSERT_FALSE (events ().empty ());
	ASSERT_EQ (events ().front ().call, Call::beginEdit);
	closeEditor ();
	expectNothingLeft (frame, *display);
	ASSERT_FALSE (events ().empty ());
	EXPECT_EQ (events ().back ().call, Call::endEdit);
	EXPECT_EQ (events ().back ().id, kDepth);
}

// Hosts unload a module and load it again (a rescan, another project); the
// libraries the editor draws with must survive that within one process.
TEST_F (EditorWindow, OpensAgainAfterTheModuleWasUnloadedAndLoadedAgain)
{
	for (int load = 0; load < 2; ++load)
	{
		if (load > 0)
		{
			session.reset ();
			session = std::make_unique<PlugSession> ();
			ASSERT_TRUE (session->isOpen ()) << session->error ();
		}
		ASSERT_NO_FATAL_FAILURE (openEditor ()) << "load " << load;
		expectHandleAt (capture (), levelSlider, 0.75);
		closeEditor ();
		expectNothingLeft (frame, *display);
	}
}

TEST (EditorWithoutDisplay, AttachedAnswersFalseAndLeavesNothingRegistered)
{
	const char* previous = std::getenv ("DISPLAY");
	const std::string saved = previous ? previous : "";

	PlugSession session;
	ASSERT_TRUE (session.isOpen ()) << session.error ();
	// No display at all, and one where no server listens.
	for (const char* name : {static_cast<const char*> (nullptr), ":64999"})
	{
		if (name)
			setenv ("DISPLAY", name, 1);
		else
			unsetenv ("DISPLAY");
		HostFrame frame;
		IPtr<IPlugView> view = session.createEditor ();
		ASSERT_TRUE (view);
		ASSERT_EQ (view->setFrame (&frame), kResultOk);
		// Any window id: there is no server to know it.
		EXPECT_EQ (view->attached (reinterpret_cast<void*> (uintptr_t {0x200001}), kPlatformTypeX11EmbedWindowID),
		           kResultFalse);
		EXPECT_EQ (frame.eventHandlerCount (), 0u);
		EXPECT_EQ (frame.timerCount (), 0u);
		view->setFrame (nullptr);
		EXPECT_EQ (view.take ()->release (), 0u);
		EXPECT_EQ (frame.foreignReferences (), 0u);
	}
	// The plug-in goes on working: the controller still takes values.
	EXPECT_EQ (session.editController ().setParamNormalized (kRate, 0.25), kResultOk);
	EXPECT_DOUBLE_EQ (session.editController ().getParamNormalized (kRate), 0.25);

	if (previous)
		setenv ("DISPLAY", saved.c_str (), 1);
	else
		unsetenv ("DISPLAY");
}
