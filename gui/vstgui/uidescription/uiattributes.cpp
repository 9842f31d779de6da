// Text forms of description attributes. Numbers are read and written in the
// classic locale whatever the host process has set.
#include "uiattributes.h"

#include "../lib/cpoint.h"
#include "../lib/crect.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>
#include <vector>

namespace VSTGUI {

namespace {

std::string trimmed (const std::string& text)
{
	const auto first = text.find_first_not_of (" \t\r\n");
	if (first == std::string::npos)
		return {};
	const auto last = text.find_last_not_of (" \t\r\n");
	return text.substr (first, last - first + 1);
}

// The whole text, blanks around it aside, must be the number; one leading
// sign, '+' or '-', is allowed. The value is written only on success.
template <typename T>
bool parseNumber (const std::string& text, T& value)
{
	const auto t = trimmed (text);
	if (t.empty ())
		return false;
	const char* first = t.data ();
	const char* last = first + t.size ();
	if (*first == '+')
	{
		++first;
		// the number reader takes a sign of its own: "+-5" is no number
		if (first != last && *first == '-')
			return false;
	}
	T result {};
	const auto [ptr, ec] = std::from_chars (first, last, result);
	if (ec != std::errc () || ptr != last)
		return false;
	value = result;
	return true;
}

std::vector<std::string> splitAtCommas (const std::string& text)
{
	std::vector<std::string> parts;
	size_t start = 0;
	while (true)
	{
		const auto comma = text.find (',', start);
		parts.push_back (text.substr (start, comma == std::string::npos ? std::string::npos : comma - start));
		if (comma == std::string::npos)
			break;
		start = comma + 1;
	}
	return parts;
}

bool numbersFromText (const std::string& text, double* values, size_t count)
{
	const auto parts = splitAtCommas (text);
	if (parts.size () != count)
		return false;
	for (size_t i = 0; i < count; ++i)
		if (!UIAttributes::stringToDouble (parts[i], values[i]))
			return false;
	return true;
}

} // namespace

bool UIAttributes::hasAttribute (const std::string& name) const
{
	return attributes.find (name) != attributes.end ();
}

const std::string* UIAttributes::getAttributeValue (const std::string& name) const
{
	const auto it = attributes.find (name);
	return it == attributes.end () ? nullptr : &it->second;
}

void UIAttributes::setAttribute (const std::string& name, const std::string& value)
{
	attributes[name] = value;
}

void UIAttributes::removeAttribute (const std::string& name)
{
	attributes.erase (name);
}

bool UIAttributes::getDoubleAttribute (const std::string& name, double& value) const
{
	const auto* text = getAttributeValue (name);
	return text && stringToDouble (*text, value);
}

bool UIAttributes::getIntegerAttribute (const std::string& name, int32_t& value) const
{
	const auto* text = getAttributeValue (name);
	return text && stringToInteger (*text, value);
}

bool UIAttributes::getBooleanAttribute (const std::string& name, bool& value) const
{
	const auto* text = getAttributeValue (name);
	if (!text)
		return false;
	value = stringToBool (*text);
	return true;
}

bool UIAttributes::getPointAttribute (const std::string& name, CPoint& value) const
{
	const auto* text = getAttributeValue (name);
	return text && stringToPoint (*text, value);
}

bool UIAttributes::getRectAttribute (const std::string& name, CRect& value) const
{
	const auto* text = getAttributeValue (name);
	return text && stringToRect (*text, value);
}

void UIAttributes::setDoubleAttribute (const std::string& name, double value)
{
	setAttribute (name, doubleToString (value));
}

void UIAttributes::setIntegerAttribute (const std::string& name, int32_t value)
{
	setAttribute (name, std::to_string (value));
}

void UIAttributes::setBooleanAttribute (const std::string& name, bool value)
{
	setAttribute (name, boolToString (value));
}

void UIAttributes::setPointAttribute (const std::string& name, const CPoint& value)
{
	setAttribute (name, pointToString (value));
}

std::string UIAttributes::doubleToString (double value, uint32_t precision)
{
	std::ostringstream stream;
	stream.imbue (std::locale::classic ());
	stream.precision (static_cast<std::streamsize> (precision));
	stream << value;
	return stream.str ();
}

std::string UIAttributes::pointToString (const CPoint& p, uint32_t precision)
{
	return doubleToString (p.x, precision) + ", " + doubleToString (p.y, precision);
}

std::string UIAttributes::rectToString (const CRect& r, uint32_t precision)
{
	return doubleToString (r.left, precision) + ", " + doubleToString (r.top, precision) + ", " +
	       doubleToString (r.right, precision) + ", " + doubleToString (r.bottom, precision);
}

std::string UIAttributes::boolToString (bool value)
{
	return value ? "true" : "false";
}

bool UIAttributes::stringToDouble (const std::string& text, double& value)
{
	double result = 0.;
	if (!parseNumber (text, result) || !std::isfinite (result))
		return false;
	value = result;
	return true;
}

bool UIAttributes::stringToInteger (const std::string& text, int32_t& value)
{
	return parseNumber (text, value);
}

bool UIAttributes::stringToBool (const std::string& text)
{
	return text == "true";
}

bool UIAttributes::stringToPoint (const std::string& text, CPoint& p)
{
	double v[2];
	if (!numbersFromText (text, v, 2))
		return false;
	p.x = v[0];
	p.y = v[1];
	return true;
}

bool UIAttributes::stringToRect (const std::string& text, CRect& r)
{
	double v[4];
	if (!numbersFromText (text, v, 4))
		return false;
	r.left = v[0];
	r.top = v[1];
	r.right = v[2];
	r.bottom = v[3];
	return true;
}

} // namespace VSTGUI
