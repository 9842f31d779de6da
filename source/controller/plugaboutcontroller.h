// The about sub-controller: binds the about area's text label and on/off
// toggle and shows the info line (version, plug-in format, platform) in the
// label while the toggle is on.
#pragma once

#include "controller/platformname.h"

#include "base/source/fstring.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cstring.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"

#include <cmath>

namespace Steinberg {
namespace Vst {

// "3.1.0, VST3 x86_64-macOS" and two blanks: the two trailing blanks belong
// to the line as shown, nothing trims them.
inline String makeAboutInfoLine (const String& version, const String& format, const String& platform)
{
	String line;
	line.append (version).append (", ").append (format).append (" ").append (platform).append ("  ");
	return line;
}

// Made by the owner (the edit controller) for each "AboutController" in the
// editor description and then owned by the GUI library, which deletes it
// with the view that carries it. Holds no reference on the owner, the label
// or the toggle; the owner must outlive it and offer removeAboutController.
template <typename Owner>
class PlugAboutController final : public VSTGUI::IController, public VSTGUI::ViewListenerAdapter
{
public:
	PlugAboutController (Owner* owner, bool wrappedAsAU)
	: owner (owner), format ("VST3"), version ("3.1.0")
	{
		platform = queryPlatformName ().c_str ();
		if (wrappedAsAU)
			format = "AU";
	}

	~PlugAboutController () noexcept override
	{
		releaseLabel ();
		releaseToggle ();
		if (owner)
			owner->removeAboutController (this);
	}

	PlugAboutController (const PlugAboutController&) = delete;
	PlugAboutController& operator= (const PlugAboutController&) = delete;

	// Binds by class alone. A view of a kind already bound replaces the
	// earlier one, whose registrations are dropped so that it never calls a
	// deleted sub-controller.
	VSTGUI::CView* verifyView (VSTGUI::CView* view, const VSTGUI::UIAttributes& /*attributes*/,
	                           const VSTGUI::IUIDescription* /*description*/) override
	{
		if (!view)
			return view;
		if (auto* label = dynamic_cast<VSTGUI::CTextLabel*> (view))
		{
			releaseLabel ();
			infoLabel = label;
			infoLabel->registerViewListener (this);
			infoLabel->setText (VSTGUI::UTF8String ());
		}
		if (auto* button = dynamic_cast<VSTGUI::COnOffButton*> (view))
		{
			releaseToggle ();
			toggle = button;
			toggle->registerControlListener (this);
			// Also a view listener of the toggle, so that a toggle deleted
			// while bound cannot leave a dangling pointer here.
			toggle->registerViewListener (this);
			valueChanged (toggle);
		}
		return view;
	}

	void valueChanged (VSTGUI::CControl* control) override
	{
		if (!toggle || control != toggle)
			return;
		String text;
		const float value = toggle->getValue ();
		if (!(value == 0.f) && !std::isnan (value))
		{
			text = makeAboutInfoLine (version, format, platform);
			text.toMultiByte (kCP_Utf8);
		}
		if (infoLabel)
			infoLabel->setText (VSTGUI::UTF8String (text.text8 ()));
	}

	void viewWillDelete (VSTGUI::CView* view) override
	{
		if (infoLabel && view == infoLabel)
			releaseLabel ();
		if (toggle && view == toggle)
			releaseToggle ();
	}

	const String& getFormat () const { return format; }
	const String& getVersion () const { return version; }
	const String& getPlatform () const { return platform; }
	VSTGUI::CTextLabel* getInfoLabel () const { return infoLabel; }
	VSTGUI::COnOffButton* getToggle () const { return toggle; }

private:
	void releaseLabel ()
	{
		if (!infoLabel)
			return;
		infoLabel->unregisterViewListener (this);
		infoLabel = nullptr;
	}

	void releaseToggle ()
	{
		if (!toggle)
			return;
		toggle->unregisterControlListener (this);
		toggle->unregisterViewListener (this);
		toggle = nullptr;
	}

	Owner* owner;
	VSTGUI::COnOffButton* toggle {nullptr};
	VSTGUI::CTextLabel* infoLabel {nullptr};
	String format;
	String version;
	String platform;
};

} // namespace Vst
} // namespace Steinberg
