// The linear and exponential range parameters: construction, value texts,
// text to value and the maps.
#include "controller/qbrangeparameter.h"
#include "testhost.h"

#include "pluginterfaces/base/ustring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

using LumivoTest::narrow;

namespace {


std::string textOf (const Parameter& parameter, ParamValue normalized)
{
	String128 buffer;
	buffer[0] = 'x';
	parameter.toString (normalized, buffer);
	return narrow (buffer);
}

// Normalised value whose linear plain value is `plain`.
ParamValue normalizedFor (double plain, double min, double max)
{
	return (plain - min) / (max - min);
}

IPtr<QBRangeParameter> makeLevel ()
{
	return owned (new QBRangeParameter (STR16 ("Level"), 0, STR16 ("dB"),
	                                    ParameterInfo::kCanAutomate, -36.0, 12.0, 0.0));
}

} // namespace

TEST (QBRangeParameter, ConstructionFillsInfoFromArguments)
{
	auto level = makeLevel ();
	const ParameterInfo& info = level->getInfo ();
	EXPECT_EQ (narrow (info.title), "Level");
	EXPECT_EQ (narrow (info.units), "dB");
	EXPECT_EQ (narrow (info.shortTitle), "");
	EXPECT_EQ (info.id, 0u);
	EXPECT_EQ (info.flags, ParameterInfo::kCanAutomate);
	EXPECT_EQ (info.stepCount, 0);
	EXPECT_EQ (info.unitId, kRootUnitId);
	EXPECT_DOUBLE_EQ (info.defaultNormalizedValue, 0.75);
	EXPECT_DOUBLE_EQ (level->getNormalized (), 0.75);
	EXPECT_EQ (level->getPrecision (), 4);
	EXPECT_DOUBLE_EQ (level->getMin (), -36.0);
	EXPECT_DOUBLE_EQ (level->getMax (), 12.0);

	// Title cut at 127 units plus the terminator; null units stay empty; a
	// default outside the range is kept unclamped.
	std::u16string longTitle (200, u'T');
	longTitle[126] = u'E';
	auto other = owned (new QBRangeParameter (reinterpret_cast<const TChar*> (longTitle.c_str ()),
	                                          7, nullptr, 0, 0.0, 10.0, 20.0));
	const ParameterInfo& otherInfo = other->getInfo ();
	EXPECT_EQ (otherInfo.title[126], u'E');
	EXPECT_EQ (otherInfo.title[127], 0);
	EXPECT_EQ (narrow (otherInfo.units), "");
	EXPECT_EQ (otherInfo.id, 7u);
	EXPECT_DOUBLE_EQ (otherInfo.defaultNormalizedValue, 2.0);
}

TEST (QBRangeParameter, ValueTextsFollowPrecisionAndSnapNearZero)
{
	auto level = makeLevel ();
	EXPECT_EQ (textOf (*level, 0.75), "0.0000");
	level->setPrecision (2);
	EXPECT_EQ (textOf (*level, 0.75), "0.00");
	EXPECT_EQ (textOf (*level, 0.0), "-36.00");
	EXPECT_EQ (textOf (*level, 1.0), "12.00");
	EXPECT_EQ (textOf (*level, normalizedFor (-0.00004, -36.0, 12.0)), "0.00");
	EXPECT_EQ (textOf (*level, normalizedFor (-0.001, -36.0, 12.0)), "-0.00");
	EXPECT_EQ (textOf (*level, normalizedFor (0.00004, -36.0, 12.0)), "0.00");
	level->setPrecision (4);
	EXPECT_EQ (textOf (*level, normalizedFor (-0.00004, -36.0, 12.0)), "0.0000");
	EXPECT_EQ (textOf (*level, normalizedFor (-0.0001, -36.0, 12.0)), "-0.0001");

	auto depth = owned (new QBRangeParameter (STR16 ("Depth"), 1, STR16 ("%"),
	                                          ParameterInfo::kCanAutomate, 0.0, 100.0, 90.0));
	depth->setPrecision (0);
	EXPECT_EQ (textOf (*depth, 0.9), "90");
	EXPECT_EQ (textOf (*depth, 0.0), "0");

	// A text longer than the buffer is a printing failure: empty, and nothing
	// written past the 128 units (the sanitizer run checks the latter).
	EXPECT_EQ (textOf (*depth, 1e300), "");
	EXPECT_EQ (textOf (*depth, std::numeric_limits<double>::infinity ()), "inf");
	const std::string nan = textOf (*depth, std::numeric_limits<double>::quiet_NaN ());
	EXPECT_NE (nan.find ("nan"), std::string::npos);
}

