// Editor descriptions: JSON through an event-driven parser that keeps
// repeated keys in their order (children are keyed by class name), XML
// through Expat as the fallback, and the building of view trees from them.
#include "uidescription.h"

#include "icontroller.h"
#include "viewcreator/standardviewcreators.h"

#include "../lib/cbitmap.h"
#include "../lib/ccolor.h"
#include "../lib/cfont.h"
#include "../lib/cview.h"
#include "../lib/cviewcontainer.h"
#include "../lib/iviewlistener.h"

#include <expat.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <sstream>

namespace VSTGUI {

namespace {

// Descriptions are a few kilobytes; anything this large is not one.
constexpr size_t kMaxFileSize = 16 * 1024 * 1024;
// A view level takes two JSON object levels ("CClass": {"children": {...}}),
// plus the levels from the root to a template.
constexpr size_t kMaxJsonDepth = 2 * UIDescription::kMaxNestingDepth + 8;
// The view attribute under which the keeper of a sub-controller is stored.
constexpr CViewAttributeID kSubControllerAttribute = 0x73756263; // 'subc'

//------------------------------------------------------------------------
// An ordered JSON value: objects keep every key, repeats included, in order.
struct JsonValue
{
	enum Kind
	{
		kNull,
		kBool,
		kNumber,
		kString,
		kObject,
		kArray
	};
	Kind kind {kNull};
	std::string text;
	std::vector<std::pair<std::string, JsonValue>> members;
	std::vector<JsonValue> items;

	const JsonValue* member (const char* name) const
	{
		for (const auto& m : members)
			if (m.first == name)
				return &m.second;
		return nullptr;
	}
	bool isText () const { return kind == kString || kind == kNumber || kind == kBool; }
};

class JsonBuilder
{
public:
	using json = nlohmann::json;

	JsonValue root;
	std::string error;

	bool null () { return add (JsonValue::kNull, {}); }
	bool boolean (bool val) { return add (JsonValue::kBool, val ? "true" : "false"); }
	bool number_integer (json::number_integer_t val) { return add (JsonValue::kNumber, std::to_string (val)); }
	bool number_unsigned (json::number_unsigned_t val) { return add (JsonValue::kNumber, std::to_string (val)); }
	bool number_float (json::number_float_t, const std::string& s) { return add (JsonValue::kNumber, s); }
	bool string (std::string& val) { return add (JsonValue::kString, val); }
	bool binary (json::binary_t&) { return fail ("binary data"); }
	bool start_object (std::size_t) { return open (JsonValue::kObject); }
	bool end_object () { return close (); }
	bool start_array (std::size_t) { return open (JsonValue::kArray); }
	bool end_array () { return close (); }
	bool key (std::string& val)
	{
		pendingKey = val;
		return true;
	}
	bool parse_error (std::size_t position, const std::string&, const nlohmann::detail::exception& ex)
	{
		error = "JSON error at byte " + std::to_string (position) + ": " + ex.what ();
		return false;
	}

private:
	bool fail (const std::string& why)
	{
		error = "JSON: " + why;
		return false;
	}
	JsonValue* place ()
	{
		if (stack.empty ())
		{
			if (hasRoot)
				return nullptr;
			hasRoot = true;
			return &root;
		}
		JsonValue* parent = stack.back ();
		if (parent->kind == JsonValue::kObject)
		{
			parent->members.emplace_back (std::move (pendingKey), JsonValue {});
			pendingKey.clear ();
			return &parent->members.back ().second;
		}
		parent->items.emplace_back ();
		return &parent->items.back ();
	}
	bool add (JsonValue::Kind kind, std::string text)
	{
		JsonValue* v = place ();
		if (!v)
			return fail ("more than one root value");
		v->kind = kind;
		v->text = std::move (text);
		return true;
	}
	bool open (JsonValue::Kind kind)
	{
		if (stack.size () >= kMaxJsonDepth)
			return fail ("nested too deeply");
		JsonValue* v = place ();
		if (!v)
			return fail ("more than one root value");
		v->kind = kind;
		stack.push_back (v);
		return true;
	}
	bool close ()
	{
		if (stack.empty ())
			return fail ("unbalanced");
		stack.pop_back ();
		return true;
	}

