// The program's linear and exponential range parameters.
#include "controller/qbrangeparameter.h"

#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>

namespace Steinberg {
namespace Vst {

namespace {

// Below this magnitude a plain value prints as an exact zero, so that a
// value a rounding error away from zero never reads "-0.00".
constexpr double kZeroSnap = 5e-5;

void copyText (String128 field, const TChar* text)
{
	if (text)
		UString (field, str16BufferSize (String128)).assign (text);
}

void setUp (ParameterInfo& info, const TChar* title, ParamID tag, const TChar* units, int32 flags)
{
	copyText (info.title, title);
	copyText (info.units, units);
	info.flags = flags;
	info.id = tag;
	info.stepCount = 0;
	info.unitId = kRootUnitId;
}

// Prints as "%.*lf" does. The SDK's printFloat writes its terminating zero
// past a 128-unit buffer when the text is longer than the buffer (a huge
// value prints hundreds of digits), so such a text counts as a failure and
// leaves the buffer empty.
void printPlain (double plain, int32 precision, String128 string)
{
	string[0] = 0;
	const int length = std::snprintf (nullptr, 0, "%.*lf", static_cast<int> (precision), plain);
	if (length <= 0 || length >= static_cast<int> (str16BufferSize (String128)))
		return;
	if (!UString (string, str16BufferSize (String128)).printFloat (plain, precision))
		string[0] = 0;
}

} // namespace

bool isNearlyEqual (double a, double b)
{
	return !(std::fabs (a - b) >= kZeroSnap);
}

QBRangeParameter::QBRangeParameter (const TChar* title, ParamID tag, const TChar* units,
                                    int32 flags, ParamValue minPlain, ParamValue maxPlain,
                                    ParamValue defaultValuePlain)
{
	this->minPlain = minPlain;
	this->maxPlain = maxPlain;
	setUp (info, title, tag, units, flags);
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
}

QBRangeParameter::~QBRangeParameter () = default;

void QBRangeParameter::toString (ParamValue valueNormalized, String128 string) const
{
	ParamValue plain = toPlain (valueNormalized);
	if (std::fabs (plain) < kZeroSnap)
		plain = 0.0;
	printPlain (plain, precision, string);
}

QBExpRangeParameter::QBExpRangeParameter (const TChar* title, ParamID tag, const TChar* units,
                                          int32 flags, ParamValue minPlain, ParamValue maxPlain,
                                          ParamValue defaultValuePlain)
{
	this->minPlain = minPlain;
	this->maxPlain = maxPlain;
	setUp (info, title, tag, units, flags);
	// Called here, not in a base constructor, so that the exponential map is used.
	info.defaultNormalizedValue = valueNormalized = toNormalized (defaultValuePlain);
}

QBExpRangeParameter::~QBExpRangeParameter () = default;

void QBExpRangeParameter::toString (ParamValue valueNormalized, String128 string) const
{
	printPlain (toPlain (valueNormalized), precision, string);
}

ParamValue QBExpRangeParameter::toPlain (ParamValue valueNormalized) const
{
	return getMin () * std::exp (valueNormalized * std::log (getMax () / getMin ()));
}

ParamValue QBExpRangeParameter::toNormalized (ParamValue plainValue) const
{
	return std::log (plainValue / getMin ()) / std::log (getMax () / getMin ());
}

} // namespace Vst
} // namespace Steinberg
