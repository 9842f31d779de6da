// The layer's own view creators. Each `apply` sits beside its
// `getAttributeValue` so that what is read can be written back the same way.
#include "standardviewcreators.h"

#include "../iuidescription.h"
#include "../uiattributes.h"
#include "../uiviewcreator.h"

#include "../../lib/controls/cbuttons.h"
#include "../../lib/controls/ccontrol.h"
#include "../../lib/cfont.h"
#include "../../lib/controls/ctextlabel.h"
#include "../../lib/cviewcontainer.h"

#include <cfloat>
#include <cmath>

namespace VSTGUI {
namespace UIViewCreator {

namespace {

// Coordinates beyond this are taken for a hostile description and ignored:
// no editor is remotely that large, and host sizes are 32-bit integers.
constexpr double kMaxCoordinate = 1 << 20;
// Written numbers: six significant digits are plenty for pixels and values.
constexpr uint32_t kPrecision = 6;

bool isSaneCoordinate (double v)
{
	return std::abs (v) <= kMaxCoordinate;
}

// Narrowing a double beyond the float range is undefined; clamp first.
float toFloat (double v)
{
	if (v > FLT_MAX)
		return FLT_MAX;
	if (v < -FLT_MAX)
		return -FLT_MAX;
	return static_cast<float> (v);
}

} // namespace

//------------------------------------------------------------------------
CView* CViewCreator::create (const UIAttributes&, const IUIDescription*) const
{
	return new CView (CRect (0, 0, 0, 0));
}

bool CViewCreator::apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const
{
	if (!view)
		return false;
	CRect r = view->getViewSize ();
	CPoint p;
	bool resized = false;
	if (attributes.getPointAttribute (kAttrOrigin, p) && isSaneCoordinate (p.x) && isSaneCoordinate (p.y))
	{
		r.moveTo (p);
		resized = true;
	}
	if (attributes.getPointAttribute (kAttrSize, p) && p.x >= 0. && p.y >= 0. && isSaneCoordinate (p.x) &&
	    isSaneCoordinate (p.y))
	{
		r.setSize (p);
		resized = true;
	}
	if (resized)
	{
		view->setViewSize (r);
		view->setMouseableArea (r);
	}
	CBitmap* bitmap = nullptr;
	if (stringToBitmap (attributes.getAttributeValue (kAttrBitmap), bitmap, description))
		view->setBackground (bitmap);
	if (stringToBitmap (attributes.getAttributeValue (kAttrDisabledBitmap), bitmap, description))
		view->setDisabledBackground (bitmap);
	bool b;
	if (attributes.getBooleanAttribute (kAttrTransparent, b))
		view->setTransparency (b);
	if (attributes.getBooleanAttribute (kAttrMouseEnabled, b))
		view->setMouseEnabled (b);
	if (attributes.getBooleanAttribute (kAttrWantsFocus, b))
		view->setWantsFocus (b);
	double d;
	if (attributes.getDoubleAttribute (kAttrOpacity, d) && d >= 0. && d <= 1.)
		view->setAlphaValue (static_cast<float> (d));
	return true;
}

bool CViewCreator::getAttributeNames (StringList& attributeNames) const
{
	for (auto name : {kAttrOrigin, kAttrSize, kAttrBitmap, kAttrDisabledBitmap, kAttrTransparent,
	                  kAttrMouseEnabled, kAttrWantsFocus, kAttrOpacity})
		attributeNames.emplace_back (name);
	return true;
}

IViewCreator::AttrType CViewCreator::getAttributeType (const std::string& name) const
{
	if (name == kAttrOrigin || name == kAttrSize)
		return kPointType;
	if (name == kAttrBitmap || name == kAttrDisabledBitmap)
		return kBitmapType;
	if (name == kAttrTransparent || name == kAttrMouseEnabled || name == kAttrWantsFocus)
		return kBooleanType;
	if (name == kAttrOpacity)
		return kFloatType;
	return kUnknownType;
}

bool CViewCreator::getAttributeValue (CView* view, const std::string& name, std::string& value,
                                      const IUIDescription* desc) const
{
	if (!view)
		return false;
	if (name == kAttrOrigin)
		value = UIAttributes::pointToString (view->getViewSize ().getTopLeft ());
	else if (name == kAttrSize)
		value = UIAttributes::pointToString (view->getViewSize ().getSize ());
	else if (name == kAttrBitmap)
		return bitmapToString (view->getBackground (), value, desc);
	else if (name == kAttrDisabledBitmap)
		return bitmapToString (view->getDisabledBackground (), value, desc);
	else if (name == kAttrTransparent)
		value = UIAttributes::boolToString (view->getTransparency ());
	else if (name == kAttrMouseEnabled)
		value = UIAttributes::boolToString (view->getMouseEnabled ());
	else if (name == kAttrWantsFocus)
		value = UIAttributes::boolToString (view->wantsFocus ());
	else if (name == kAttrOpacity)
		value = UIAttributes::doubleToString (view->getAlphaValue (), kPrecision);
	else
		return false;
	return true;
}

bool CViewCreator::getAttributeValueRange (const std::string& name, double& minValue, double& maxValue) const
{
	if (name != kAttrOpacity)
		return false;
	minValue = 0.;
	maxValue = 1.;
	return true;
}

//------------------------------------------------------------------------
CView* CViewContainerCreator::create (const UIAttributes&, const IUIDescription*) const
{
	return new CViewContainer (CRect (0, 0, 0, 0));
}

bool CViewContainerCreator::apply (CView* view, const UIAttributes&, const IUIDescription*) const
{
	return dynamic_cast<CViewContainer*> (view) != nullptr;
}

//------------------------------------------------------------------------
CView* CControlCreator::create (const UIAttributes&, const IUIDescription*) const
{
	return nullptr;
}

bool CControlCreator::apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const
{
	auto control = dynamic_cast<CControl*> (view);
	if (!control)
		return false;
	double d;
	if (attributes.getDoubleAttribute (kAttrMinValue, d))
		control->setMin (toFloat (d));
	if (attributes.getDoubleAttribute (kAttrMaxValue, d))
		control->setMax (toFloat (d));
	if (attributes.getDoubleAttribute (kAttrDefaultValue, d))
		control->setDefaultValue (toFloat (d));
	if (attributes.getDoubleAttribute (kAttrWheelIncValue, d))
		control->setWheelInc (toFloat (d));
	if (auto text = attributes.getAttributeValue (kAttrControlTag); text && description)
	{
		const int32_t tag = description->getTagForName (text->c_str ());
		if (tag != -1)
		{
			control->setListener (description->getControlListener (text->c_str ()));
			control->setTag (tag);
		}
	}
	return true;
}

bool CControlCreator::getAttributeNames (StringList& attributeNames) const
{
	for (auto name : {kAttrControlTag, kAttrDefaultValue, kAttrMinValue, kAttrMaxValue, kAttrWheelIncValue})
		attributeNames.emplace_back (name);
	return true;
}

IViewCreator::AttrType CControlCreator::getAttributeType (const std::string& name) const
{
	if (name == kAttrControlTag)
		return kTagType;
	if (name == kAttrDefaultValue || name == kAttrMinValue || name == kAttrMaxValue ||
	    name == kAttrWheelIncValue)
		return kFloatType;
	return kUnknownType;
}

bool CControlCreator::getAttributeValue (CView* view, const std::string& name, std::string& value,
                                         const IUIDescription* desc) const
{
	auto control = dynamic_cast<CControl*> (view);
	if (!control)
		return false;
	if (name == kAttrControlTag)
	{
		if (control->getTag () == -1)
			return true;
		if (auto tagName = desc ? desc->lookupControlTagName (control->getTag ()) : nullptr)
			value = tagName;
		else
			value = std::to_string (control->getTag ());
	}
	else if (name == kAttrDefaultValue)
		value = UIAttributes::doubleToString (control->getDefaultValue (), kPrecision);
	else if (name == kAttrMinValue)
		value = UIAttributes::doubleToString (control->getMin (), kPrecision);
	else if (name == kAttrMaxValue)
		value = UIAttributes::doubleToString (control->getMax (), kPrecision);
	else if (name == kAttrWheelIncValue)
		value = UIAttributes::doubleToString (control->getWheelInc (), kPrecision);
	else
		return false;
	return true;
}

//------------------------------------------------------------------------
CView* CTextLabelCreator::create (const UIAttributes&, const IUIDescription*) const
{
	// Views of a description carry no tag unless "control-tag" gives one.
	auto label = new CTextLabel (CRect (0, 0, 0, 0));
	label->setTag (-1);
	return label;
}

namespace {
constexpr const char* kAlignmentNames[] = {"left", "center", "right"};
} // namespace

bool CTextLabelCreator::apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const
{
	auto label = dynamic_cast<CTextLabel*> (view);
	if (!label)
		return false;
	if (auto text = attributes.getAttributeValue (kAttrTitle))
		label->setText (*text);
	if (auto name = attributes.getAttributeValue (kAttrFont); name && description)
		label->setFont (description->getFont (name->c_str ()));
	CColor color;
	if (stringToColor (attributes.getAttributeValue (kAttrFontColor), color, description))
		label->setFontColor (color);
	if (stringToColor (attributes.getAttributeValue (kAttrBackColor), color, description))
		label->setBackColor (color);
	if (auto align = attributes.getAttributeValue (kAttrTextAlignment))
	{
		for (int32_t i = 0; i < 3; ++i)
			if (*align == kAlignmentNames[i])
				label->setHoriAlign (static_cast<CHoriTxtAlign> (i));
	}
	bool b;
	if (attributes.getBooleanAttribute (kAttrStyleTransparent, b))
		label->setTransparency (b);
	return true;
}

bool CTextLabelCreator::getAttributeNames (StringList& attributeNames) const
{
	for (auto name : {kAttrTitle, kAttrFont, kAttrFontColor, kAttrBackColor, kAttrTextAlignment,
	                  kAttrStyleTransparent})
		attributeNames.emplace_back (name);
	return true;
}

IViewCreator::AttrType CTextLabelCreator::getAttributeType (const std::string& name) const
{
	if (name == kAttrTitle)
		return kStringType;
	if (name == kAttrFont)
		return kFontType;
	if (name == kAttrFontColor || name == kAttrBackColor)
		return kColorType;
	if (name == kAttrTextAlignment)
		return kListType;
	if (name == kAttrStyleTransparent)
		return kBooleanType;
	return kUnknownType;
}

bool CTextLabelCreator::getAttributeValue (CView* view, const std::string& name, std::string& value,
                                           const IUIDescription* desc) const
{
	auto label = dynamic_cast<CTextLabel*> (view);
	if (!label)
		return false;
	if (name == kAttrTitle)
		value = label->getText ().getString ();
	else if (name == kAttrFont)
	{
		UTF8StringPtr fontName = desc ? desc->lookupFontName (label->getFont ()) : nullptr;
		if (!fontName)
			fontName = lookupStandardFontName (label->getFont ());
		value = fontName ? fontName : "";
	}
	else if (name == kAttrFontColor)
		return colorToString (label->getFontColor (), value, desc);
	else if (name == kAttrBackColor)
		return colorToString (label->getBackColor (), value, desc);
	else if (name == kAttrTextAlignment)
		value = kAlignmentNames[label->getHoriAlign ()];
	else if (name == kAttrStyleTransparent)
		value = UIAttributes::boolToString (label->getTransparency ());
	else
		return false;
	return true;
}

bool CTextLabelCreator::getPossibleListValues (const std::string& name, ConstStringPtrList& values) const
{
	if (name != kAttrTextAlignment)
		return false;
	static const std::string names[] = {kAlignmentNames[0], kAlignmentNames[1], kAlignmentNames[2]};
	for (const auto& alignName : names)
		values.emplace_back (&alignName);
	return true;
}

//------------------------------------------------------------------------
CView* COnOffButtonCreator::create (const UIAttributes&, const IUIDescription*) const
{
	return new COnOffButton (CRect (0, 0, 0, 0));
}

bool COnOffButtonCreator::apply (CView* view, const UIAttributes&, const IUIDescription*) const
{
	return dynamic_cast<COnOffButton*> (view) != nullptr;
}

//------------------------------------------------------------------------
const std::vector<const IViewCreator*>& standardViewCreators ()
{
	static const CViewCreator viewCreator;
	static const CViewContainerCreator containerCreator;
	static const CControlCreator controlCreator;
	static const CTextLabelCreator textLabelCreator;
	static const COnOffButtonCreator onOffButtonCreator;
	static const std::vector<const IViewCreator*> creators {&viewCreator, &containerCreator, &controlCreator,
	                                                        &textLabelCreator, &onOffButtonCreator};
	return creators;
}

} // namespace UIViewCreator
} // namespace VSTGUI