	// Pointers into vectors stay valid: an element's own containers only
	// grow while it is the innermost open value.
	std::vector<JsonValue*> stack;
	std::string pendingKey;
	bool hasRoot {false};
};

bool parseHexColor (const std::string& text, CColor& color)
{
	if ((text.size () != 7 && text.size () != 9) || text[0] != '#')
		return false;
	uint8_t bytes[4] = {0, 0, 0, 255};
	for (size_t i = 1, b = 0; i < text.size (); i += 2, ++b)
	{
		int value = 0;
		for (size_t k = 0; k < 2; ++k)
		{
			const char c = text[i + k];
			int digit;
			if (c >= '0' && c <= '9')
				digit = c - '0';
			else if (c >= 'a' && c <= 'f')
				digit = c - 'a' + 10;
			else if (c >= 'A' && c <= 'F')
				digit = c - 'A' + 10;
			else
				return false;
			value = value * 16 + digit;
		}
		bytes[b] = static_cast<uint8_t> (value);
	}
	color = CColor (bytes[0], bytes[1], bytes[2], bytes[3]);
	return true;
}

// A colour text outside the description's own names.
bool colorFromNotation (const std::string& text, CColor& color)
{
	return lookupStandardColor (text.c_str (), color) || parseHexColor (text, color);
}

// Relative, without "..": a description names images beside itself only.
bool isSafeResourcePath (const std::string& path)
{
	if (path.empty () || path[0] == '/' || path.find ('\\') != std::string::npos)
		return false;
	std::istringstream parts (path);
	std::string part;
	while (std::getline (parts, part, '/'))
		if (part == "..")
			return false;
	return true;
}

//------------------------------------------------------------------------
// Owns the sub-controller carried by a view: deletes it when the view is
// removed (before the views below it go) or, failing that, deleted.
class SubControllerKeeper final : public ViewListenerAdapter
{
public:
	explicit SubControllerKeeper (IController* c) : controller (c) {}
	~SubControllerKeeper () noexcept override { deleteController (); }

	void deleteController ()
	{
		auto* c = controller;
		controller = nullptr;
		delete c;
	}

	void viewRemoved (CView* view) override { UIDescription::deleteSubControllers (view); }
	// The layer tells a container's listeners before it releases any child.
	void viewWillDelete (CView* view) override
	{
		UIDescription::deleteSubControllers (view);
		view->unregisterViewListener (this);
		view->removeAttribute (kSubControllerAttribute);
		delete this;
	}

	IController* controller;
};

SubControllerKeeper* keeperOf (const CView* view)
{
	SubControllerKeeper* keeper = nullptr;
	uint32_t size = 0;
	if (view && view->getAttribute (kSubControllerAttribute, sizeof (keeper), &keeper, size) &&
	    size == sizeof (keeper))
		return keeper;
	return nullptr;
}

} // namespace

//------------------------------------------------------------------------
struct UIDescription::Impl
{
	struct BitmapEntry
	{
		std::string path;
		SharedPointer<CBitmap> bitmap;
		bool tried {false};
	};
	template <typename T>
	struct Table
	{
		std::vector<std::string> order;
		std::map<std::string, T> byName;

		// The first entry under a name stays.
		void add (const std::string& name, T&& value)
		{
			if (byName.emplace (name, std::move (value)).second)
				order.push_back (name);
		}
		const T* find (const char* name) const
		{
			if (!name)
				return nullptr;
			const auto it = byName.find (name);
			return it == byName.end () ? nullptr : &it->second;
		}
	};

	std::string version;
	std::string directory;
	Table<BitmapEntry> bitmaps;
	Table<CColor> colors;
	Table<int32_t> controlTags;
	Table<std::unique_ptr<Node>> templates;
	IController* controller {nullptr};
	UIViewFactory factory;

