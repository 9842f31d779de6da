// Tests of the DSP helper header: listed values, filter gains evaluated from
// the designed coefficients, the mixing transforms against their definition,
// the delay tables through their selectors and the saturating integer helpers.
#include "processor/dsputils.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <cmath>
#include <complex>
#include <limits>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst::DspUtils;

const double kInvSqrt2 = 1.0 / std::sqrt (2.0);
const double kPi = 3.14159265358979323846;
constexpr double kScale8 = 0.353553374962831;

// |H(e^jw)| of y[n] = b * (x[n] + sign * x[n-1]) + a * y[n-1]; sign 0 leaves out the zero.
double gainAt (double b, double a, double sign, double w)
{
	const std::complex<double> zInv = std::polar (1.0, -w);
	return std::abs (b * (1.0 + sign * zInv) / (1.0 - a * zInv));
}

double radians (double freqHz, double sampleRate)
{
	return 2.0 * kPi * freqHz / sampleRate;
}

std::array<double, 16> select16 (int32 set)
{
	std::array<double, 16> d {};
	delayLengths16 (set, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10], d[11],
	                d[12], d[13], d[14], d[15]);
	return d;
}

std::array<double, 8> select8 (int32 set)
{
	std::array<double, 8> d {};
	delayLengths8 (set, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
	return d;
}

std::array<double, 16> select16Paired (int32 set)
{
	std::array<double, 16> d {};
	delayLengths16Paired (set, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10],
	                      d[11], d[12], d[13], d[14], d[15]);
	return d;
}

void apply16 (std::array<double, 16>& x)
{
	hadamard16 (x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9], x[10], x[11], x[12],
	            x[13], x[14], x[15]);
}

void apply8 (std::array<double, 8>& x)
{
	hadamard8 (x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7]);
}

// The transform by its definition: s * sum over j of (-1)^popcount(i & j) * x[j].
template <size_t N>
std::array<double, N> hadamardByDefinition (const std::array<double, N>& x, double s)
{
	std::array<double, N> y {};
	for (size_t i = 0; i < N; ++i)
	{
		double sum = 0.0;
		for (size_t j = 0; j < N; ++j)
			sum += (__builtin_popcount (static_cast<unsigned> (i & j)) % 2 ? -x[j] : x[j]);
		y[i] = s * sum;
	}
	return y;
}

TEST (DspUtils, RangeMapsAndDecibels)
{
	for (auto [x, y] : {std::pair {0.5, -12.0}, {0.0, -36.0}, {1.0, 12.0}})
		EXPECT_DOUBLE_EQ (mapLinear (x, 0.0, 1.0, -36.0, 12.0), y);
	EXPECT_DOUBLE_EQ (mapLinear (15.0, 10.0, 20.0, 1.0, -1.0), 0.0);

	const double mid = expToPlain (0.5, 20.0, 20000.0);
	EXPECT_NEAR (mid, 632.455532, 1e-6);
	EXPECT_NEAR (mid, std::sqrt (20.0 * 20000.0), 1e-9);
	EXPECT_NEAR (expToNormalized (mid, 20.0, 20000.0), 0.5, 1e-12);
	EXPECT_NEAR (expToPlain (0.0, 20.0, 20000.0), 20.0, 1e-12);
	EXPECT_NEAR (expToPlain (1.0, 20.0, 20000.0), 20000.0, 1e-9);
	EXPECT_NEAR (expToPlain (0.25, 0.1, 10.0), std::pow (10.0, -0.5), 1e-12);
	for (double n : {0.0, 0.1, 0.37, 0.8, 1.0})
		EXPECT_NEAR (expToNormalized (expToPlain (n, 0.5, 40.0), 0.5, 40.0), n, 1e-12) << n;

	EXPECT_EQ (dbToGain (0.0), 1.0);
	EXPECT_NEAR (dbToGain (20.0), 10.0, 1e-12);
	EXPECT_NEAR (dbToGain (-6.0), 0.501187, 1e-6);
	EXPECT_NEAR (dbToGain (-60.0), 0.001, 1e-15);
}

