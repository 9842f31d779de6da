// The process-wide creator registry and view creation along the chain of
// base views.
#include "uiviewfactory.h"

#include "uiattributes.h"
#include "viewcreator/standardviewcreators.h"

#include "../lib/cview.h"

#include <map>
#include <string>

namespace VSTGUI {

namespace {

// A chain longer than this is taken for a cycle among base view names.
constexpr int kMaxChainLength = 32;

using Registry = std::map<std::string, const IViewCreator*>;

Registry& registry ()
{
	// Built on first use, so that it exists before any creator held in a
	// static object of another unit registers, and is destroyed after it.
	// The layer's own creators enter with the registry itself, so that no
	// linker can drop them and they precede any other registration.
	static Registry instance = [] () {
		Registry r;
		for (const auto* creator : UIViewCreator::standardViewCreators ())
			r.emplace (creator->getViewName (), creator);
		return r;
	}();
	return instance;
}

const IViewCreator* find (const char* name)
{
	if (!name)
		return nullptr;
	auto& r = registry ();
	const auto it = r.find (name);
	return it == r.end () ? nullptr : it->second;
}

} // namespace

void UIViewFactory::registerViewCreator (const IViewCreator& viewCreator)
{
	const char* name = viewCreator.getViewName ();
	if (!name)
		return;
	registry ().emplace (name, &viewCreator);
}

void UIViewFactory::unregisterViewCreator (const IViewCreator& viewCreator)
{
	const char* name = viewCreator.getViewName ();
	if (!name)
		return;
	registry ().erase (name);
}

const IViewCreator* UIViewFactory::getViewCreator (const char* viewName)
{
	return find (viewName);
}

CView* UIViewFactory::createView (const UIAttributes& attributes, const IUIDescription* description) const
{
	const auto* className = attributes.getAttributeValue ("class");
	if (!className)
		return nullptr;
	const auto* creator = find (className->c_str ());
	if (!creator)
		return nullptr;
	CView* view = creator->create (attributes, description);
	if (!view)
		return nullptr;
	if (!applyAttributeValues (view, className->c_str (), attributes, description))
	{
		view->forget ();
		return nullptr;
	}
	return view;
}

bool UIViewFactory::applyAttributeValues (CView* view, const char* className, const UIAttributes& attributes,
                                          const IUIDescription* description) const
{
	const auto* creator = find (className);
	if (!view || !creator)
		return false;
	bool first = true;
	for (int i = 0; creator && i < kMaxChainLength; ++i)
	{
		if (!creator->apply (view, attributes, description))
			return !first;
		first = false;
		creator = find (creator->getBaseViewName ());
	}
	return true;
}

bool UIViewFactory::getAttributeNames (const char* className, IViewCreator::StringList& names) const
{
	const auto* creator = find (className);
	if (!creator)
		return false;
	for (int i = 0; creator && i < kMaxChainLength; ++i)
	{
		creator->getAttributeNames (names);
		creator = find (creator->getBaseViewName ());
	}
	return true;
}

bool UIViewFactory::getAttributeValue (CView* view, const char* className, const std::string& name,
                                       std::string& value, const IUIDescription* description) const
{
	const auto* creator = find (className);
	for (int i = 0; creator && i < kMaxChainLength; ++i)
	{
		if (creator->getAttributeValue (view, name, value, description))
			return true;
		creator = find (creator->getBaseViewName ());
	}
	return false;
}

IViewCreator::AttrType UIViewFactory::getAttributeType (const char* className, const std::string& name) const
{
	const auto* creator = find (className);
	for (int i = 0; creator && i < kMaxChainLength; ++i)
	{
		const auto type = creator->getAttributeType (name);
		if (type != IViewCreator::kUnknownType)
			return type;
		creator = find (creator->getBaseViewName ());
	}
	return IViewCreator::kUnknownType;
}

} // namespace VSTGUI