	bool readJson (const char* data, size_t size, std::string& error);
	bool readXml (const char* data, size_t size, std::string& error);
	bool readJsonView (const JsonValue& value, const std::string* className, Node& node, size_t depth,
	                   std::string& error);
	void addColor (const std::string& name, const std::string& text)
	{
		CColor color;
		if (colorFromNotation (text, color))
			colors.add (name, std::move (color));
	}
	void addControlTag (const std::string& name, const std::string& text)
	{
		int32_t tag;
		if (UIAttributes::stringToInteger (text, tag))
			controlTags.add (name, std::move (tag));
	}
	void addBitmap (const std::string& name, const std::string& path)
	{
		BitmapEntry entry;
		entry.path = path;
		bitmaps.add (name, std::move (entry));
	}
};

//------------------------------------------------------------------------
bool UIDescription::Impl::readJsonView (const JsonValue& value, const std::string* className, Node& node,
                                        size_t depth, std::string& error)
{
	if (depth > kMaxNestingDepth)
	{
		error = "views nested too deeply";
		return false;
	}
	if (value.kind != JsonValue::kObject)
	{
		error = "a view is not an object";
		return false;
	}
	if (const auto* attributes = value.member ("attributes"))
	{
		if (attributes->kind != JsonValue::kObject)
		{
			error = "\"attributes\" is not an object";
			return false;
		}
		for (const auto& [name, text] : attributes->members)
			if (text.isText () && !node.attributes.hasAttribute (name))
				node.attributes.setAttribute (name, text.text);
	}
	if (className && !node.attributes.hasAttribute (UIViewCreator::kAttrClass))
		node.attributes.setAttribute (UIViewCreator::kAttrClass, *className);
	if (const auto* children = value.member ("children"))
	{
		if (children->kind != JsonValue::kObject)
		{
			error = "\"children\" is not an object";
			return false;
		}
		for (const auto& [childClass, child] : children->members)
		{
			auto childNode = std::make_unique<Node> ();
			if (!readJsonView (child, &childClass, *childNode, depth + 1, error))
				return false;
			node.children.push_back (std::move (childNode));
		}
	}
	return true;
}

bool UIDescription::Impl::readJson (const char* data, size_t size, std::string& error)
{
	JsonBuilder builder;
	bool ok = false;
	try
	{
		ok = nlohmann::json::sax_parse (data, data + size, &builder);
	}
	catch (const std::exception& e)
	{
		builder.error = std::string ("JSON: ") + e.what ();
		ok = false;
	}
	if (!ok)
	{
		error = builder.error.empty () ? "JSON: not readable" : builder.error;
		return false;
	}
	const auto* top = builder.root.kind == JsonValue::kObject ? builder.root.member ("vstgui-ui-description")
	                                                           : nullptr;
	if (!top || top->kind != JsonValue::kObject)
	{
		error = "JSON: no \"vstgui-ui-description\" object";
		return false;
	}
	auto section = [&] (const char* name) -> const JsonValue* {
		const auto* s = top->member (name);
		if (s && s->kind != JsonValue::kObject)
		{
			error = std::string ("JSON: \"") + name + "\" is not an object";
			return nullptr;
		}
		return s;
	};
	if (const auto* v = top->member ("version"); v && v->isText ())
		version = v->text;
	const auto* bitmapSection = section ("bitmaps");
	const auto* colorSection = section ("colors");
	const auto* tagSection = section ("control-tags");
	const auto* templateSection = section ("templates");
	section ("fonts");
	if (!error.empty ())
		return false;
	if (bitmapSection)
		for (const auto& [name, entry] : bitmapSection->members)
			if (const auto* path = entry.member ("path"); path && path->kind == JsonValue::kString)
				addBitmap (name, path->text);
	if (colorSection)
		for (const auto& [name, text] : colorSection->members)
			if (text.kind == JsonValue::kString)
				addColor (name, text.text);
	if (tagSection)
		for (const auto& [name, text] : tagSection->members)
			if (text.isText ())
				addControlTag (name, text.text);
	if (templateSection)
	{
		for (const auto& [name, value] : templateSection->members)
		{
			auto node = std::make_unique<Node> ();
			if (!readJsonView (value, nullptr, *node, 0, error))
			{
				error = "JSON: template \"" + name + "\": " + error;
				return false;
			}
			templates.add (name, std::move (node));
		}
	}
	return true;
}

//------------------------------------------------------------------------
namespace {

struct XmlReader
{
	UIDescription::Impl* impl {nullptr};
	XML_Parser parser {nullptr};
	std::string error;
	// Element names from the root down; views of the template being read.
	std::vector<std::string> path;
	std::vector<UIDescription::Node*> views;
	std::unique_ptr<UIDescription::Node> templateNode;
	std::string templateName;
	// Depth below which an unknown element's content is skipped, 0 for none.
	size_t skipBelow {0};
	bool sawRoot {false};

