// The process-wide registry of view creators and view creation through the
// chain of base views.
#pragma once

#include "iviewcreator.h"
#include "iviewfactory.h"

namespace VSTGUI {

class UIViewFactory : public IViewFactory
{
public:
	// Looks up the creator of the attribute "class", calls its `create`, then
	// `apply` along the base-view chain while `apply` answers true. A view the
	// first `apply` refuses is dropped (nullptr).
	CView* createView (const UIAttributes& attributes, const IUIDescription* description) const override;
	bool applyAttributeValues (CView* view, const char* className, const UIAttributes& attributes,
	                           const IUIDescription* description) const override;

	// Names and values gathered along the chain, the class's own first.
	bool getAttributeNames (const char* className, IViewCreator::StringList& names) const;
	bool getAttributeValue (CView* view, const char* className, const std::string& name,
	                        std::string& value, const IUIDescription* description) const;
	IViewCreator::AttrType getAttributeType (const char* className, const std::string& name) const;

	// The first creator registered under a view name stays; registering
	// another under the same name changes nothing.
	static void registerViewCreator (const IViewCreator& viewCreator);
	// Erases the entry under this creator's view name, whichever creator it holds.
	static void unregisterViewCreator (const IViewCreator& viewCreator);
	static const IViewCreator* getViewCreator (const char* viewName);
};

} // namespace VSTGUI
