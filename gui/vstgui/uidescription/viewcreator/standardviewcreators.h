// The layer's own view creators: "CView", "CViewContainer", "CControl",
// "CTextLabel" and "COnOffButton", and the names of their attributes.
#pragma once

#include "../iviewcreator.h"

#include <vector>

namespace VSTGUI {
namespace UIViewCreator {

// CView
static constexpr auto kAttrOrigin = "origin";
static constexpr auto kAttrSize = "size";
static constexpr auto kAttrBitmap = "bitmap";
static constexpr auto kAttrDisabledBitmap = "disabled-bitmap";
static constexpr auto kAttrTransparent = "transparent";
static constexpr auto kAttrMouseEnabled = "mouse-enabled";
static constexpr auto kAttrWantsFocus = "wants-focus";
static constexpr auto kAttrOpacity = "opacity";
// CControl
static constexpr auto kAttrControlTag = "control-tag";
static constexpr auto kAttrDefaultValue = "default-value";
static constexpr auto kAttrMinValue = "min-value";
static constexpr auto kAttrMaxValue = "max-value";
static constexpr auto kAttrWheelIncValue = "wheel-inc-value";
// CTextLabel
static constexpr auto kAttrTitle = "title";
static constexpr auto kAttrFont = "font";
static constexpr auto kAttrFontColor = "font-color";
static constexpr auto kAttrBackColor = "back-color";
static constexpr auto kAttrTextAlignment = "text-alignment";
static constexpr auto kAttrStyleTransparent = "style-transparent";
// Read by the description while building, not by a creator.
static constexpr auto kAttrClass = "class";
static constexpr auto kAttrSubController = "sub-controller";
static constexpr auto kAttrCustomViewName = "custom-view-name";

class CViewCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CView"; }
	IdStringPtr getBaseViewName () const override { return nullptr; }
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                        const IUIDescription* desc) const override;
	bool getAttributeValueRange (const std::string& attributeName, double& minValue,
	                             double& maxValue) const override;
};

class CViewContainerCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CViewContainer"; }
	IdStringPtr getBaseViewName () const override { return "CView"; }
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
};

// Makes no view of its own: CControl is a base class.
class CControlCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CControl"; }
	IdStringPtr getBaseViewName () const override { return "CView"; }
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                        const IUIDescription* desc) const override;
};

class CTextLabelCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "CTextLabel"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
	bool getAttributeNames (StringList& attributeNames) const override;
	AttrType getAttributeType (const std::string& attributeName) const override;
	bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                        const IUIDescription* desc) const override;
	bool getPossibleListValues (const std::string& attributeName, ConstStringPtrList& values) const override;
};

class COnOffButtonCreator : public ViewCreatorAdapter
{
public:
	IdStringPtr getViewName () const override { return "COnOffButton"; }
	IdStringPtr getBaseViewName () const override { return "CControl"; }
	CView* create (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
};

// The five creators above, one instance each, for the view factory's registry.
const std::vector<const IViewCreator*>& standardViewCreators ();

} // namespace UIViewCreator
} // namespace VSTGUI
