// An owned UTF-8 text.
#pragma once

#include "vstguifwd.h"

#include <string>

namespace VSTGUI {

class UTF8String
{
public:
	UTF8String (UTF8StringPtr str = nullptr) : string (str ? str : "") {}
	UTF8String (const std::string& str) : string (str) {}
	UTF8String (std::string&& str) : string (std::move (str)) {}

	UTF8String& operator= (UTF8StringPtr str)
	{
		string = str ? str : "";
		return *this;
	}
	UTF8String& operator= (const std::string& str)
	{
		string = str;
		return *this;
	}

	bool operator== (const UTF8String& o) const { return string == o.string; }
	bool operator!= (const UTF8String& o) const { return string != o.string; }
	bool operator== (UTF8StringPtr str) const { return string == (str ? str : ""); }
	bool operator!= (UTF8StringPtr str) const { return !(*this == str); }

	UTF8StringPtr data () const { return string.data (); }
	UTF8StringPtr get () const { return string.c_str (); }
	operator UTF8StringPtr () const { return string.c_str (); }
	const std::string& getString () const { return string; }
	std::string& getString () { return string; }
	size_t getByteCount () const { return string.size (); }
	bool empty () const { return string.empty (); }
	void clear () { string.clear (); }

private:
	std::string string;
};

} // namespace VSTGUI
