// View creators that make qb Lumivo's sliders from the editor description
// ("CSlider") and report their attributes back. Loading the slider library
// also takes over "CSlider" in the view factory and fixes the process-wide
// control modifiers (Option for the default value, Shift for fine drags).
#pragma once

#include "vstgui/uidescription/iviewcreator.h"

#include <array>
#include <string>

namespace QBGUI {

namespace SliderAttr {
// The base creator's attributes, in listing order.
static constexpr auto kMode = "mode";
static constexpr auto kOrientation = "orientation";
static constexpr auto kReverseOrientation = "reverse-orientation";
static constexpr auto kHandleOffset = "handle-offset";
static constexpr auto kZoomFactor = "zoom-factor";
// Read by apply only, never listed or written back: an older spelling of
// the two classic modes.
static constexpr auto kFreeClick = "free-click";
// CSlider's own attributes, in listing order.
static constexpr auto kHandleBitmap = "handle-bitmap";
static constexpr auto kBitmapOffset = "bitmap-offset";
static constexpr auto kDrawFrame = "draw-frame";
static constexpr auto kDrawBack = "draw-back";
static constexpr auto kDrawValue = "draw-value";
static constexpr auto kDrawValueFromCenter = "draw-value-from-center";
static constexpr auto kDrawValueInverted = "draw-value-inverted";
static constexpr auto kFrameWidth = "frame-width";
static constexpr auto kDrawFrameColor = "draw-frame-color";
static constexpr auto kDrawBackColor = "draw-back-color";
static constexpr auto kDrawValueColor = "draw-value-color";
} // namespace SliderAttr

// The attributes every slider of the family has (CSliderBase).
class SliderBaseCreator : public VSTGUI::ViewCreatorAdapter
{
public:
	// The mode names; a name's position is the CSliderMode it stands for.
	using ModeStrings = std::array<std::string, 6>;
	static const ModeStrings& modeStrings ();

	bool apply (VSTGUI::CView* view, const VSTGUI::UIAttributes& attributes,
	            const VSTGUI::IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (VSTGUI::CView* view, const std::string& attributeName,
	                        std::string& stringValue, const VSTGUI::IUIDescription* desc) const override;
	bool getPossibleListValues (const std::string& attributeName,
	                            ConstStringPtrList& values) const override;
};

// Makes CSlider for "CSlider" and adds its drawing attributes. Constructing
// one takes over "CSlider" in the view factory, whoever held it before.
class SliderCreator final : public SliderBaseCreator
{
public:
	SliderCreator ();
	// Leaves the registry only if it still names this creator, so that no
	// dangling entry outlives the object.
	~SliderCreator () noexcept override;

	SliderCreator (const SliderCreator&) = delete;
	SliderCreator& operator= (const SliderCreator&) = delete;

	VSTGUI::IdStringPtr getViewName () const override { return "CSlider"; }
	VSTGUI::IdStringPtr getBaseViewName () const override { return "CControl"; }
	VSTGUI::CView* create (const VSTGUI::UIAttributes& attributes,
	                       const VSTGUI::IUIDescription* description) const override;
	bool apply (VSTGUI::CView* view, const VSTGUI::UIAttributes& attributes,
	            const VSTGUI::IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (VSTGUI::CView* view, const std::string& attributeName,
	                        std::string& stringValue, const VSTGUI::IUIDescription* desc) const override;
	VSTGUI::UTF8StringPtr getDisplayName () const override { return "Slider"; }
};

} // namespace QBGUI
