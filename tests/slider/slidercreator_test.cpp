// The slider view creators: attribute round trips through a small fake
// description, the text forms and their edge cases, the takeover of
// "CSlider" in the view factory and the control modifiers set at load.
#include "slider/cslider.h"
#include "slider/slidercreator.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"
#include "vstgui/uidescription/iuidescription.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace VSTGUI;
using QBGUI::CSlider;
using QBGUI::CSliderBase;
using QBGUI::CSliderMode;
using QBGUI::SliderCreator;

// Bitmaps and colours by name; colours also as "#rrggbbaa".
class FakeDescription final : public IUIDescription
{
public:
	std::map<std::string, CBitmap*> bitmaps;
	std::map<std::string, CColor> colors;

	CBitmap* getBitmap (UTF8StringPtr name) const override
	{
		const auto it = bitmaps.find (name);
		return it == bitmaps.end () ? nullptr : it->second;
	}
	bool getColor (UTF8StringPtr name, CColor& color) const override
	{
		const auto it = colors.find (name);
		if (it != colors.end ())
		{
			color = it->second;
			return true;
		}
		unsigned r, g, b, a;
		char rest;
		if (std::sscanf (name, "#%2x%2x%2x%2x%c", &r, &g, &b, &a, &rest) != 4)
			return false;
		color = CColor (static_cast<uint8_t> (r), static_cast<uint8_t> (g), static_cast<uint8_t> (b),
		                static_cast<uint8_t> (a));
		return true;
	}
	UTF8StringPtr lookupBitmapName (const CBitmap* bitmap) const override
	{
		for (const auto& entry : bitmaps)
			if (entry.second == bitmap)
				return entry.first.c_str ();
		return nullptr;
	}
	UTF8StringPtr lookupColorName (const CColor& color) const override
	{
		for (const auto& entry : colors)
			if (entry.second == color)
				return entry.first.c_str ();
		return nullptr;
	}
	UTF8StringPtr lookupControlTagName (int32_t) const override { return nullptr; }
	int32_t getTagForName (UTF8StringPtr) const override { return -1; }
	IControlListener* getControlListener (UTF8StringPtr) const override { return nullptr; }
	IController* getController () const override { return nullptr; }
	const IViewFactory* getViewFactory () const override { return nullptr; }
};

// Counts the draw-style calls that apply makes.
class CountingSlider final : public CSlider
{
public:
	CountingSlider ()
	: CSlider (CRect (0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint (0, 0),
	           CSliderBase::kLeft | CSliderBase::kHorizontal)
	{
	}
	void setDrawStyle (int32_t style) override
	{
		++drawStyleCalls;
		CSlider::setDrawStyle (style);
	}
	int drawStyleCalls {0};
};

// A creator that stands in for the GUI library's own slider creator.
class StandInCreator final : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CSlider"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	CView* create (const UIAttributes&, const IUIDescription*) const override { return nullptr; }
	bool apply (CView*, const UIAttributes&, const IUIDescription*) const override { return false; }
};

class SliderCreatorTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		knob = makeOwned<CBitmap> (20., 10.);
		description.bitmaps["knob"] = knob;
		description.colors["accent"] = CColor (0x20, 0x90, 0xe0, 0xff);
	}

	const IViewCreator& creator () const { return *UIViewFactory::getViewCreator ("CSlider"); }

	SharedPointer<CSlider> make (const std::vector<std::pair<std::string, std::string>>& attrs,
	                             bool* applied = nullptr)
	{
		UIAttributes attributes;
		for (const auto& a : attrs)
			attributes.setAttribute (a.first, a.second);
		auto view = owned (dynamic_cast<CSlider*> (creator ().create (attributes, &description)));
		const bool ok = view && creator ().apply (view, attributes, &description);
		if (applied)
			*applied = ok;
		return view;
	}

	std::string read (CView* view, const std::string& name, std::string text = "<untouched>")
	{
		const bool ok = creator ().getAttributeValue (view, name, text, &description);
		return ok ? text : "<false>";
	}

	FakeDescription description;
	SharedPointer<CBitmap> knob;
};

TEST_F (SliderCreatorTest, ModuleLoadTakesOverCSliderAndSetsTheModifiers)
{
	const auto* registered = UIViewFactory::getViewCreator ("CSlider");
	ASSERT_NE (registered, nullptr);
	EXPECT_NE (dynamic_cast<const SliderCreator*> (registered), nullptr);
	EXPECT_STREQ (registered->getViewName (), "CSlider");
	EXPECT_STREQ (registered->getBaseViewName (), "CControl");
	EXPECT_STREQ (registered->getDisplayName (), "Slider");

	EXPECT_EQ (CControl::kDefaultValueModifier, 0x40);
	EXPECT_EQ (CControl::kZoomModifier, 0x10);
	EXPECT_EQ (CSliderBase::getGlobalMode (), CSliderMode::QBFreeClick);
}