	void stop (const std::string& why)
	{
		if (error.empty ())
			error = "XML: " + why;
		XML_StopParser (parser, XML_FALSE);
	}

	static UIAttributes attributesOf (const XML_Char** atts)
	{
		UIAttributes attributes;
		for (size_t i = 0; atts[i] && atts[i + 1]; i += 2)
			if (!attributes.hasAttribute (atts[i]))
				attributes.setAttribute (atts[i], atts[i + 1]);
		return attributes;
	}

	void start (const XML_Char* name, const XML_Char** atts)
	{
		const std::string element (name);
		path.push_back (element);
		const size_t depth = path.size ();
		if (skipBelow)
			return;
		if (depth > UIDescription::kMaxNestingDepth + 3)
			return stop ("nested too deeply");
		if (depth == 1)
		{
			if (element != "vstgui-ui-description")
				return stop ("the root element is not vstgui-ui-description");
			sawRoot = true;
			const auto rootAttributes = attributesOf (atts);
			if (auto v = rootAttributes.getAttributeValue ("version"))
				impl->version = *v;
			return;
		}
		const std::string& parent = path[depth - 2];
		auto attributes = attributesOf (atts);
		auto text = [&] (const char* key) -> const std::string* { return attributes.getAttributeValue (key); };
		if (depth == 2)
		{
			if (element == "template")
			{
				const auto* n = text ("name");
				if (!n)
					return stop ("a template without a name");
				templateName = *n;
				templateNode = std::make_unique<UIDescription::Node> ();
				templateNode->attributes = std::move (attributes);
				views.assign (1, templateNode.get ());
			}
			else if (element != "bitmaps" && element != "colors" && element != "control-tags" &&
			         element != "fonts")
				skipBelow = depth;
			return;
		}
		if (depth == 3 && parent == "bitmaps" && element == "bitmap")
		{
			if (text ("name") && text ("path"))
				impl->addBitmap (*text ("name"), *text ("path"));
		}
		else if (depth == 3 && parent == "colors" && element == "color")
		{
			if (text ("name") && text ("rgba"))
				impl->addColor (*text ("name"), *text ("rgba"));
		}
		else if (depth == 3 && parent == "control-tags" && element == "control-tag")
		{
			if (text ("name") && text ("tag"))
				impl->addControlTag (*text ("name"), *text ("tag"));
		}
		else if (!views.empty () && element == "view")
		{
			auto node = std::make_unique<UIDescription::Node> ();
			node->attributes = std::move (attributes);
			auto* raw = node.get ();
			views.back ()->children.push_back (std::move (node));
			views.push_back (raw);
			return;
		}
		skipBelow = depth;
	}

