// The program's range parameters: a linear one whose value text shows values
// next to zero as an exact zero, and an exponential one.
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Steinberg {
namespace Vst {

// True when a and b differ by less than 5e-5, and when their difference is
// not a number.
bool isNearlyEqual (double a, double b);

// Continuous (step count 0), root unit, no short title; the default is given
// as a plain value and becomes both the default and the current normalised
// value, unclamped.
class QBRangeParameter final : public RangeParameter
{
public:
	QBRangeParameter (const TChar* title, ParamID tag, const TChar* units, int32 flags,
	                  ParamValue minPlain, ParamValue maxPlain, ParamValue defaultValuePlain);
	~QBRangeParameter () override;

	void toString (ParamValue valueNormalized, String128 string) const SMTG_OVERRIDE;

	OBJ_METHODS (QBRangeParameter, RangeParameter)
};

// plain = min * exp (n * ln (max / min)); min, max and every plain value must
// be above 0. Neither map clamps.
class QBExpRangeParameter final : public RangeParameter
{
public:
	QBExpRangeParameter (const TChar* title, ParamID tag, const TChar* units, int32 flags,
	                     ParamValue minPlain, ParamValue maxPlain, ParamValue defaultValuePlain);
	~QBExpRangeParameter () override;

	void toString (ParamValue valueNormalized, String128 string) const SMTG_OVERRIDE;
	ParamValue toPlain (ParamValue valueNormalized) const SMTG_OVERRIDE;
	ParamValue toNormalized (ParamValue plainValue) const SMTG_OVERRIDE;

	OBJ_METHODS (QBExpRangeParameter, RangeParameter)
};

} // namespace Vst
} // namespace Steinberg