TEST_F (SliderCreatorTest, CreateMakesAnEmptyHorizontalSliderAtUseGlobal)
{
	bool applied = false;
	auto slider = make ({}, &applied);
	ASSERT_TRUE (slider);
	EXPECT_TRUE (applied);
	EXPECT_EQ (slider->getViewSize ().getWidth (), 0.);
	EXPECT_EQ (slider->getViewSize ().getHeight (), 0.);
	EXPECT_EQ (slider->getTag (), -1);
	EXPECT_EQ (slider->getStyle (), CSliderBase::kLeft | CSliderBase::kHorizontal);
	EXPECT_EQ (slider->getZoomFactor (), 10.f);
	EXPECT_EQ (slider->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::QBFreeClick);
	EXPECT_EQ (slider->getHandle (), nullptr);
	// The stored mode is written back, not the effective one.
	EXPECT_EQ (read (slider, "mode"), "use global");
}

TEST_F (SliderCreatorTest, EveryAttributeRoundTrips)
{
	const std::vector<std::pair<std::string, std::string>> cases = {
		{"mode", "touch"},
		{"mode", "relative touch"},
		{"mode", "free click"},
		{"mode", "QB free click"},
		{"mode", "ramp"},
		{"mode", "use global"},
		{"orientation", "vertical"},
		{"orientation", "horizontal"},
		{"reverse-orientation", "true"},
		{"reverse-orientation", "false"},
		{"handle-offset", "3, 4.5"},
		{"zoom-factor", "2.5"},
		{"handle-bitmap", "knob"},
		{"bitmap-offset", "-2, 7"},
		{"draw-frame", "true"},
		{"draw-back", "true"},
		{"draw-value", "true"},
		{"draw-value-from-center", "true"},
		{"draw-value-inverted", "true"},
		{"draw-value", "false"},
		{"frame-width", "1.5"},
		{"draw-frame-color", "accent"},
		{"draw-back-color", "#10203040"},
		{"draw-value-color", "#ffffff00"},
	};
	for (const auto& c : cases)
	{
		auto slider = make ({c});
		ASSERT_TRUE (slider);
		EXPECT_EQ (read (slider, c.first), c.second) << c.first << " = " << c.second;
	}

	// Each slider attribute is listed once, in listing order, after the
	// caller's entries; "free-click" never is.
	IViewCreator::StringList names {"caller's"};
	EXPECT_TRUE (creator ().getAttributeNames (names));
	const IViewCreator::StringList expected {
		"caller's", "mode", "orientation", "reverse-orientation", "handle-offset", "zoom-factor",
		"handle-bitmap", "bitmap-offset", "draw-frame", "draw-back", "draw-value",
		"draw-value-from-center", "draw-value-inverted", "frame-width", "draw-frame-color",
		"draw-back-color", "draw-value-color"};
	EXPECT_EQ (names, expected);

	const std::map<std::string, IViewCreator::AttrType> types = {
		{"mode", IViewCreator::kListType},
		{"orientation", IViewCreator::kListType},
		{"reverse-orientation", IViewCreator::kBooleanType},
		{"handle-offset", IViewCreator::kPointType},
		{"zoom-factor", IViewCreator::kFloatType},
		{"handle-bitmap", IViewCreator::kBitmapType},
		{"bitmap-offset", IViewCreator::kPointType},
		{"draw-frame", IViewCreator::kBooleanType},
		{"draw-value-inverted", IViewCreator::kBooleanType},
		{"frame-width", IViewCreator::kFloatType},
		{"draw-back-color", IViewCreator::kColorType},
		{"free-click", IViewCreator::kUnknownType},
		{"control-tag", IViewCreator::kUnknownType},
		{"Mode", IViewCreator::kUnknownType},
	};
	for (const auto& t : types)
		EXPECT_EQ (creator ().getAttributeType (t.first), t.second) << t.first;
}

