// The attributes of one view of an editor description: texts by name, with
// the text forms of numbers, points, rectangles and booleans.
#pragma once

#include "../lib/vstguifwd.h"

#include <cstdint>
#include <map>
#include <string>

namespace VSTGUI {

class UIAttributes
{
public:
	using Map = std::map<std::string, std::string>;
	using const_iterator = Map::const_iterator;

	UIAttributes () = default;

	bool hasAttribute (const std::string& name) const;
	// nullptr when the attribute is absent; valid until the attribute changes.
	const std::string* getAttributeValue (const std::string& name) const;
	void setAttribute (const std::string& name, const std::string& value);
	void removeAttribute (const std::string& name);

	// The getters answer false and leave `value` untouched when the attribute
	// is absent or its text does not read in the expected form.
	bool getDoubleAttribute (const std::string& name, double& value) const;
	bool getIntegerAttribute (const std::string& name, int32_t& value) const;
	bool getBooleanAttribute (const std::string& name, bool& value) const;
	bool getPointAttribute (const std::string& name, CPoint& value) const;
	bool getRectAttribute (const std::string& name, CRect& value) const;

	void setDoubleAttribute (const std::string& name, double value);
	void setIntegerAttribute (const std::string& name, int32_t value);
	void setBooleanAttribute (const std::string& name, bool value);
	void setPointAttribute (const std::string& name, const CPoint& value);

	size_t size () const { return attributes.size (); }
	bool empty () const { return attributes.empty (); }
	const_iterator begin () const { return attributes.begin (); }
	const_iterator end () const { return attributes.end (); }

	// Classic locale, default floating notation with at most `precision`
	// significant digits.
	static std::string doubleToString (double value, uint32_t precision = 40);
	// Two numbers joined by ", ", each as doubleToString at `precision`.
	static std::string pointToString (const CPoint& p, uint32_t precision = 6);
	// left, top, right, bottom joined by ", ".
	static std::string rectToString (const CRect& r, uint32_t precision = 6);
	static std::string boolToString (bool value);

	// The whole text (blanks around it allowed) must be one finite number.
	static bool stringToDouble (const std::string& text, double& value);
	// A whole decimal integer in the range of int32.
	static bool stringToInteger (const std::string& text, int32_t& value);
	// Exactly "true" is true; every other text is false.
	static bool stringToBool (const std::string& text);
	// Two numbers separated by a comma.
	static bool stringToPoint (const std::string& text, CPoint& p);
	// Four numbers separated by commas.
	static bool stringToRect (const std::string& text, CRect& r);

private:
	Map attributes;
};

} // namespace VSTGUI
