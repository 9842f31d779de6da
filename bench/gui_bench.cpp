// Redraw cost of the real editor on the cairo backend. The editor is built
// headless from the bundle's description and drawn into an image surface of
// its size. Three cases, timed side by side in one loop so that they share
// caches and clock: a full redraw of the frame, one slider move (value set,
// invalid (), redraw of the slider's rectangle) and a plain cairo fill of the
// whole surface, the floor any redraw stands on. The counters give both
// redraws as multiples of the fill.
#include "controller/plugcontroller.h"
#include "processor/plugids.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/linux/cairodrawcontext.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <benchmark/benchmark.h>

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace Steinberg;
using VSTGUI::CairoDrawContext;
using VSTGUI::CPoint;
using VSTGUI::CRect;

namespace {

struct Editor
{
	Editor ()
	{
		VSTGUI::VST3Editor::setResourceDirectoryOverride (LUMIVO_RESOURCE_DIR);
		controller = Steinberg::owned (new Vst::PlugController ());
		controller->initialize (nullptr);
		view = Steinberg::owned (controller->createView (Vst::ViewType::kEditor));
		editor = dynamic_cast<VSTGUI::VST3Editor*> (view.get ());
		if (!editor || !editor->open ())
		{
			std::fprintf (stderr, "the editor did not open from %s\n", LUMIVO_RESOURCE_DIR);
			std::abort ();
		}
		frame = editor->getFrame ();
		const CRect size = frame->getViewSize ();
		surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, static_cast<int> (size.getWidth ()),
		                                      static_cast<int> (size.getHeight ()));
		slider = editor->findControlForParameter (Vst::kRateId);
		CPoint origin = slider->getViewSize ().getTopLeft ();
		slider->localToFrame (origin);
		sliderRect = CRect (origin, slider->getViewSize ().getSize ());
	}

	~Editor ()
	{
		cairo_surface_destroy (surface);
		editor->close ();
		controller->terminate ();
	}

	void fullRedraw ()
	{
		CairoDrawContext context (surface);
		frame->drawRect (&context, frame->getViewSize ());
		cairo_surface_flush (surface);
	}

	void sliderMove ()
	{
		value = value > 0.5f ? 0.25f : 0.75f;
		slider->setValueNormalized (value);
		slider->invalid ();
		CairoDrawContext context (surface);
		context.setClipRect (sliderRect);
		frame->drawRect (&context, sliderRect);
		cairo_surface_flush (surface);
	}

	void plainFill ()
	{
		cairo_t* cr = cairo_create (surface);
		cairo_set_source_rgb (cr, 0.1, 0.11, 0.14);
		cairo_paint (cr);
		cairo_destroy (cr);
		cairo_surface_flush (surface);
	}

	IPtr<Vst::PlugController> controller;
	IPtr<IPlugView> view;
	VSTGUI::VST3Editor* editor {nullptr};
	VSTGUI::CFrame* frame {nullptr};
	VSTGUI::CControl* slider {nullptr};
	CRect sliderRect;
	cairo_surface_t* surface {nullptr};
	float value {0.5f};
};

Editor& theEditor ()
{
	static Editor editor;
	return editor;
}

void BM_FullRedraw (benchmark::State& state)
{
	auto& e = theEditor ();
	for (auto _ : state)
		e.fullRedraw ();
}
BENCHMARK (BM_FullRedraw);

void BM_SliderMove (benchmark::State& state)
{
	auto& e = theEditor ();
	for (auto _ : state)
		e.sliderMove ();
}
BENCHMARK (BM_SliderMove);

void BM_PlainFill (benchmark::State& state)
{
	auto& e = theEditor ();
	for (auto _ : state)
		e.plainFill ();
}
BENCHMARK (BM_PlainFill);

// All three interleaved: counters full_vs_fill and move_vs_fill are the ratios.
void BM_RedrawRatios (benchmark::State& state)
{
	using Clock = std::chrono::steady_clock;
	auto& e = theEditor ();
	double full = 0.;
	double move = 0.;
	double fill = 0.;
	auto timed = [] (auto&& call) {
		const auto start = Clock::now ();
		call ();
		return std::chrono::duration<double> (Clock::now () - start).count ();
	};
	for (auto _ : state)
	{
		fill += timed ([&] { e.plainFill (); });
		full += timed ([&] { e.fullRedraw (); });
		move += timed ([&] { e.sliderMove (); });
	}
	const double n = static_cast<double> (state.iterations ());
	state.counters["fill_us"] = fill / n * 1e6;
	state.counters["full_us"] = full / n * 1e6;
	state.counters["move_us"] = move / n * 1e6;
	state.counters["full_vs_fill"] = full / fill;
	state.counters["move_vs_fill"] = move / fill;
}
BENCHMARK (BM_RedrawRatios);

} // namespace

BENCHMARK_MAIN ();
