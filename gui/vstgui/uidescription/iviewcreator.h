// A creator makes views of one class from description attributes and
// reports their attributes back.
#pragma once

#include <list>
#include <string>

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;
using IdStringPtr = const char*;
using UTF8StringPtr = const char*;

class IViewCreator
{
public:
	enum AttrType
	{
		kUnknownType,
		kBooleanType,
		kIntegerType,
		kFloatType,
		kPointType,
		kRectType,
		kColorType,
		kFontType,
		kBitmapType,
		kStringType,
		kTagType,
		kListType,
		kGradientType
	};
	using StringList = std::list<std::string>;
	using ConstStringPtrList = std::list<const std::string*>;

	virtual ~IViewCreator () noexcept = default;

	virtual IdStringPtr getViewName () const = 0;
	// The creator applied after this one, or nullptr at the chain's end.
	virtual IdStringPtr getBaseViewName () const = 0;
	virtual CView* create (const UIAttributes& attributes, const IUIDescription* description) const = 0;
	// false when `view` is not of the creator's class; nothing is changed then.
	virtual bool apply (CView* view, const UIAttributes& attributes, const IUIDescription* description) const = 0;
	// Appends, never clears.
	virtual bool getAttributeNames (StringList& attributeNames) const = 0;
	virtual AttrType getAttributeType (const std::string& attributeName) const = 0;
	virtual bool getAttributeValue (CView* view, const std::string& attributeName, std::string& stringValue,
	                                const IUIDescription* desc) const = 0;
	virtual bool getPossibleListValues (const std::string& attributeName, ConstStringPtrList& values) const = 0;
	virtual bool getAttributeValueRange (const std::string& attributeName, double& minValue,
	                                     double& maxValue) const = 0;
	virtual UTF8StringPtr getDisplayName () const = 0;
};

class ViewCreatorAdapter : public IViewCreator
{
public:
	bool getAttributeNames (StringList&) const override { return false; }
	AttrType getAttributeType (const std::string&) const override { return kUnknownType; }
	bool getAttributeValue (CView*, const std::string&, std::string&, const IUIDescription*) const override
	{
		return false;
	}
	bool getPossibleListValues (const std::string&, ConstStringPtrList&) const override { return false; }
	bool getAttributeValueRange (const std::string&, double&, double&) const override { return false; }
	UTF8StringPtr getDisplayName () const override { return getViewName (); }
};

} // namespace VSTGUI
