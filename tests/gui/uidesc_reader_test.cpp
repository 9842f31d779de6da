// Reading editor descriptions: JSON with repeated child keys kept in order,
// the XML form, lookups both ways, and input that must be refused cleanly.
#include "uidesc_testkit.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <utility>

using namespace VSTGUI;
using LumivoTest::makeTempDir;
using LumivoTest::writeFile;

namespace {

const char* kJson = R"({
  "vstgui-ui-description": {
    "version": "1",
    "bitmaps": {"back": {"path": "back.png"}, "gone": {"path": "gone.png"}, "escape": {"path": "../back.png"}},
    "fonts": {},
    "colors": {"accent": "#f0a030ff", "solid": "#102030", "same": "#f0a030ff", "broken": "#zz"},
    "control-tags": {"Level": "0", "Rate": "3", "Huge": "99999999999"},
    "templates": {
      "view": {
        "attributes": {"class": "CViewContainer", "size": "200, 100", "bitmap": "back", "future-attribute": "x"},
        "children": {
          "CTextLabel": {"attributes": {"title": "first", "origin": "0, 0", "size": "50, 20"}},
          "CViewContainer": {"attributes": {"origin": "0, 40", "size": "100, 50"},
                             "children": {"CTextLabel": {"attributes": {"title": "inner"}}}},
          "CTextLabel": {"attributes": {"title": "second", "control-tag": "Rate"}},
          "NoSuchView": {"attributes": {"title": "left out"}},
          "CTextLabel": {"attributes": {"title": "third", "control-tag": "17"}}
        }
      },
      "nameless": {"attributes": {"size": "10, 10"}}
    }
  }
})";

const char* kXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps><bitmap name="back" path="back.png"/></bitmaps>
  <colors><color name="accent" rgba="#f0a030ff"/></colors>
  <control-tags><control-tag name="Rate" tag="3"/></control-tags>
  <unknown-section><bitmap name="ignored" path="x.png"/></unknown-section>
  <template name="view" class="CViewContainer" size="200, 100" bitmap="back">
    <view class="CTextLabel" title="first"/>
    <view class="CViewContainer" origin="0, 40" size="100, 50">
      <view class="CTextLabel" title="inner"/>
    </view>
    <view class="CTextLabel" title="second" control-tag="Rate"/>
    <comment-like-element/>
    <view class="NoSuchView"/>
    <view class="CTextLabel" title="third" control-tag="17"/>
  </template>
</vstgui-ui-description>
)";

std::vector<std::string> titlesOf (CViewContainer* container)
{
	std::vector<std::string> titles;
	for (uint32_t i = 0; i < container->getNbViews (); ++i)
	{
		CView* child = container->getView (i);
		if (auto* label = dynamic_cast<CTextLabel*> (child))
			titles.push_back (label->getText ().getString ());
		else if (auto* inner = dynamic_cast<CViewContainer*> (child))
		{
			auto innerTitles = titlesOf (inner);
			titles.push_back ("[" + (innerTitles.empty () ? std::string () : innerTitles.front ()) + "]");
		}
	}
	return titles;
}

void expectTheSampleTree (UIDescription& description)
{
	CView* view = description.createView ("view", nullptr);
	auto* root = dynamic_cast<CViewContainer*> (view);
	ASSERT_NE (root, nullptr);
	EXPECT_EQ (root->getViewSize (), CRect (0., 0., 200., 100.));
	// Repeated keys stay, in order; the unknown class is left out, its
	// siblings are not.
	EXPECT_EQ (titlesOf (root), (std::vector<std::string> {"first", "[inner]", "second", "third"}));
	EXPECT_EQ (dynamic_cast<CControl*> (root->getView (2))->getTag (), 3);
	EXPECT_EQ (dynamic_cast<CControl*> (root->getView (3))->getTag (), 17);
	EXPECT_EQ (dynamic_cast<CControl*> (root->getView (0))->getTag (), -1);
	ASSERT_NE (root->getBackground (), nullptr);
	EXPECT_EQ (root->getBackground ()->getWidth (), 48.);
	view->forget ();
}

