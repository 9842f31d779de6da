// Text forms of description attributes: numbers, points, rectangles and
// booleans, in the classic locale whatever the process has set.
#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/crect.h"
#include "vstgui/uidescription/uiattributes.h"

#include <gtest/gtest.h>

#include <locale>

using namespace VSTGUI;

namespace {

struct CommaDecimal : std::numpunct<char>
{
	char do_decimal_point () const override { return ','; }
	char do_thousands_sep () const override { return '.'; }
	std::string do_grouping () const override { return "\3"; }
};

} // namespace

TEST (UIAttributesText, NumbersAreWrittenAndReadInTheClassicLocale)
{
	EXPECT_EQ (UIAttributes::doubleToString (2.5, 6), "2.5");
	EXPECT_EQ (UIAttributes::doubleToString (1. / 3., 6), "0.333333");
	EXPECT_EQ (UIAttributes::doubleToString (1234567., 6), "1.23457e+06");
	EXPECT_EQ (UIAttributes::doubleToString (-36.), "-36");
	EXPECT_EQ (UIAttributes::doubleToString (0.5), "0.5");
	EXPECT_EQ (UIAttributes::pointToString (CPoint (1.5, -2.)), "1.5, -2");
	EXPECT_EQ (UIAttributes::rectToString (CRect (1., 2., 3.25, 4.)), "1, 2, 3.25, 4");

	// A host that sets a comma-decimal global locale changes nothing.
	const auto previous = std::locale::global (std::locale (std::locale::classic (), new CommaDecimal));
	EXPECT_EQ (UIAttributes::doubleToString (12345.5, 8), "12345.5");
	double d = 0.;
	EXPECT_TRUE (UIAttributes::stringToDouble ("0.25", d));
	EXPECT_EQ (d, 0.25);
	std::locale::global (previous);
}

TEST (UIAttributesText, OnlyWholeFiniteNumbersRead)
{
	double d = 7.;
	EXPECT_TRUE (UIAttributes::stringToDouble (" 3.25 ", d));
	EXPECT_EQ (d, 3.25);
	EXPECT_TRUE (UIAttributes::stringToDouble ("+2", d));
	EXPECT_EQ (d, 2.);
	EXPECT_TRUE (UIAttributes::stringToDouble ("-1e3", d));
	EXPECT_EQ (d, -1000.);
	d = 7.;
	for (const char* bad : {"", " ", "abc", "3,25", "2x", "1e999", "-1e999", "nan", "inf", "--1", "0x10", "+-5", "++5", "-+5", "+"})
	{
		EXPECT_FALSE (UIAttributes::stringToDouble (bad, d)) << bad;
		EXPECT_EQ (d, 7.) << bad;
	}

	int32_t i = 5;
	EXPECT_TRUE (UIAttributes::stringToInteger ("42", i));
	EXPECT_EQ (i, 42);
	EXPECT_TRUE (UIAttributes::stringToInteger ("-1", i));
	EXPECT_EQ (i, -1);
	EXPECT_TRUE (UIAttributes::stringToInteger ("2147483647", i));
	EXPECT_EQ (i, 2147483647);
	i = 5;
	for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "1.5", "", "3 4", "+-5", "++5", "-+5", "+"})
	{
		EXPECT_FALSE (UIAttributes::stringToInteger (bad, i)) << bad;
		EXPECT_EQ (i, 5) << bad;
	}
}

TEST (UIAttributesText, PointsRectanglesAndBooleans)
{
	CPoint p (9., 9.);
	EXPECT_TRUE (UIAttributes::stringToPoint ("10,20", p));
	EXPECT_EQ (p, CPoint (10., 20.));
	EXPECT_TRUE (UIAttributes::stringToPoint (" -1.5 , 2e1 ", p));
	EXPECT_EQ (p, CPoint (-1.5, 20.));
	for (const char* bad : {"10", "1,2,3", "a,b", "1,", ",", "1e999, 0"})
	{
		EXPECT_FALSE (UIAttributes::stringToPoint (bad, p)) << bad;
		EXPECT_EQ (p, CPoint (-1.5, 20.)) << bad;
	}
	CRect r;
	EXPECT_TRUE (UIAttributes::stringToRect ("1, 2, 3, 4", r));
	EXPECT_EQ (r, CRect (1., 2., 3., 4.));
	EXPECT_FALSE (UIAttributes::stringToRect ("1, 2, 3", r));

	EXPECT_TRUE (UIAttributes::stringToBool ("true"));
	for (const char* no : {"false", "True", "TRUE", "1", "", " true"})
		EXPECT_FALSE (UIAttributes::stringToBool (no)) << no;
}

TEST (UIAttributesText, NamedAttributesKeepTheirTextsAndGettersFailCleanly)
{
	UIAttributes a;
	EXPECT_TRUE (a.empty ());
	a.setAttribute ("size", "30, 40");
	a.setPointAttribute ("origin", CPoint (1., 2.));
	a.setDoubleAttribute ("zoom", 2.5);
	a.setBooleanAttribute ("on", true);
	a.setIntegerAttribute ("tag", -3);
	a.setAttribute ("bad", "x");
	EXPECT_EQ (a.size (), 6u);
	EXPECT_EQ (*a.getAttributeValue ("origin"), "1, 2");

	CPoint p;
	EXPECT_TRUE (a.getPointAttribute ("size", p));
	EXPECT_EQ (p, CPoint (30., 40.));
	double d = 0.;
	EXPECT_TRUE (a.getDoubleAttribute ("zoom", d));
	EXPECT_EQ (d, 2.5);
	bool b = false;
	EXPECT_TRUE (a.getBooleanAttribute ("on", b));
	EXPECT_TRUE (b);
	int32_t i = 0;
	EXPECT_TRUE (a.getIntegerAttribute ("tag", i));
	EXPECT_EQ (i, -3);

	d = 1.;
	EXPECT_FALSE (a.getDoubleAttribute ("bad", d));
	EXPECT_FALSE (a.getDoubleAttribute ("missing", d));
	EXPECT_EQ (d, 1.);
	EXPECT_FALSE (a.getBooleanAttribute ("missing", b));
	EXPECT_EQ (a.getAttributeValue ("missing"), nullptr);

	a.setAttribute ("size", "1, 1");
	EXPECT_EQ (*a.getAttributeValue ("size"), "1, 1");
	a.removeAttribute ("size");
	EXPECT_FALSE (a.hasAttribute ("size"));
}
