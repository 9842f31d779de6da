// The view factory as seen from an editor description.
#pragma once

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

class IViewFactory
{
public:
	virtual ~IViewFactory () noexcept = default;

	// A new view (the caller owns its one reference) for the attribute
	// "class", or nullptr when no creator knows that class.
	virtual CView* createView (const UIAttributes& attributes, const IUIDescription* description) const = 0;
	// Applies `attributes` to an existing view through the creator chain of
	// `className`; false when the chain's first creator refuses the view.
	virtual bool applyAttributeValues (CView* view, const char* className, const UIAttributes& attributes,
	                                   const IUIDescription* description) const = 0;
};

} // namespace VSTGUI