// The description `text` as a file in a fresh folder, beside copies of a real
// image of the project's resources (48 x 48) under each of `images`.
std::string writeSample (const char* text, std::initializer_list<const char*> images = {"back.png"})
{
	std::ifstream file (std::string (LUMIVO_RESOURCE_DIR) + "/switch.png", std::ios::binary);
	const std::string png ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char> ());
	const auto dir = makeTempDir ();
	for (const char* image : images)
		writeFile (dir, image, png);
	return writeFile (dir, "plug.uidesc", text);
}

} // namespace

TEST (UIDescriptionReader, JsonKeepsRepeatedChildrenInOrderAndIgnoresUnknowns)
{
	UIDescription description (writeSample (kJson));
	ASSERT_TRUE (description.parse ()) << description.getLastError ();
	EXPECT_TRUE (description.isParsed ());
	EXPECT_EQ (description.getVersion (), "1");
	EXPECT_EQ (description.getTemplateNames (), (std::vector<std::string> {"view", "nameless"}));
	EXPECT_EQ (description.getBitmapNames (), (std::vector<std::string> {"back", "gone", "escape"}));
	EXPECT_EQ (description.getControlTagNames (), (std::vector<std::string> {"Level", "Rate"}));
	const auto* node = description.getTemplate ("view");
	ASSERT_NE (node, nullptr);
	ASSERT_EQ (node->children.size (), 5u);
	EXPECT_EQ (*node->children[3]->attributes.getAttributeValue ("class"), "NoSuchView");
	expectTheSampleTree (description);

	// A template without a class builds nothing; a missing one neither.
	EXPECT_EQ (description.createView ("nameless", nullptr), nullptr);
	EXPECT_EQ (description.createView ("missing", nullptr), nullptr);
	EXPECT_EQ (description.createView (nullptr, nullptr), nullptr);
}

TEST (UIDescriptionReader, XmlGivesTheSameTree)
{
	UIDescription description (writeSample (kXml));
	ASSERT_TRUE (description.parse ()) << description.getLastError ();
	EXPECT_EQ (description.getVersion (), "1");
	EXPECT_EQ (description.getBitmapNames (), (std::vector<std::string> {"back"}));
	EXPECT_EQ (description.getTagForName ("Rate"), 3);
	expectTheSampleTree (description);
}

TEST (UIDescriptionReader, LookupsByNameBothWays)
{
	UIDescription description (writeSample (kJson, {"back.png", "escape.png"}));
	ASSERT_TRUE (description.parse ());

	const std::pair<const char*, CColor> colors[] = {{"accent", CColor (0xf0, 0xa0, 0x30, 0xff)},
	                                                 {"solid", CColor (0x10, 0x20, 0x30, 0xff)},
	                                                 {"#01020304", CColor (1, 2, 3, 4)},
	                                                 {"~ BlackCColor", kBlackCColor}};
	CColor c;
	for (const auto& [name, color] : colors)
	{
		EXPECT_TRUE (description.getColor (name, c)) << name;
		EXPECT_EQ (c, color) << name;
	}
	c = kRedCColor;
	for (const char* bad : {"broken", "nothing", "#12345", "#1234567g", ""})
		EXPECT_FALSE (description.getColor (bad, c)) << bad;
	EXPECT_FALSE (description.getColor (nullptr, c));
	EXPECT_EQ (c, kRedCColor);
	// The first name of a colour value answers for it.
	EXPECT_STREQ (description.lookupColorName (CColor (0xf0, 0xa0, 0x30, 0xff)), "accent");
	EXPECT_EQ (description.lookupColorName (CColor (1, 1, 1, 1)), nullptr);

	CBitmap* back = description.getBitmap ("back");
	ASSERT_NE (back, nullptr);
	EXPECT_EQ (back->getWidth (), 48.);
	EXPECT_EQ (back->getHeight (), 48.);
	EXPECT_EQ (description.getBitmap ("back"), back);
	EXPECT_STREQ (description.lookupBitmapName (back), "back");
	// Missing files, unknown names and paths that leave the folder give none.
	for (const char* none : {"gone", "unknown", "escape"})
		EXPECT_EQ (description.getBitmap (none), nullptr) << none;
	EXPECT_EQ (description.getBitmap (nullptr), nullptr);
	EXPECT_EQ (description.lookupBitmapName (nullptr), nullptr);

	const std::pair<const char*, int32_t> tags[] = {
	    {"Level", 0}, {"Rate", 3}, {"12", 12}, {"+12", 12}, {"+-12", -1}, {"Huge", -1}, {"Unknown", -1}, {nullptr, -1}};
	for (const auto& [name, tag] : tags)
		EXPECT_EQ (description.getTagForName (name), tag) << (name ? name : "null");
	EXPECT_STREQ (description.lookupControlTagName (3), "Rate");
	EXPECT_EQ (description.lookupControlTagName (12), nullptr);
}