TEST (DspUtils, OnePoleDesignsHaveTheirGains)
{
	const double cases[][2] = {{1000.0, 44100.0}, {100.0, 48000.0}, {5000.0, 96000.0},
	                           {10000.0, 44100.0}, {20.0, 22050.0}};
	for (const auto& c : cases)
	{
		const double freq = c[0];
		const double rate = c[1];
		SCOPED_TRACE (testing::Message () << freq << " Hz at " << rate);
		const double wc = radians (freq, rate);

		double lb = 0.0, la = 0.0, hb = 0.0, ha = 0.0, ib = 0.0, ia = 0.0;
		onePoleLowpassCoeffs (lb, la, freq, rate);
		onePoleHighpassCoeffs (hb, ha, freq, rate);
		leakyIntegratorCoeffs (ib, ia, freq, rate);

		EXPECT_EQ (la, ha);
		EXPECT_DOUBLE_EQ (lb + hb, 1.0);
		EXPECT_GT (la, -1.0);
		EXPECT_LT (la, 1.0);

		EXPECT_NEAR (gainAt (lb, la, 1.0, 0.0), 1.0, 1e-12);
		EXPECT_NEAR (gainAt (lb, la, 1.0, wc), kInvSqrt2, 1e-12);
		EXPECT_NEAR (gainAt (lb, la, 1.0, kPi), 0.0, 1e-12);

		EXPECT_NEAR (gainAt (hb, ha, -1.0, 0.0), 0.0, 1e-12);
		EXPECT_NEAR (gainAt (hb, ha, -1.0, wc), kInvSqrt2, 1e-12);
		EXPECT_NEAR (gainAt (hb, ha, -1.0, kPi), 1.0, 1e-12);

		EXPECT_GT (ia, 0.0);
		EXPECT_LT (ia, 1.0);
		EXPECT_DOUBLE_EQ (ib + ia, 1.0);
		EXPECT_NEAR (gainAt (ib, ia, 0.0, 0.0), 1.0, 1e-12);
		EXPECT_NEAR (gainAt (ib, ia, 0.0, wc), kInvSqrt2, 1e-12);
		EXPECT_LT (gainAt (ib, ia, 0.0, kPi), kInvSqrt2);
	}
}

TEST (DspUtils, SmoothingSettlesInItsTime)
{
	double b = 0.0, a = 0.0;
	smoothingCoeffs (b, a, 5.0, 44100.0);
	EXPECT_NEAR (a, 0.990072, 1e-6);
	EXPECT_NEAR (b, 0.009927, 1e-6);
	EXPECT_DOUBLE_EQ (a + b, 1.0);
	EXPECT_NEAR (gainAt (b, a, 0.0, 0.0), 1.0, 1e-12);

	// 10 ms at 48 kHz is 480 steps; a unit step leaves e^-2.2 to go.
	smoothingCoeffs (b, a, 10.0, 48000.0);
	double y = 0.0;
	for (int n = 0; n < 480; ++n)
		y = b * 1.0 + a * y;
	EXPECT_NEAR (1.0 - y, std::exp (-2.2), 1e-9);
	EXPECT_NEAR (1.0 - y, 0.1108, 1e-4);
}

TEST (DspUtils, DecayFilterFallsBySixtyDecibelsInEachTime)
{
	// decayTimeLow, decayTimeHigh, delayLength, all in one unit.
	const double cases[][3] = {
	    {2000.0, 500.0, 40.0}, {1000.0, 1000.0, 30.0}, {300.0, 3000.0, 50.0}, {4.0, 1.5, 0.0375}};
	for (const auto& c : cases)
	{
		const double low = c[0], high = c[1], length = c[2];
		SCOPED_TRACE (testing::Message () << low << " / " << high << " / " << length);
		double b = 0.0, a = 0.0;
		decayFilterCoeffs (b, a, low, high, length);
		const double dcGain = std::pow (10.0, -3.0 * length / low);
		const double nyquistGain = std::pow (10.0, -3.0 * length / high);
		EXPECT_NEAR (gainAt (b, a, 0.0, 0.0), dcGain, 1e-12);
		EXPECT_NEAR (gainAt (b, a, 0.0, kPi), nyquistGain, 1e-12);
		EXPECT_LT (std::abs (a), 1.0);
		// Round trips through delay and filter in decayTimeLow: -60 dB at DC.
		EXPECT_NEAR (std::pow (gainAt (b, a, 0.0, 0.0), low / length), 0.001, 1e-12);
		EXPECT_NEAR (std::pow (gainAt (b, a, 0.0, kPi), high / length), 0.001, 1e-12);
	}
	double b = 0.0, a = 0.0;
	decayFilterCoeffs (b, a, 1000.0, 1000.0, 30.0);
	EXPECT_NEAR (a, 0.0, 1e-15);
}