TEST_F (SliderCreatorTest, ModeNamesAreExactAndFreeClickYieldsToAMatchingMode)
{
	EXPECT_EQ (make ({{"mode", "QB free click"}})->getSliderMode (), CSliderMode::QBFreeClick);
	for (const char* near : {"QB Free Click", "qb free click", " ramp", "ramp ", "Ramp", "", "6"})
		EXPECT_EQ (make ({{"mode", near}})->getSliderMode (), CSliderMode::UseGlobal) << near;

	EXPECT_EQ (make ({{"free-click", "true"}, {"mode", "ramp"}})->getSliderMode (), CSliderMode::Ramp);
	EXPECT_EQ (make ({{"free-click", "true"}, {"mode", "Ramp"}})->getSliderMode (),
	           CSliderMode::FreeClick);
	EXPECT_EQ (make ({{"free-click", "yes"}})->getSliderMode (), CSliderMode::Touch);
	EXPECT_EQ (make ({{"free-click", "True"}})->getSliderMode (), CSliderMode::Touch);

	auto freeClick = make ({{"free-click", "true"}});
	EXPECT_EQ (read (freeClick, "mode"), "free click");
	EXPECT_EQ (read (freeClick, "free-click"), "<false>");
}

TEST_F (SliderCreatorTest, OrientationAndItsDirectionWhateverTheOrder)
{
	EXPECT_EQ (make ({{"orientation", "Vertical"}})->getStyle (),
	           CSliderBase::kLeft | CSliderBase::kHorizontal);

	// Attributes are held by name, so build both insertion orders anyway.
	auto first = make ({{"reverse-orientation", "true"}, {"orientation", "vertical"}});
	auto second = make ({{"orientation", "vertical"}, {"reverse-orientation", "true"}});
	for (const auto* s : {first.get (), second.get ()})
	{
		EXPECT_TRUE (s->getStyle () & CSliderBase::kVertical);
		EXPECT_TRUE (s->getStyle () & CSliderBase::kTop);
		EXPECT_FALSE (s->getStyle () & CSliderBase::kHorizontal);
	}
	// The created slider's kLeft survives a switch to vertical.
	EXPECT_EQ (make ({{"orientation", "vertical"}, {"reverse-orientation", "false"}})->getStyle (),
	           CSliderBase::kLeft | CSliderBase::kVertical | CSliderBase::kBottom);
	EXPECT_EQ (make ({{"reverse-orientation", "false"}})->getStyle (),
	           CSliderBase::kLeft | CSliderBase::kHorizontal);
	EXPECT_EQ (make ({{"reverse-orientation", "true"}})->getStyle (),
	           CSliderBase::kRight | CSliderBase::kHorizontal);

	auto slider = make ({});
	slider->setStyle (CSliderBase::kHorizontal | CSliderBase::kRight);
	EXPECT_EQ (read (slider, "reverse-orientation"), "true");
	EXPECT_EQ (read (slider, "orientation"), "horizontal");
	slider->setStyle (CSliderBase::kVertical | CSliderBase::kBottom);
	EXPECT_EQ (read (slider, "reverse-orientation"), "false");
	EXPECT_EQ (read (slider, "orientation"), "vertical");
	slider->setStyle (CSliderBase::kHorizontal | CSliderBase::kTop);
	EXPECT_EQ (read (slider, "reverse-orientation"), "false");
}

TEST_F (SliderCreatorTest, NumbersAndPointsThatDoNotReadAreSkipped)
{
	auto zoomed = make ({{"zoom-factor", "2.5"}});
	EXPECT_EQ (zoomed->getZoomFactor (), 2.5f);
	EXPECT_EQ (read (zoomed, "zoom-factor"), "2.5");
	// Six significant digits of the float, not its full double expansion.
	EXPECT_EQ (read (make ({{"zoom-factor", "0.1"}}), "zoom-factor"), "0.1");
	// Beyond the float range the number is held at the range's end, and it
	// is written back as a number that reads again.
	auto huge = make ({{"zoom-factor", "1e300"}});
	EXPECT_EQ (huge->getZoomFactor (), FLT_MAX);
	EXPECT_EQ (read (huge, "zoom-factor"), "3.40282e+38");
	EXPECT_EQ (make ({{"zoom-factor", "-1e300"}})->getZoomFactor (), -FLT_MAX);

	auto bad = make ({{"zoom-factor", "fast"}, {"handle-offset", "3"}, {"bitmap-offset", "1; 2"},
	                  {"frame-width", "wide"}, {"mode", "ramp"}});
	EXPECT_EQ (bad->getZoomFactor (), 10.f);
	EXPECT_EQ (read (bad, "handle-offset"), "0, 0");
	EXPECT_EQ (read (bad, "bitmap-offset"), "0, 0");
	EXPECT_EQ (bad->getFrameWidth (), 1.);
	EXPECT_EQ (bad->getSliderMode (), CSliderMode::Ramp) << "the other attributes still apply";
}

