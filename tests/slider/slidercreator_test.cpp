// The slider view creators: attribute round trips through a small editor
// description, the text forms and their edge cases, the takeover of
// "CSlider" in the view factory and the control modifiers set at load.
#include "slider/cslider.h"
#include "slider/slidercreator.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
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
using Attrs = std::vector<std::pair<std::string, std::string>>;

const char* const kDescription = R"({"vstgui-ui-description": {
  "bitmaps": {"knob": {"path": "slider-handle.png"}},
  "colors": {"accent": "#2090e0ff"}}})";
constexpr CColor kAccent (0x20, 0x90, 0xe0, 0xff);

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

UIAttributes attributesOf (const Attrs& attrs)
{
	UIAttributes attributes;
	for (const auto& a : attrs)
		attributes.setAttribute (a.first, a.second);
	return attributes;
}

class SliderCreatorTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		ASSERT_TRUE (description.parseText (kDescription, std::strlen (kDescription)));
		knob = description.getBitmap ("knob");
		ASSERT_NE (knob, nullptr);
	}

	static const IViewCreator& creator () { return *UIViewFactory::getViewCreator ("CSlider"); }

	SharedPointer<CSlider> make (const Attrs& attrs, bool* applied = nullptr)
	{
		const auto attributes = attributesOf (attrs);
		auto view = owned (dynamic_cast<CSlider*> (creator ().create (attributes, &description)));
		const bool ok = view && creator ().apply (view, attributes, &description);
		if (applied)
			*applied = ok;
		return view;
	}

	// What getAttributeValue writes over `text`, or "<false>" when it refuses.
	std::string read (CView* view, const std::string& name, std::string text = "<untouched>") const
	{
		return creator ().getAttributeValue (view, name, text, &description) ? text : "<false>";
	}
	static std::string readWithoutDescription (CView* view, const std::string& name)
	{
		std::string text;
		return creator ().getAttributeValue (view, name, text, nullptr) ? text : "<false>";
	}

	UIDescription description {std::string (LUMIVO_RESOURCE_DIR) + "/slider-creator-test.uidesc"};
	CBitmap* knob {nullptr};
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
	EXPECT_EQ (slider->getViewSize (), CRect (0, 0, 0, 0));
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
	Attrs cases = {{"orientation", "vertical"}, {"orientation", "horizontal"},
	               {"reverse-orientation", "true"}, {"reverse-orientation", "false"},
	               {"handle-offset", "3, 4.5"}, {"zoom-factor", "2.5"},
	               {"handle-bitmap", "knob"}, {"bitmap-offset", "-2, 7"},
	               {"draw-value", "false"}, {"frame-width", "1.5"},
	               {"draw-frame-color", "accent"}, {"draw-back-color", "#10203040"},
	               {"draw-value-color", "#ffffff00"}};
	for (const char* mode : {"touch", "relative touch", "free click", "QB free click", "ramp", "use global"})
		cases.emplace_back ("mode", mode);
	for (const char* bit :
	     {"draw-frame", "draw-back", "draw-value", "draw-value-from-center", "draw-value-inverted"})
		cases.emplace_back (bit, "true");
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
	EXPECT_EQ (names, (IViewCreator::StringList {
	                      "caller's", "mode", "orientation", "reverse-orientation", "handle-offset",
	                      "zoom-factor", "handle-bitmap", "bitmap-offset", "draw-frame", "draw-back",
	                      "draw-value", "draw-value-from-center", "draw-value-inverted", "frame-width",
	                      "draw-frame-color", "draw-back-color", "draw-value-color"}));

	const std::map<std::string, IViewCreator::AttrType> types = {
		{"mode", IViewCreator::kListType}, {"orientation", IViewCreator::kListType},
		{"reverse-orientation", IViewCreator::kBooleanType}, {"handle-offset", IViewCreator::kPointType},
		{"zoom-factor", IViewCreator::kFloatType}, {"handle-bitmap", IViewCreator::kBitmapType},
		{"bitmap-offset", IViewCreator::kPointType}, {"draw-frame", IViewCreator::kBooleanType},
		{"draw-value-inverted", IViewCreator::kBooleanType}, {"frame-width", IViewCreator::kFloatType},
		{"draw-back-color", IViewCreator::kColorType}, {"free-click", IViewCreator::kUnknownType},
		{"control-tag", IViewCreator::kUnknownType}, {"Mode", IViewCreator::kUnknownType}};
	for (const auto& t : types)
		EXPECT_EQ (creator ().getAttributeType (t.first), t.second) << t.first;
}