// A unit impulse at line k, transformed.
template <size_t N>
std::array<double, N> ofImpulse (void (*apply) (std::array<double, N>&), size_t k)
{
	std::array<double, N> x {};
	x[k] = 1.0;
	apply (x);
	return x;
}

// Transforms the input, expects the definition's result and returns it.
template <size_t N>
std::array<double, N> expectDefinition (void (*apply) (std::array<double, N>&),
                                        const std::array<double, N>& in, double scale)
{
	std::array<double, N> x = in;
	apply (x);
	const auto expected = hadamardByDefinition (in, scale);
	for (size_t i = 0; i < N; ++i)
		EXPECT_NEAR (x[i], expected[i], 1e-12) << N << " line " << i;
	return x;
}

TEST (DspUtils, HadamardTransforms)
{
	for (double v : ofImpulse<16> (apply16, 0))
		EXPECT_EQ (v, 0.25);
	for (double v : ofImpulse<8> (apply8, 0))
		EXPECT_EQ (v, kScale8);
	const auto odd = ofImpulse<8> (apply8, 1);
	for (size_t i = 0; i < odd.size (); ++i)
		EXPECT_EQ (odd[i], i % 2 == 0 ? kScale8 : -kScale8) << i;

	std::array<double, 16> in16 {};
	for (size_t i = 0; i < in16.size (); ++i)
		in16[i] = std::sin (1.7 * static_cast<double> (i) + 0.3) * (1.0 + static_cast<double> (i));
	auto x16 = expectDefinition<16> (apply16, in16, 0.25);
	apply16 (x16);
	for (size_t i = 0; i < x16.size (); ++i)
		EXPECT_NEAR (x16[i], in16[i], 1e-12) << i;

	std::array<double, 8> in8 {};
	for (size_t i = 0; i < in8.size (); ++i)
		in8[i] = std::cos (2.3 * static_cast<double> (i) - 0.4) * (2.0 + static_cast<double> (i));
	auto x8 = expectDefinition<8> (apply8, in8, kScale8);
	// Twice: 0.99999991 of the input, measurably short of unity.
	apply8 (x8);
	for (size_t i = 0; i < x8.size (); ++i)
	{
		EXPECT_NEAR (x8[i], 0.99999991 * in8[i], 2e-9 * std::abs (in8[i])) << i;
		EXPECT_LT (x8[i] / in8[i], 1.0 - 5e-8) << i;
	}

	// All values are read before any is written: x7 aliasing x0 still mixes
	// the input [1, 1, 0, 0, 0, 0, 0, 1], and the last write (x7) wins.
	double a = 1.0, b = 1.0, c = 0.0, d = 0.0, e = 0.0, f = 0.0, g = 0.0;
	hadamard8 (a, b, c, d, e, f, g, a);
	EXPECT_EQ (a, -kScale8);
	EXPECT_EQ (b, -kScale8);
	EXPECT_EQ (c, kScale8);
	EXPECT_EQ (d, kScale8);
}