	void end (const XML_Char*)
	{
		const size_t depth = path.size ();
		path.pop_back ();
		if (skipBelow)
		{
			if (depth == skipBelow)
				skipBelow = 0;
			return;
		}
		if (views.empty ())
			return;
		views.pop_back ();
		if (views.empty () && templateNode)
			impl->templates.add (templateName, std::move (templateNode));
	}
};

} // namespace

bool UIDescription::Impl::readXml (const char* data, size_t size, std::string& error)
{
	XmlReader reader;
	reader.impl = this;
	reader.parser = XML_ParserCreate ("UTF-8");
	if (!reader.parser)
	{
		error = "XML: no parser";
		return false;
	}
	XML_SetUserData (reader.parser, &reader);
	XML_SetElementHandler (
	    reader.parser,
	    [] (void* user, const XML_Char* name, const XML_Char** atts) {
		    static_cast<XmlReader*> (user)->start (name, atts);
	    },
	    [] (void* user, const XML_Char* name) { static_cast<XmlReader*> (user)->end (name); });
	bool ok = true;
	// Expat takes int lengths; the file size limit keeps us far below.
	if (XML_Parse (reader.parser, data, static_cast<int> (size), XML_TRUE) != XML_STATUS_OK)
	{
		ok = false;
		if (reader.error.empty ())
			reader.error = std::string ("XML error at line ") +
			               std::to_string (XML_GetCurrentLineNumber (reader.parser)) + ": " +
			               XML_ErrorString (XML_GetErrorCode (reader.parser));
	}
	XML_ParserFree (reader.parser);
	if (ok && !reader.sawRoot)
	{
		ok = false;
		reader.error = "XML: empty";
	}
	error = reader.error;
	return ok;
}

//------------------------------------------------------------------------
UIDescription::UIDescription (const std::string& fileName) : filePath (fileName), impl (std::make_unique<Impl> ())
{
	const auto slash = fileName.find_last_of ('/');
	impl->directory = slash == std::string::npos ? std::string (".") : fileName.substr (0, slash);
}

UIDescription::~UIDescription () noexcept = default;

void UIDescription::clear ()
{
	auto fresh = std::make_unique<Impl> ();
	fresh->directory = impl->directory;
	impl = std::move (fresh);
	parsed = false;
}

bool UIDescription::refuse (std::string why)
{
	clear ();
	lastError = std::move (why);
	return false;
}

bool UIDescription::parse ()
{
	std::ifstream file (filePath, std::ios::binary);
	if (!file)
		return refuse ("cannot open " + filePath);
	std::string data;
	char buffer[65536];
	while (file.read (buffer, sizeof (buffer)) || file.gcount () > 0)
	{
		data.append (buffer, static_cast<size_t> (file.gcount ()));
		if (data.size () > kMaxFileSize)
			return refuse (filePath + " is too large for an editor description");
	}
	return parseText (data.data (), data.size ());
}

bool UIDescription::parseText (const char* data, size_t size)
{
	clear ();
	if (!data || size > kMaxFileSize)
		return refuse ("no data, or too much for an editor description");
	std::string jsonError, xmlError;
	if (!impl->readJson (data, size, jsonError))
	{
		// the XML reader starts from nothing the JSON reader left behind
		clear ();
		if (!impl->readXml (data, size, xmlError))
			return refuse ("neither a JSON nor an XML editor description (" + jsonError + "; " + xmlError + ")");
	}
	parsed = true;
	lastError.clear ();
	return true;
}

//------------------------------------------------------------------------
const std::string& UIDescription::getVersion () const
{
	return impl->version;
}

bool UIDescription::hasTemplate (UTF8StringPtr name) const
{
	return impl->templates.find (name) != nullptr;
}

std::vector<std::string> UIDescription::getTemplateNames () const
{
	return impl->templates.order;
}

const UIDescription::Node* UIDescription::getTemplate (UTF8StringPtr name) const
{
	const auto* node = impl->templates.find (name);
	return node ? node->get () : nullptr;
}

std::vector<std::string> UIDescription::getBitmapNames () const
{
	return impl->bitmaps.order;
}

std::vector<std::string> UIDescription::getColorNames () const
{
	return impl->colors.order;
}

std::vector<std::string> UIDescription::getControlTagNames () const
{
	return impl->controlTags.order;
}

CBitmap* UIDescription::getBitmap (UTF8StringPtr name) const
{
	auto* entry = const_cast<Impl::BitmapEntry*> (impl->bitmaps.find (name));
	if (!entry)
		return nullptr;
	if (!entry->tried)
	{
		entry->tried = true;
		if (isSafeResourcePath (entry->path))
		{
			auto bitmap = makeOwned<CBitmap> (CResourceDescription ((impl->directory + "/" + entry->path).c_str ()));
			if (bitmap->isLoaded ())
				entry->bitmap = bitmap;
		}
	}
	return entry->bitmap;
}

bool UIDescription::getColor (UTF8StringPtr name, CColor& color) const
{
	if (!name)
		return false;
	if (const auto* c = impl->colors.find (name))
	{
		color = *c;
		return true;
	}
	return colorFromNotation (name, color);
}

// Only the standard fonts: the description's "fonts" section is read past.
CFontDesc* UIDescription::getFont (UTF8StringPtr name) const
{
	return lookupStandardFont (name);
}

UTF8StringPtr UIDescription::lookupFontName (const CFontDesc* font) const
{
	return lookupStandardFontName (font);
}

UTF8StringPtr UIDescription::lookupBitmapName (const CBitmap* bitmap) const
{
	if (!bitmap)
		return nullptr;
	for (const auto& name : impl->bitmaps.order)
		if (impl->bitmaps.byName.at (name).bitmap.get () == bitmap)
			return name.c_str ();
	return nullptr;
}

UTF8StringPtr UIDescription::lookupColorName (const CColor& color) const
{
	for (const auto& name : impl->colors.order)
		if (impl->colors.byName.at (name) == color)
			return name.c_str ();
	return nullptr;
}

UTF8StringPtr UIDescription::lookupControlTagName (int32_t tag) const
{
	for (const auto& name : impl->controlTags.order)
		if (impl->controlTags.byName.at (name) == tag)
			return name.c_str ();
	return nullptr;
}

int32_t UIDescription::getTagForName (UTF8StringPtr name) const
{
	if (!name)
		return -1;
	int32_t tag = -1;
	if (const auto* t = impl->controlTags.find (name))
		tag = *t;
	else if (!UIAttributes::stringToInteger (name, tag))
		tag = -1;
	if (impl->controller)
		tag = impl->controller->getTagForName (name, tag);
	return tag;
}

IControlListener* UIDescription::getControlListener (UTF8StringPtr name) const
{
	return impl->controller ? impl->controller->getControlListener (name) : nullptr;
}

IController* UIDescription::getController () const
{
	return impl->controller;
}

const IViewFactory* UIDescription::getViewFactory () const
{
	return &impl->factory;
}

//------------------------------------------------------------------------
CView* UIDescription::createView (UTF8StringPtr name, IController* controller) const
{
	const auto* node = getTemplate (name);
	if (!node)
		return nullptr;
	auto* previous = impl->controller;
	impl->controller = controller;
	CView* view = buildView (*node, 0);
	impl->controller = previous;
	return view;
}

CView* UIDescription::buildView (const Node& node, size_t depth) const
{
	if (depth > kMaxNestingDepth)
		return nullptr;
	const auto& attributes = node.attributes;
	IController* parentController = impl->controller;
	IController* subController = nullptr;
	if (auto name = attributes.getAttributeValue (UIViewCreator::kAttrSubController); name && parentController)
		subController = parentController->createSubController (name->c_str (), this);
	if (subController)
		impl->controller = subController;
	IController* controller = impl->controller;

	CView* view = nullptr;
	if (auto name = attributes.getAttributeValue (UIViewCreator::kAttrCustomViewName); name && controller)
	{
		view = controller->createView (attributes, this);
		if (view)
		{
			if (auto className = attributes.getAttributeValue (UIViewCreator::kAttrClass))
				impl->factory.applyAttributeValues (view, className->c_str (), attributes, this);
		}
	}
	if (!view)
		view = impl->factory.createView (attributes, this);
	if (view && subController)
	{
		auto* keeper = new SubControllerKeeper (subController);
		view->setAttribute (kSubControllerAttribute, sizeof (keeper), &keeper);
		view->registerViewListener (keeper);
		subController = nullptr;
	}
	if (view)
	{
		if (auto* container = dynamic_cast<CViewContainer*> (view))
		{
			for (const auto& child : node.children)
			{
				if (CView* childView = buildView (*child, depth + 1))
				{
					if (!container->addView (childView))
					{
						deleteSubControllers (childView);
						childView->forget ();
					}
				}
			}
		}
		if (controller)
		{
			// A controller that answers another view has taken charge of this one.
			CView* verified = controller->verifyView (view, attributes, this);
			view = verified;
		}
	}
	impl->controller = parentController;
	delete subController;
	return view;
}

void UIDescription::deleteSubControllers (CView* view)
{
	if (!view)
		return;
	if (auto* keeper = keeperOf (view))
		keeper->deleteController ();
	if (auto* container = dynamic_cast<CViewContainer*> (view))
		for (uint32_t i = 0; i < container->getNbViews (); ++i)
			deleteSubControllers (container->getView (i));
}

IController* UIDescription::getSubController (const CView* view)
{
	auto* keeper = keeperOf (view);
	return keeper ? keeper->controller : nullptr;
}

} // namespace VSTGUI