TEST_F (SliderCreatorTest, ModeNamesAreExactAndFreeClickYieldsToAMatchingMode)
{
	const auto modeOf = [this] (const Attrs& attrs) { return make (attrs)->getSliderMode (); };
	EXPECT_EQ (modeOf ({{"mode", "QB free click"}}), CSliderMode::QBFreeClick);
	for (const char* near : {"QB Free Click", "qb free click", " ramp", "ramp ", "Ramp", "", "6"})
		EXPECT_EQ (modeOf ({{"mode", near}}), CSliderMode::UseGlobal) << near;

	EXPECT_EQ (modeOf ({{"free-click", "true"}, {"mode", "ramp"}}), CSliderMode::Ramp);
	EXPECT_EQ (modeOf ({{"free-click", "true"}, {"mode", "Ramp"}}), CSliderMode::FreeClick);
	EXPECT_EQ (modeOf ({{"free-click", "yes"}}), CSliderMode::Touch);
	EXPECT_EQ (modeOf ({{"free-click", "True"}}), CSliderMode::Touch);

	auto freeClick = make ({{"free-click", "true"}});
	EXPECT_EQ (read (freeClick, "mode"), "free click");
	EXPECT_EQ (read (freeClick, "free-click"), "<false>");
}

TEST_F (SliderCreatorTest, OrientationAndItsDirectionWhateverTheOrder)
{
	const auto styleOf = [this] (const Attrs& attrs) { return make (attrs)->getStyle (); };
	EXPECT_EQ (styleOf ({{"orientation", "Vertical"}}), CSliderBase::kLeft | CSliderBase::kHorizontal);

	// Attributes are held by name, so build both insertion orders anyway.
	for (const auto style : {styleOf ({{"reverse-orientation", "true"}, {"orientation", "vertical"}}),
	                         styleOf ({{"orientation", "vertical"}, {"reverse-orientation", "true"}})})
	{
		EXPECT_TRUE (style & CSliderBase::kVertical);
		EXPECT_TRUE (style & CSliderBase::kTop);
		EXPECT_FALSE (style & CSliderBase::kHorizontal);
	}
	// The created slider's kLeft survives a switch to vertical.
	EXPECT_EQ (styleOf ({{"orientation", "vertical"}, {"reverse-orientation", "false"}}),
	           CSliderBase::kLeft | CSliderBase::kVertical | CSliderBase::kBottom);
	EXPECT_EQ (styleOf ({{"reverse-orientation", "false"}}), CSliderBase::kLeft | CSliderBase::kHorizontal);
	EXPECT_EQ (styleOf ({{"reverse-orientation", "true"}}), CSliderBase::kRight | CSliderBase::kHorizontal);

	// style set, then "reverse-orientation" and "orientation" written back
	const std::tuple<int32_t, const char*, const char*> written[] = {
		{CSliderBase::kHorizontal | CSliderBase::kRight, "true", "horizontal"},
		{CSliderBase::kVertical | CSliderBase::kBottom, "false", "vertical"},
		{CSliderBase::kHorizontal | CSliderBase::kTop, "false", "horizontal"}};
	auto slider = make ({});
	for (const auto& [style, reversed, orientation] : written)
	{
		slider->setStyle (style);
		EXPECT_EQ (read (slider, "reverse-orientation"), reversed) << style;
		EXPECT_EQ (read (slider, "orientation"), orientation) << style;
	}
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
	EXPECT_EQ (slider->getHandle (), knob);

	bool applied = false;
	auto byEmpty = make ({{"handle-bitmap", ""}}, &applied);
	EXPECT_TRUE (applied);
	EXPECT_EQ (byEmpty->getHandle (), nullptr);
	EXPECT_EQ (read (byEmpty, "handle-bitmap", "kept"), "kept");

	EXPECT_TRUE (creator ().apply (slider, attributesOf ({{"handle-bitmap", "no such image"}}), &description));
	EXPECT_EQ (slider->getHandle (), nullptr);
	// Without a description no name resolves.
	slider->setHandle (knob);
	EXPECT_TRUE (creator ().apply (slider, attributesOf ({{"handle-bitmap", "knob"}}), nullptr));
	EXPECT_EQ (slider->getHandle (), nullptr);

	// A bitmap the description does not name is written by its resource
	// name or number, and one with neither as empty text.
	const std::pair<SharedPointer<CBitmap>, const char*> loose[] = {
		{makeOwned<CBitmap> (CResourceDescription ("loose_handle.png")), "loose_handle.png"},
		{makeOwned<CBitmap> (CResourceDescription (1234)), "1234"},
		{makeOwned<CBitmap> (20., 10.), ""}};
	for (const auto& [bitmap, text] : loose)
	{
		slider->setHandle (bitmap);
		EXPECT_EQ (read (slider, "handle-bitmap"), text);
	}
	// Without a description even a bitmap it holds goes by its resource.
	slider->setHandle (knob);
	EXPECT_EQ (readWithoutDescription (slider, "handle-bitmap"),
	           std::string (LUMIVO_RESOURCE_DIR) + "/slider-handle.png");
	slider->setHandle (nullptr);
}

