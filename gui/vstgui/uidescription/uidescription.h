// An editor description read from JSON or, failing that, XML: bitmaps,
// colours, control tags and templates, and the building of view trees.
#pragma once

#include "iuidescription.h"
#include "uiattributes.h"
#include "uiviewfactory.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

class CView;

class UIDescription : public IUIDescription
{
public:
	// Nesting deeper than this refuses the whole description.
	static constexpr size_t kMaxNestingDepth = 64;

	struct Node
	{
		UIAttributes attributes;
		std::vector<std::unique_ptr<Node>> children;
	};

	// `fileName` is a path; nothing is read before parse().
	explicit UIDescription (const std::string& fileName);
	~UIDescription () noexcept override;

	// Reads the file: JSON first, then XML. false leaves the description empty.
	bool parse ();
	// The same from text in memory.
	bool parseText (const char* data, size_t size);
	bool isParsed () const { return parsed; }
	// Why the last parse failed, for messages and tests.
	const std::string& getLastError () const { return lastError; }

	// Builds the template `name` under `controller` (may be null): a new view
	// the caller owns, or nullptr when the template is missing or its root
	// view cannot be built. Children that cannot be built are left out.
	CView* createView (UTF8StringPtr name, IController* controller) const;

	// The description's "version" text, empty when it has none.
	const std::string& getVersion () const;
	bool hasTemplate (UTF8StringPtr name) const;
	std::vector<std::string> getTemplateNames () const;
	const Node* getTemplate (UTF8StringPtr name) const;
	std::vector<std::string> getBitmapNames () const;
	std::vector<std::string> getColorNames () const;
	std::vector<std::string> getControlTagNames () const;

	// Deletes, top-down, the sub-controllers carried by `view` and the views
	// below it, before any of those views goes.
	static void deleteSubControllers (CView* view);
	// The sub-controller carried by `view`, or nullptr.
	static IController* getSubController (const CView* view);

	// IUIDescription
	CBitmap* getBitmap (UTF8StringPtr name) const override;
	bool getColor (UTF8StringPtr name, CColor& color) const override;
	CFontDesc* getFont (UTF8StringPtr name) const override;
	UTF8StringPtr lookupBitmapName (const CBitmap* bitmap) const override;
	UTF8StringPtr lookupColorName (const CColor& color) const override;
	UTF8StringPtr lookupFontName (const CFontDesc* font) const override;
	UTF8StringPtr lookupControlTagName (int32_t tag) const override;
	int32_t getTagForName (UTF8StringPtr name) const override;
	IControlListener* getControlListener (UTF8StringPtr name) const override;
	IController* getController () const override;
	const IViewFactory* getViewFactory () const override;

	struct Impl;

private:
	CView* buildView (const Node& node, size_t depth) const;
	// Empties the description and records why; answers false.
	bool refuse (std::string why);
	void clear ();

	std::string filePath;
	std::string lastError;
	bool parsed {false};
	std::unique_ptr<Impl> impl;
};

} // namespace VSTGUI