TEST_F (SliderCreatorTest, BitmapsByNameEmptyOrUnknownMeanNone)
{
	auto slider = make ({{"handle-bitmap", "knob"}});
	EXPECT_EQ (slider->getHandle (), knob.get ());

	bool applied = false;
	auto byEmpty = make ({{"handle-bitmap", ""}}, &applied);
	EXPECT_TRUE (applied);
	EXPECT_EQ (byEmpty->getHandle (), nullptr);
	EXPECT_EQ (read (byEmpty, "handle-bitmap", "kept"), "kept");

	slider->setHandle (knob);
	UIAttributes unknown;
	unknown.setAttribute ("handle-bitmap", "no such image");
	EXPECT_TRUE (creator ().apply (slider, unknown, &description));
	EXPECT_EQ (slider->getHandle (), nullptr);

	// A bitmap the description does not name is written by its resource name.
	auto loose = makeOwned<CBitmap> (CResourceDescription ("loose_handle.png"));
	slider->setHandle (loose);
	EXPECT_EQ (read (slider, "handle-bitmap"), "loose_handle.png");
	auto numbered = makeOwned<CBitmap> (CResourceDescription (1234));
	slider->setHandle (numbered);
	EXPECT_EQ (read (slider, "handle-bitmap"), "1234");
	slider->setHandle (nullptr);
}

TEST_F (SliderCreatorTest, ColoursEmptyIsTransparentWhiteUnknownIsSkipped)
{
	auto slider = make ({{"draw-frame-color", ""}, {"draw-back-color", "nowhere"},
	                     {"draw-value-color", "accent"}});
	EXPECT_EQ (slider->getFrameColor (), CColor (255, 255, 255, 0));
	EXPECT_EQ (slider->getBackColor (), CColor (0, 0, 0, 255)) << "construction value kept";
	EXPECT_EQ (slider->getValueColor (), description.colors["accent"]);
	EXPECT_EQ (read (slider, "draw-value-color"), "accent");
	EXPECT_EQ (read (slider, "draw-back-color"), "#000000ff");
	EXPECT_EQ (read (slider, "draw-frame-color"), "#ffffff00");

	// Without a description only the empty text resolves.
	UIAttributes attributes;
	attributes.setAttribute ("draw-back-color", "#11223344");
	attributes.setAttribute ("draw-value-color", "");
	EXPECT_TRUE (creator ().apply (slider, attributes, nullptr));
	EXPECT_EQ (slider->getBackColor (), CColor (0, 0, 0, 255));
	EXPECT_EQ (slider->getValueColor (), CColor (255, 255, 255, 0));
	std::string text;
	EXPECT_TRUE (creator ().getAttributeValue (slider, "draw-value-color", text, nullptr));
	EXPECT_EQ (text, "#ffffff00");
}

TEST_F (SliderCreatorTest, DrawStyleIsAlwaysSetBitsOnlyByTheirAttributes)
{
	CountingSlider slider;
	slider.setDrawStyle (CSlider::kDrawBack | CSlider::kDrawInverted);
	slider.drawStyleCalls = 0;
	EXPECT_TRUE (creator ().apply (&slider, UIAttributes (), &description));
	EXPECT_EQ (slider.drawStyleCalls, 1);
	EXPECT_EQ (slider.getDrawStyle (), CSlider::kDrawBack | CSlider::kDrawInverted);

	UIAttributes attributes;
	attributes.setAttribute ("draw-frame", "true");
	attributes.setAttribute ("draw-back", "TRUE");
	attributes.setAttribute ("draw-value", "1");
	EXPECT_TRUE (creator ().apply (&slider, attributes, &description));
	EXPECT_EQ (slider.drawStyleCalls, 2);
	EXPECT_EQ (slider.getDrawStyle (), CSlider::kDrawFrame | CSlider::kDrawInverted);
	EXPECT_EQ (read (&slider, "draw-back"), "false");
	EXPECT_EQ (read (&slider, "draw-value-inverted"), "true");
}

