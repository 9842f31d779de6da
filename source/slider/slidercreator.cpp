// The slider view creators, and what the slider library does when the module
// loads: the control modifiers and the takeover of "CSlider".
#include "slider/slidercreator.h"

#include "slider/cslider.h"

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uiviewcreator.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <algorithm>
#include <cfloat>

namespace QBGUI {

using VSTGUI::CBitmap;
using VSTGUI::CColor;
using VSTGUI::CPoint;
using VSTGUI::CView;
using VSTGUI::IUIDescription;
using VSTGUI::UIAttributes;

namespace {

// Numbers are written with six significant digits, as the description
// editor shows them.
constexpr uint32_t kNumberPrecision = 6;

// A number of the description beyond the float range is held at its end:
// narrowing it unchecked would be undefined.
float toFloat (double value)
{
	return static_cast<float> (std::clamp (value, -double {FLT_MAX}, double {FLT_MAX}));
}

std::string numberToString (double value)
{
	return UIAttributes::doubleToString (value, kNumberPrecision);
}

struct DrawStyleAttribute
{
	const char* name;
	int32_t bit;
};

// In the order apply takes them.
constexpr DrawStyleAttribute kDrawStyleAttributes[] = {
	{SliderAttr::kDrawFrame, CSlider::kDrawFrame},
	{SliderAttr::kDrawBack, CSlider::kDrawBack},
	{SliderAttr::kDrawValue, CSlider::kDrawValue},
	{SliderAttr::kDrawValueFromCenter, CSlider::kDrawValueFromCenter},
	{SliderAttr::kDrawValueInverted, CSlider::kDrawInverted},
};

struct ColorAttribute
{
	const char* name;
	CColor (CSlider::*get) () const;
	void (CSlider::*set) (CColor);
};

// In the order apply takes them.
constexpr ColorAttribute kColorAttributes[] = {
	{SliderAttr::kDrawFrameColor, &CSlider::getFrameColor, &CSlider::setFrameColor},
	{SliderAttr::kDrawBackColor, &CSlider::getBackColor, &CSlider::setBackColor},
	{SliderAttr::kDrawValueColor, &CSlider::getValueColor, &CSlider::setValueColor},
};

template <typename Attribute, size_t count>
const Attribute* findAttribute (const Attribute (&table)[count], const std::string& name)
{
	for (const auto& attribute : table)
	{
		if (name == attribute.name)
			return &attribute;
	}
	return nullptr;
}

} // namespace

//------------------------------------------------------------------------
const SliderBaseCreator::ModeStrings& SliderBaseCreator::modeStrings ()
{
	// A function-local static: built on first use, and the language makes
	// simultaneous first use wait for the one construction.
	static const ModeStrings strings {
		"touch", "relative touch", "free click", "QB free click", "ramp", "use global"};
	return strings;
}

bool SliderBaseCreator::apply (CView* view, const UIAttributes& attributes,
                               const IUIDescription* /*description*/) const
{
	auto* slider = dynamic_cast<CSliderBase*> (view);
	if (!slider)
		return false;

	bool freeClick = false;
	if (attributes.getBooleanAttribute (SliderAttr::kFreeClick, freeClick))
		slider->setSliderMode (freeClick ? CSliderMode::FreeClick : CSliderMode::Touch);

	if (const auto* text = attributes.getAttributeValue (SliderAttr::kMode))
	{
		const auto& names = modeStrings ();
		for (size_t i = 0; i < names.size (); ++i)
		{
			if (*text == names[i])
			{
				slider->setSliderMode (static_cast<CSliderMode> (i));
				break;
			}
		}
	}

	CPoint offset;
	if (attributes.getPointAttribute (SliderAttr::kHandleOffset, offset))
		slider->setOffsetHandle (offset);

	double zoom = 0.;
	if (attributes.getDoubleAttribute (SliderAttr::kZoomFactor, zoom))
		slider->setZoomFactor (toFloat (zoom));

	if (const auto* text = attributes.getAttributeValue (SliderAttr::kOrientation))
	{
		int32_t style = slider->getStyle () & ~(CSliderBase::kHorizontal | CSliderBase::kVertical);
		style |= *text == "vertical" ? CSliderBase::kVertical : CSliderBase::kHorizontal;
		slider->setStyle (style);
	}

	// After the orientation, so that the direction bits follow the
	// orientation just set whatever the attributes' order.
	bool reverse = false;
	if (attributes.getBooleanAttribute (SliderAttr::kReverseOrientation, reverse))
	{
		int32_t style = slider->getStyle ();
		if (style & CSliderBase::kVertical)
		{
			style &= reverse ? ~CSliderBase::kBottom : ~CSliderBase::kTop;
			style |= reverse ? CSliderBase::kTop : CSliderBase::kBottom;
		}
		else if (style & CSliderBase::kHorizontal)
		{
			style &= reverse ? ~CSliderBase::kLeft : ~CSliderBase::kRight;
			style |= reverse ? CSliderBase::kRight : CSliderBase::kLeft;
		}
		slider->setStyle (style);
	}
	return true;
}

bool SliderBaseCreator::getAttributeNames (StringList& attributeNames) const
{
	attributeNames.emplace_back (SliderAttr::kMode);
	attributeNames.emplace_back (SliderAttr::kOrientation);
	attributeNames.emplace_back (SliderAttr::kReverseOrientation);
	attributeNames.emplace_back (SliderAttr::kHandleOffset);
	attributeNames.emplace_back (SliderAttr::kZoomFactor);
	return true;
}

VSTGUI::IViewCreator::AttrType SliderBaseCreator::getAttributeType (const std::string& attributeName) const
{
	if (attributeName == SliderAttr::kMode || attributeName == SliderAttr::kOrientation)
		return kListType;
	if (attributeName == SliderAttr::kReverseOrientation)
		return kBooleanType;
	if (attributeName == SliderAttr::kHandleOffset)
		return kPointType;
	if (attributeName == SliderAttr::kZoomFactor)
		return kFloatType;
	return kUnknownType;
}

bool SliderBaseCreator::getAttributeValue (CView* view, const std::string& attributeName,
                                           std::string& stringValue, const IUIDescription* /*desc*/) const
{
	const auto* slider = dynamic_cast<const CSliderBase*> (view);
	if (!slider)
		return false;

	if (attributeName == SliderAttr::kMode)
	{
		// setSliderMode stores any value; one outside the table has no name,
		// and reading past the table would be undefined.
		const auto mode = static_cast<int32_t> (slider->getSliderMode ());
		const auto& names = modeStrings ();
		if (mode < 0 || static_cast<size_t> (mode) >= names.size ())
			return false;
		stringValue = names[static_cast<size_t> (mode)];
		return true;
	}
	if (attributeName == SliderAttr::kOrientation)
	{
		stringValue = (slider->getStyle () & CSliderBase::kVertical) ? "vertical" : "horizontal";
		return true;
	}
	if (attributeName == SliderAttr::kReverseOrientation)
	{
		const int32_t style = slider->getStyle ();
		const bool reversed = ((style & CSliderBase::kVertical) && (style & CSliderBase::kTop)) ||
		                      ((style & CSliderBase::kHorizontal) && (style & CSliderBase::kRight));
		stringValue = UIAttributes::boolToString (reversed);
		return true;
	}
	if (attributeName == SliderAttr::kHandleOffset)
	{
		stringValue = UIAttributes::pointToString (slider->getOffsetHandle (), kNumberPrecision);
		return true;
	}
	if (attributeName == SliderAttr::kZoomFactor)
	{
		stringValue = numberToString (static_cast<double> (slider->getZoomFactor ()));
		return true;
	}
	return false;
}

bool SliderBaseCreator::getPossibleListValues (const std::string& attributeName,
                                               ConstStringPtrList& values) const
{
	if (attributeName == SliderAttr::kOrientation)
	{
		static const std::string orientations[] = {"horizontal", "vertical"};
		for (const auto& name : orientations)
			values.emplace_back (&name);
		return true;
	}
	if (attributeName == SliderAttr::kMode)
	{
		for (const auto& name : modeStrings ())
			values.emplace_back (&name);
		return true;
	}
	return false;
}

//------------------------------------------------------------------------
SliderCreator::SliderCreator ()
{
	// Unregister first: registration keeps whichever creator came first, and
	// the GUI library may already hold its own slider creator under the name.
	VSTGUI::UIViewFactory::unregisterViewCreator (*this);
	VSTGUI::UIViewFactory::registerViewCreator (*this);
}

SliderCreator::~SliderCreator () noexcept
{
	if (VSTGUI::UIViewFactory::getViewCreator (getViewName ()) == this)
		VSTGUI::UIViewFactory::unregisterViewCreator (*this);
}

CView* SliderCreator::create (const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/) const
{
	// Everything else arrives through apply along the creator chain.
	return new CSlider (VSTGUI::CRect (0, 0, 0, 0), nullptr, -1, 0, 0, nullptr, nullptr, CPoint (0, 0),
	                    CSliderBase::kLeft | CSliderBase::kHorizontal);
}

bool SliderCreator::apply (CView* view, const UIAttributes& attributes,
                           const IUIDescription* description) const
{
	auto* slider = dynamic_cast<CSlider*> (view);
	if (!slider)
		return false;

	CBitmap* handle = nullptr;
	if (VSTGUI::UIViewCreator::stringToBitmap (attributes.getAttributeValue (SliderAttr::kHandleBitmap),
	                                           handle, description))
		slider->setHandle (handle);

	CPoint offset;
	if (attributes.getPointAttribute (SliderAttr::kBitmapOffset, offset))
		slider->setBackgroundOffset (offset);

	int32_t drawStyle = slider->getDrawStyle ();
	for (const auto& attribute : kDrawStyleAttributes)
	{
		bool on = false;
		if (attributes.getBooleanAttribute (attribute.name, on))
			drawStyle = on ? drawStyle | attribute.bit : drawStyle & ~attribute.bit;
	}
	slider->setDrawStyle (drawStyle);

	double width = 0.;
	if (attributes.getDoubleAttribute (SliderAttr::kFrameWidth, width))
		slider->setFrameWidth (width);

	for (const auto& attribute : kColorAttributes)
	{
		CColor color;
		if (VSTGUI::UIViewCreator::stringToColor (attributes.getAttributeValue (attribute.name), color,
		                                          description))
			(slider->*attribute.set) (color);
	}

	return SliderBaseCreator::apply (view, attributes, description);
}

bool SliderCreator::getAttributeNames (StringList& attributeNames) const
{
	SliderBaseCreator::getAttributeNames (attributeNames);
	attributeNames.emplace_back (SliderAttr::kHandleBitmap);
	attributeNames.emplace_back (SliderAttr::kBitmapOffset);
	for (const auto& attribute : kDrawStyleAttributes)
		attributeNames.emplace_back (attribute.name);
	attributeNames.emplace_back (SliderAttr::kFrameWidth);
	for (const auto& attribute : kColorAttributes)
		attributeNames.emplace_back (attribute.name);
	return true;
}

VSTGUI::IViewCreator::AttrType SliderCreator::getAttributeType (const std::string& attributeName) const
{
	if (attributeName == SliderAttr::kHandleBitmap)
		return kBitmapType;
	if (attributeName == SliderAttr::kBitmapOffset)
		return kPointType;
	if (findAttribute (kDrawStyleAttributes, attributeName))
		return kBooleanType;
	if (attributeName == SliderAttr::kFrameWidth)
		return kFloatType;
	if (findAttribute (kColorAttributes, attributeName))
		return kColorType;
	return SliderBaseCreator::getAttributeType (attributeName);
}

bool SliderCreator::getAttributeValue (CView* view, const std::string& attributeName,
                                       std::string& stringValue, const IUIDescription* desc) const
{
	const auto* slider = dynamic_cast<const CSlider*> (view);
	if (!slider)
		return false;

	if (attributeName == SliderAttr::kHandleBitmap)
	{
		// Without a handle bitmap the caller's text stays as it was.
		return VSTGUI::UIViewCreator::bitmapToString (slider->getHandle (), stringValue, desc);
	}
	if (attributeName == SliderAttr::kBitmapOffset)
	{
		stringValue = UIAttributes::pointToString (slider->getBackgroundOffset (), kNumberPrecision);
		return true;
	}
	if (const auto* attribute = findAttribute (kDrawStyleAttributes, attributeName))
	{
		stringValue = UIAttributes::boolToString ((slider->getDrawStyle () & attribute->bit) != 0);
		return true;
	}
	if (attributeName == SliderAttr::kFrameWidth)
	{
		stringValue = numberToString (slider->getFrameWidth ());
		return true;
	}
	if (const auto* attribute = findAttribute (kColorAttributes, attributeName))
	{
		return VSTGUI::UIViewCreator::colorToString ((slider->*attribute->get) (), stringValue, desc);
	}
	return SliderBaseCreator::getAttributeValue (view, attributeName, stringValue, desc);
}

//------------------------------------------------------------------------
namespace {

// Module load. Both run before any editor can exist; they stay in the
// module because it links this library as a whole archive. Definition order
// within this unit fixes their order: the settings, then the creator.
bool applyControlSettings ()
{
	VSTGUI::CControl::kDefaultValueModifier = VSTGUI::kAlt; // Option on macOS
	VSTGUI::CControl::kZoomModifier = VSTGUI::kShift;
	return true;
}

const bool controlSettingsApplied = applyControlSettings ();
const SliderCreator sliderCreator;

} // namespace

} // namespace QBGUI