TEST (UIDescriptionReader, MalformedAndHostileInputIsRefusedWithAReason)
{
	const std::string full = kJson;
	std::vector<std::string> refused = {
	    "",
	    "   ",
	    "{",
	    full.substr (0, full.size () / 2),
	    "[1, 2, 3]",
	    R"({"something-else": {}})",
	    R"({"vstgui-ui-description": 5})",
	    R"({"vstgui-ui-description": {"templates": []}})",
	    R"({"vstgui-ui-description": {"bitmaps": "x"}})",
	    R"({"vstgui-ui-description": {"templates": {"view": {"children": []}}}})",
	    R"({"vstgui-ui-description": {"templates": {"view": 3}}})",
	    R"({"vstgui-ui-description": {}} {"second": 1})",
	    "<vstgui-ui-description><template name=\"view\">",
	    "<other-root/>",
	    "<vstgui-ui-description><template class=\"CView\"/></vstgui-ui-description>",
	    std::string ("{\"vstgui-ui-description\": {\"version\": \"\xff\xfe\"}}"),
	};
	// Nesting beyond the limit, in both forms.
	std::string deepJson = R"({"vstgui-ui-description": {"templates": {"view": )";
	std::string deepXml = "<vstgui-ui-description><template name=\"view\" class=\"CViewContainer\">";
	for (int i = 0; i < 200; ++i)
	{
		deepJson += R"({"attributes": {"class": "CViewContainer"}, "children": {"CViewContainer": )";
		deepXml += "<view class=\"CViewContainer\">";
	}
	refused.push_back (deepJson);
	refused.push_back (deepXml);
	// Far deeper than any stack would take if parsing recursed.
	refused.push_back (std::string (100000, '[') + std::string (100000, ']'));
	refused.push_back ("<vstgui-ui-description>" + std::string (100000, 'x'));

	for (const auto& text : refused)
	{
		UIDescription description ("/nonexistent/plug.uidesc");
		EXPECT_FALSE (description.parseText (text.data (), text.size ())) << text.substr (0, 80);
		EXPECT_FALSE (description.isParsed ());
		EXPECT_FALSE (description.getLastError ().empty ());
		EXPECT_TRUE (description.getTemplateNames ().empty ());
		EXPECT_EQ (description.createView ("view", nullptr), nullptr);
	}

	UIDescription missing ("/nonexistent/plug.uidesc");
	EXPECT_FALSE (missing.parse ());
	EXPECT_NE (missing.getLastError ().find ("/nonexistent/plug.uidesc"), std::string::npos);

	// Nesting within the limit is fine.
	std::string allowed = R"({"vstgui-ui-description": {"templates": {"view": )";
	std::string closing;
	for (size_t i = 0; i < UIDescription::kMaxNestingDepth; ++i)
	{
		allowed += R"({"attributes": {"class": "CViewContainer"}, "children": {"CViewContainer": )";
		closing += "}}";
	}
	allowed += "{}" + closing + "}}}";
	UIDescription deepButFine ("/nonexistent/plug.uidesc");
	ASSERT_TRUE (deepButFine.parseText (allowed.data (), allowed.size ())) << deepButFine.getLastError ();
	CView* view = deepButFine.createView ("view", nullptr);
	ASSERT_NE (view, nullptr);
	view->forget ();

	// A failed parse of a description that had been read empties it.
	UIDescription reread ("/nonexistent/plug.uidesc");
	ASSERT_TRUE (reread.parseText (kJson, strlen (kJson)));
	EXPECT_FALSE (reread.parseText ("{", 1));
	EXPECT_FALSE (reread.hasTemplate ("view"));
	EXPECT_EQ (reread.getTagForName ("Rate"), -1);
	// so does a file that cannot be opened
	ASSERT_TRUE (reread.parseText (kJson, strlen (kJson)));
	EXPECT_FALSE (reread.parse ());
	EXPECT_FALSE (reread.isParsed ());
	EXPECT_FALSE (reread.hasTemplate ("view"));
}