TEST (QBRangeParameter, TextToValueClampsToRange)
{
	auto rate = owned (new QBRangeParameter (STR16 ("Rate"), 3, STR16 ("Hz"),
	                                         ParameterInfo::kCanAutomate, 0.0, 6.0, 3.0));
	ParamValue value = -1.0;
	EXPECT_TRUE (rate->fromString (STR16 ("3"), value));
	EXPECT_DOUBLE_EQ (value, 0.5);
	EXPECT_TRUE (rate->fromString (STR16 ("9"), value));
	EXPECT_DOUBLE_EQ (value, 1.0);
	EXPECT_TRUE (rate->fromString (STR16 ("-2.5"), value));
	EXPECT_DOUBLE_EQ (value, 0.0);
	EXPECT_TRUE (rate->fromString (STR16 ("1.5"), value));
	EXPECT_DOUBLE_EQ (value, 0.25);
	value = 0.3;
	EXPECT_FALSE (rate->fromString (STR16 ("fast"), value));
	// Converting never sets the parameter.
	EXPECT_DOUBLE_EQ (rate->getNormalized (), 0.5);
}

TEST (QBExpRangeParameter, ExponentialMapsTextsAndNoSnapping)
{
	auto freq = owned (new QBExpRangeParameter (STR16 ("Freq"), 9, STR16 ("Hz"),
	                                            ParameterInfo::kCanAutomate, 1.0, 100.0, 10.0));
	EXPECT_NEAR (freq->toPlain (0.5), 10.0, 1e-12);
	EXPECT_NEAR (freq->toNormalized (10.0), 0.5, 1e-12);
	EXPECT_NEAR (freq->toPlain (0.0), 1.0, 1e-12);
	EXPECT_NEAR (freq->toPlain (1.0), 100.0, 1e-12);
	EXPECT_NEAR (freq->toPlain (0.25), std::sqrt (10.0), 1e-12);
	// The default goes through the exponential map, not the linear one.
	EXPECT_NEAR (freq->getInfo ().defaultNormalizedValue, 0.5, 1e-12);
	EXPECT_NEAR (freq->getNormalized (), 0.5, 1e-12);
	EXPECT_EQ (freq->getInfo ().stepCount, 0);
	// Neither map clamps.
	EXPECT_NEAR (freq->toPlain (1.5), 1000.0, 1e-9);
	EXPECT_NEAR (freq->toNormalized (0.1), -0.5, 1e-12);

	freq->setPrecision (2);
	EXPECT_EQ (textOf (*freq, 0.5), "10.00");
	ParamValue value = 0.0;
	EXPECT_TRUE (freq->fromString (STR16 ("10"), value));
	EXPECT_NEAR (value, 0.5, 1e-12);
	EXPECT_TRUE (freq->fromString (STR16 ("1000"), value));
	EXPECT_NEAR (value, 1.0, 1e-12);

	auto tiny = owned (new QBExpRangeParameter (STR16 ("Tiny"), 10, nullptr, 0, 1e-6, 1.0, 1e-6));
	tiny->setPrecision (6);
	EXPECT_EQ (textOf (*tiny, 0.0), "0.000001");
}

TEST (QBRangeParameter, NearlyEqualComparison)
{
	EXPECT_TRUE (isNearlyEqual (1.0, 1.0));
	EXPECT_TRUE (isNearlyEqual (1.0, 1.0 + 4e-5));
	EXPECT_TRUE (isNearlyEqual (1.0 + 4e-5, 1.0));
	EXPECT_FALSE (isNearlyEqual (1.0, 1.0 + 6e-5));
	EXPECT_FALSE (isNearlyEqual (0.0, 5e-5));
	EXPECT_TRUE (isNearlyEqual (std::nan (""), 0.0));
	const double inf = std::numeric_limits<double>::infinity ();
	EXPECT_TRUE (isNearlyEqual (inf, inf));
	EXPECT_FALSE (isNearlyEqual (inf, 0.0));
}