TEST (DspUtils, DelayLengthTablesAndSelectors)
{
	const std::array<double, 16> set1 = {32.13723,  26.357152, 23.120309, 20.379699,
	                                     18.768045, 17.380903, 15.288217, 13.719974,
	                                     13.194842, 12.193195, 11.449247, 11.798912,
	                                     10.877801, 10.785245, 10.586653, 10.055123};
	const std::array<double, 16> primes = {53, 47, 43, 41, 37, 31, 29, 23, 19, 17, 13, 11, 7, 5, 3, 2};

	for (int32 set : {1, 0, 5, -1, std::numeric_limits<int32>::min ()})
		EXPECT_EQ (select16 (set), set1) << set;
	EXPECT_EQ (select16 (4), primes);
	EXPECT_EQ (select16 (3)[15], 9.037556);
	EXPECT_EQ (select16 (2)[6], 15.0809);

	// Every set falls line by line, except set 1 at lines 10 and 11.
	for (int32 set = 1; set <= 4; ++set)
	{
		const auto d = select16 (set);
		for (size_t k = 1; k < d.size (); ++k)
		{
			if (set == 1 && k == 11)
				EXPECT_GT (d[k], d[k - 1]);
			else
				EXPECT_LT (d[k], d[k - 1]) << "set " << set << " line " << k;
		}
	}

	// The 8-line table: sets 1 to 3 are the first eight lines of the 16-line ones.
	for (int32 set = 1; set <= 3; ++set)
	{
		const auto d8 = select8 (set);
		const auto d16 = select16 (set);
		for (size_t k = 0; k < d8.size (); ++k)
			EXPECT_EQ (d8[k], d16[k]) << "set " << set << " line " << k;
	}
	const std::array<double, 8> eight4 = {40.36, 33.101, 17.23, 15.313, 12.463, 10.643, 10.439, 9.681};
	EXPECT_EQ (select8 (4), eight4);
	for (int32 set : {0, 5, -7})
		EXPECT_EQ (select8 (set), select8 (1)) << set;

	// The paired table: two banks of the same eight lines.
	for (int32 set = 1; set <= 4; ++set)
	{
		const auto p = select16Paired (set);
		const auto d16 = select16 (set);
		for (size_t k = 0; k < 8; ++k)
		{
			EXPECT_EQ (p[k + 8], p[k]) << "set " << set << " line " << k;
			EXPECT_EQ (p[k], set == 4 ? d16[k + 3] : d16[k]) << "set " << set << " line " << k;
		}
	}
	const auto p5 = select16Paired (5);
	const auto d3 = select16 (3);
	const std::array<double, 8> rounded = {41, 28, 23, 17, 16, 16, 15, 14};
	for (size_t k = 0; k < 8; ++k)
	{
		EXPECT_EQ (p5[k], d3[k]) << k;
		EXPECT_EQ (p5[k + 8], rounded[k]) << k;
		EXPECT_EQ (p5[k + 8], std::round (d3[k])) << k;
	}
	const auto p6 = select16Paired (6);
	EXPECT_EQ (p6[0], 32.13723);
	EXPECT_EQ (p6[8], 32.13723);
	EXPECT_EQ (p6, select16Paired (1));
	EXPECT_EQ (select16Paired (0), select16Paired (1));
}

TEST (DspUtils, IntegerHelpersTruncateAndSaturate)
{
	const int32 maxI = std::numeric_limits<int32>::max ();
	const int32 minI = std::numeric_limits<int32>::min ();
	const double inf = std::numeric_limits<double>::infinity ();
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	// 8.58e6: the scaled value fits, but adding the margin would overflow.
	const std::pair<double, int32> lengths[] = {
	    {4.0, 1001},       {10.0, 2502},         {0.5, 125},          {3.999, 999},
	    {0.0, 0},          {-4.0, -1001},        {8.58e6, 2147145000}, {8.585e6, maxI},
	    {-8.585e6, minI},  {1e10, maxI},         {-1e10, minI},       {inf, maxI},
	    {-inf, minI},      {nan, 0}};
	for (auto [length, expected] : lengths)
		EXPECT_EQ (scaledLengthWithMargin (length), expected) << length;

	const std::pair<double, double> ceilings[] = {
	    {44100.0, 16000.0}, {32000.5, 16000.0}, {32000.0, 15000.0}, {22050.0, 10000.0},
	    {16000.0, 7000.0},  {8000.0, 3000.0},   {3000.0, 1000.0},   {2999.999, 0.0},
	    {inf, 16000.0},     {nan, 0.0},         {-1e7, -5000000.0}, {-1e10, double (minI)},
	    {-1e13, double (minI)}, {-inf, double (minI)}};
	for (auto [rate, expected] : ceilings)
		EXPECT_EQ (frequencyCeiling (rate), expected) << rate;
	for (double rate = 0.0; rate < 3000.0; rate += 0.25)
		ASSERT_EQ (frequencyCeiling (rate), 0.0) << rate;
	// Whole sample rates up to 32 kHz: the largest multiple of 1000 at least
	// 500 below half the rate.
	for (int rate = 1000; rate <= 32000; ++rate)
		ASSERT_EQ (frequencyCeiling (rate), 1000.0 * ((rate - 1000) / 2000)) << rate;
}

} // namespace
