// Feeds arbitrary bytes to the editor-description reader and builds every
// template it accepts, under a controller that makes sub-controllers.
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cview.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uidescription.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class FuzzController final : public VSTGUI::IController
{
public:
	void valueChanged (VSTGUI::CControl*) override {}
	VSTGUI::IController* createSubController (VSTGUI::UTF8StringPtr name,
	                                          const VSTGUI::IUIDescription*) override
	{
		return name && *name ? new FuzzController () : nullptr;
	}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
	VSTGUI::UIDescription description ("/nonexistent/plug.uidesc");
	if (!description.parseText (reinterpret_cast<const char*> (data), size))
		return 0;
	FuzzController controller;
	for (const auto& name : description.getTemplateNames ())
	{
		if (auto* view = description.createView (name.c_str (), &controller))
		{
			VSTGUI::UIDescription::deleteSubControllers (view);
			view->forget ();
		}
	}
	VSTGUI::CColor color;
	for (const auto& name : description.getColorNames ())
		if (description.getColor (name.c_str (), color))
			description.lookupColorName (color);
	for (const auto& name : description.getControlTagNames ())
		description.lookupControlTagName (description.getTagForName (name.c_str ()));
	for (const auto& name : description.getBitmapNames ())
		description.getBitmap (name.c_str ());
	return 0;
}