TEST_F (SliderCreatorTest, ColoursEmptyIsTransparentWhiteUnknownIsSkipped)
{
	auto slider = make ({{"draw-frame-color", ""}, {"draw-back-color", "nowhere"},
	                     {"draw-value-color", "accent"}});
	EXPECT_EQ (slider->getFrameColor (), CColor (255, 255, 255, 0));
	EXPECT_EQ (slider->getBackColor (), CColor (0, 0, 0, 255)) << "construction value kept";
	EXPECT_EQ (slider->getValueColor (), kAccent);
	EXPECT_EQ (read (slider, "draw-value-color"), "accent");
	EXPECT_EQ (read (slider, "draw-back-color"), "#000000ff");
	EXPECT_EQ (read (slider, "draw-frame-color"), "#ffffff00");

	// Without a description only the empty text resolves, and colours are
	// written in the notation.
	EXPECT_TRUE (creator ().apply (
		slider, attributesOf ({{"draw-back-color", "#11223344"}, {"draw-value-color", ""}}), nullptr));
	EXPECT_EQ (slider->getBackColor (), CColor (0, 0, 0, 255));
	EXPECT_EQ (slider->getValueColor (), CColor (255, 255, 255, 0));
	EXPECT_EQ (readWithoutDescription (slider, "draw-value-color"), "#ffffff00");
	slider->setValueColor (kAccent);
	EXPECT_EQ (readWithoutDescription (slider, "draw-value-color"), "#2090e0ff");
}

TEST_F (SliderCreatorTest, DrawStyleIsAlwaysSetBitsOnlyByTheirAttributes)
{
	CountingSlider slider;
	slider.setDrawStyle (CSlider::kDrawBack | CSlider::kDrawInverted);
	slider.drawStyleCalls = 0;
	EXPECT_TRUE (creator ().apply (&slider, UIAttributes (), &description));
	EXPECT_EQ (slider.drawStyleCalls, 1);
	EXPECT_EQ (slider.getDrawStyle (), CSlider::kDrawBack | CSlider::kDrawInverted);

	EXPECT_TRUE (creator ().apply (
		&slider, attributesOf ({{"draw-frame", "true"}, {"draw-back", "TRUE"}, {"draw-value", "1"}}),
		&description));
	EXPECT_EQ (slider.drawStyleCalls, 2);
	EXPECT_EQ (slider.getDrawStyle (), CSlider::kDrawFrame | CSlider::kDrawInverted);
	EXPECT_EQ (read (&slider, "draw-back"), "false");
	EXPECT_EQ (read (&slider, "draw-value-inverted"), "true");
}

TEST_F (SliderCreatorTest, ForeignViewsAndNamesAreRefused)
{
	auto plain = makeOwned<CView> (CRect (0, 0, 10, 10));
	const auto attributes = attributesOf ({{"mode", "ramp"}});
	EXPECT_FALSE (creator ().apply (plain, attributes, &description));
	EXPECT_FALSE (creator ().apply (nullptr, attributes, &description));
	EXPECT_EQ (read (plain, "mode"), "<false>");
	EXPECT_EQ (read (nullptr, "zoom-factor"), "<false>");

	auto slider = make ({});
	for (const char* name : {"control-tag", "Zoom-factor"})
		EXPECT_EQ (read (slider, name), "<false>") << name;
	std::string text = "kept";
	EXPECT_FALSE (creator ().getAttributeValue (slider, "size", text, &description));
	EXPECT_EQ (text, "kept");

	// A mode outside the table has no name: refused, not read past the table.
	for (const int mode : {9, -1})
	{
		slider->setSliderMode (static_cast<CSliderMode> (mode));
		EXPECT_EQ (read (slider, "mode"), "<false>") << mode;
	}
}

TEST_F (SliderCreatorTest, ListValues)
{
	using Texts = std::vector<std::string>;
	const auto listed = [] (const char* name, IViewCreator::ConstStringPtrList& values) {
		EXPECT_TRUE (creator ().getPossibleListValues (name, values)) << name;
		Texts texts;
		for (const auto* v : values)
			texts.push_back (*v);
		return texts;
	};
	IViewCreator::ConstStringPtrList orientations, modes, again, none;
	EXPECT_EQ (listed ("orientation", orientations), (Texts {"horizontal", "vertical"}));
	EXPECT_EQ (listed ("mode", modes),
	           (Texts {"touch", "relative touch", "free click", "QB free click", "ramp", "use global"}));
	// The same strings each time: built once.
	listed ("mode", again);
	EXPECT_EQ (again, modes);

	EXPECT_FALSE (creator ().getPossibleListValues ("zoom-factor", none));
	EXPECT_FALSE (creator ().getPossibleListValues ("free-click", none));
	EXPECT_TRUE (none.empty ());
}

TEST_F (SliderCreatorTest, FactoryBuildsTheSizeAlongTheOrientationSet)
{
	// Orientation is applied before the "CView" creator sets the size, so
	// the handle travels along y here.
	UIViewFactory factory;
	auto view = owned (factory.createView (
		attributesOf ({{"class", "CSlider"}, {"origin", "10, 20"}, {"size", "30, 120"},
		               {"orientation", "vertical"}, {"reverse-orientation", "false"}}),
		&description));
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