TEST_F (SliderCreatorTest, ForeignViewsAndNamesAreRefused)
{
	auto plain = makeOwned<CView> (CRect (0, 0, 10, 10));
	UIAttributes attributes;
	attributes.setAttribute ("mode", "ramp");
	EXPECT_FALSE (creator ().apply (plain, attributes, &description));
	EXPECT_FALSE (creator ().apply (nullptr, attributes, &description));
	EXPECT_EQ (read (plain, "mode"), "<false>");
	EXPECT_EQ (read (nullptr, "zoom-factor"), "<false>");

	auto slider = make ({});
	EXPECT_EQ (read (slider, "control-tag"), "<false>");
	EXPECT_EQ (read (slider, "Zoom-factor"), "<false>");
	std::string text = "kept";
	EXPECT_FALSE (creator ().getAttributeValue (slider, "size", text, &description));
	EXPECT_EQ (text, "kept");

	// A mode outside the table has no name: refused, not read past the table.
	slider->setSliderMode (static_cast<CSliderMode> (9));
	EXPECT_EQ (read (slider, "mode"), "<false>");
	slider->setSliderMode (static_cast<CSliderMode> (-1));
	EXPECT_EQ (read (slider, "mode"), "<false>");
}

TEST_F (SliderCreatorTest, ListValues)
{
	using Texts = std::vector<std::string>;
	const auto listed = [this] (const char* name, IViewCreator::ConstStringPtrList& values) {
		EXPECT_TRUE (creator ().getPossibleListValues (name, values)) << name;
		Texts texts;
		for (const auto* v : values)
			texts.push_back (*v);
		return texts;
	};
	IViewCreator::ConstStringPtrList values;
	EXPECT_EQ (listed ("orientation", values), (Texts {"horizontal", "vertical"}));

	values.clear ();
	EXPECT_EQ (listed ("mode", values), (Texts {"touch", "relative touch", "free click",
	                                            "QB free click", "ramp", "use global"}));
	// The same strings each time: built once.
	IViewCreator::ConstStringPtrList again;
	listed ("mode", again);
	EXPECT_EQ (again, values);

	IViewCreator::ConstStringPtrList none;
	EXPECT_FALSE (creator ().getPossibleListValues ("zoom-factor", none));
	EXPECT_FALSE (creator ().getPossibleListValues ("free-click", none));
	EXPECT_TRUE (none.empty ());
}

TEST_F (SliderCreatorTest, FactoryBuildsTheSizeAlongTheOrientationSet)
{
	// Orientation is applied before the "CView" creator sets the size, so
	// the handle travels along y here.
	UIAttributes attributes;
	attributes.setAttribute ("class", "CSlider");
	attributes.setAttribute ("origin", "10, 20");
	attributes.setAttribute ("size", "30, 120");
	attributes.setAttribute ("orientation", "vertical");
	attributes.setAttribute ("reverse-orientation", "false");
	UIViewFactory factory;
	auto view = owned (factory.createView (attributes, &description));
	auto* slider = dynamic_cast<CSlider*> (view.get ());
	ASSERT_NE (slider, nullptr);
	EXPECT_EQ (slider->getViewSize (), CRect (10, 20, 40, 140));
	// kBottom: value 0 at the bottom end of a 119-pixel travel (1-pixel handle).
	EXPECT_EQ (slider->calculateHandleRect (0.f).top, 20. + 119.);
	EXPECT_EQ (slider->calculateHandleRect (1.f).top, 20.);
}

TEST_F (SliderCreatorTest, TakeoverOfCSliderBeforeAndAfterAStandIn)
{
	const IViewCreator* loaded = UIViewFactory::getViewCreator ("CSlider");
	ASSERT_NE (loaded, nullptr);
	StandInCreator before;
	StandInCreator after;
	{
		// A stand-in already registered is erased by ours.
		UIViewFactory::unregisterViewCreator (*loaded);
		UIViewFactory::registerViewCreator (before);
		ASSERT_EQ (UIViewFactory::getViewCreator ("CSlider"), &before);
		SliderCreator ours;
		EXPECT_EQ (UIViewFactory::getViewCreator ("CSlider"), &ours);

		// A stand-in registered later is ignored.
		UIViewFactory::registerViewCreator (after);
		EXPECT_EQ (UIViewFactory::getViewCreator ("CSlider"), &ours);
	}
	// Ours leaves no dangling entry when it goes.
	EXPECT_EQ (UIViewFactory::getViewCreator ("CSlider"), nullptr);

	// A creator that goes while another holds the name leaves that one be.
	UIViewFactory::registerViewCreator (after);
	{
		SliderCreator ours;
		UIViewFactory::unregisterViewCreator (ours);
		UIViewFactory::registerViewCreator (after);
	}
	EXPECT_EQ (UIViewFactory::getViewCreator ("CSlider"), &after);

	UIViewFactory::unregisterViewCreator (after);
	UIViewFactory::registerViewCreator (*loaded);
	EXPECT_EQ (UIViewFactory::getViewCreator ("CSlider"), loaded);
}

} // namespace
