// Free-standing signal-processing helpers for effects of this kind: range
// maps, one-pole coefficient designs, decibel conversion, a delay-line decay
// filter, Walsh-Hadamard mixing, delay-length tables and two integer helpers.
// Every function is pure, allocation-free and safe on the audio thread.
// Coefficient designs write the input coefficient b first and the feedback
// coefficient a second, for y[n] = b * x[n] (+ ...) + a * y[n-1].
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace Steinberg {
namespace Vst {
namespace DspUtils {

//------------------------------------------------------------------------
// Delay-length tables, indexed [line][set - 1]. The values carry no unit;
// the caller scales them. Set 1 of kDelayLengths16 is kept as tuned, not in
// strictly falling order (line 11 is longer than line 10).
inline constexpr int32 kDelayLengths16Sets = 4;
inline constexpr int32 kDelayLengths8Sets = 4;
inline constexpr int32 kDelayLengths16PairedSets = 5;

inline constexpr double kDelayLengths16[16][kDelayLengths16Sets] = {
	{32.13723, 33.106302, 40.503959, 53.0}, // 0
	{26.357152, 27.516927, 27.813877, 47.0}, // 1
	{23.120309, 21.497599, 22.928411, 43.0}, // 2
	{20.379699, 21.161598, 17.383673, 41.0}, // 3
	{18.768045, 18.029872, 16.371867, 37.0}, // 4
	{17.380903, 16.940632, 15.974569, 31.0}, // 5
	{15.288217, 15.0809, 14.741325, 29.0}, // 6
	{13.719974, 14.184423, 13.852415, 23.0}, // 7
	{13.194842, 13.115548, 13.190673, 19.0}, // 8
	{12.193195, 12.704996, 13.153232, 17.0}, // 9
	{11.449247, 11.839463, 12.145967, 13.0}, // 10
	{11.798912, 11.58836, 11.91831, 11.0}, // 11
	{10.877801, 10.937652, 10.859495, 7.0}, // 12
	{10.785245, 10.24246, 10.663036, 5.0}, // 13
	{10.586653, 10.22345, 10.489046, 3.0}, // 14
	{10.055123, 10.012048, 9.037556, 2.0}, // 15
};

// Sets 1 to 3 are lines 0 to 7 of kDelayLengths16.
inline constexpr double kDelayLengths8[8][kDelayLengths8Sets] = {
	{32.13723, 33.106302, 40.503959, 40.36}, // 0
	{26.357152, 27.516927, 27.813877, 33.101}, // 1
	{23.120309, 21.497599, 22.928411, 17.23}, // 2
	{20.379699, 21.161598, 17.383673, 15.313}, // 3
	{18.768045, 18.029872, 16.371867, 12.463}, // 4
	{17.380903, 16.940632, 15.974569, 10.643}, // 5
	{15.288217, 15.0809, 14.741325, 10.439}, // 6
	{13.719974, 14.184423, 13.852415, 9.681}, // 7
};

// Two banks of eight lines. Sets 1 to 4 repeat the first bank; set 5's
// second bank holds set 3 rounded to whole numbers.
inline constexpr double kDelayLengths16Paired[16][kDelayLengths16PairedSets] = {
	{32.13723, 33.106302, 40.503959, 41.0, 40.503959}, // 0
	{26.357152, 27.516927, 27.813877, 37.0, 27.813877}, // 1
	{23.120309, 21.497599, 22.928411, 31.0, 22.928411}, // 2
	{20.379699, 21.161598, 17.383673, 29.0, 17.383673}, // 3
	{18.768045, 18.029872, 16.371867, 23.0, 16.371867}, // 4
	{17.380903, 16.940632, 15.974569, 19.0, 15.974569}, // 5
	{15.288217, 15.0809, 14.741325, 17.0, 14.741325}, // 6
	{13.719974, 14.184423, 13.852415, 13.0, 13.852415}, // 7
	{32.13723, 33.106302, 40.503959, 41.0, 41.0}, // 8
	{26.357152, 27.516927, 27.813877, 37.0, 28.0}, // 9
	{23.120309, 21.497599, 22.928411, 31.0, 23.0}, // 10
	{20.379699, 21.161598, 17.383673, 29.0, 17.0}, // 11
	{18.768045, 18.029872, 16.371867, 23.0, 16.0}, // 12
	{17.380903, 16.940632, 15.974569, 19.0, 16.0}, // 13
	{15.288217, 15.0809, 14.741325, 17.0, 15.0}, // 14
	{13.719974, 14.184423, 13.852415, 13.0, 14.0}, // 15
};

namespace detail {

// Truncation toward zero into int32 that saturates instead of invoking
// undefined behaviour: NaN gives 0, out-of-range values the nearest bound.
constexpr int32 truncToInt32 (double v) noexcept
{
	if (v != v)
		return 0;
	if (v >= 2147483648.0)
		return std::numeric_limits<int32>::max ();
	if (v <= -2147483649.0)
		return std::numeric_limits<int32>::min ();
	return static_cast<int32> (v);
}

constexpr int32 clampToInt32 (int64 v) noexcept
{
	if (v > std::numeric_limits<int32>::max ())
		return std::numeric_limits<int32>::max ();
	if (v < std::numeric_limits<int32>::min ())
		return std::numeric_limits<int32>::min ();
	return static_cast<int32> (v);
}

// Set number (1-based) to column; anything outside 1..numSets selects set 1.
constexpr int32 setColumn (int32 set, int32 numSets) noexcept
{
	return (set >= 1 && set <= numSets) ? set - 1 : 0;
}

} // namespace detail

//------------------------------------------------------------------------
// Range maps
//------------------------------------------------------------------------
constexpr double mapLinear (double x, double inMin, double inMax, double outMin,
                            double outMax) noexcept
{
	return ((x - inMin) * (outMax - outMin)) / (inMax - inMin) + outMin;
}

// min * (max / min)^normalized, formed as a power of two; the constant is log2(10).
inline double expToPlain (double normalized, double min, double max) noexcept
{
	const double q = max / min;
	const double e = (normalized * 3.321928094887362) * std::log10 (q);
	return std::exp2 (e) * min;
}

inline double expToNormalized (double plain, double min, double max) noexcept
{
	const double r = 1.0 / min;
	return std::log10 (plain * r) / std::log10 (max * r);
}

//------------------------------------------------------------------------
// One-pole coefficient designs
//------------------------------------------------------------------------
namespace detail {

// The corner in radians per sample.
inline double cornerRadians (double freqHz, double sampleRate) noexcept
{
	return freqHz * 6.283185307179586 / sampleRate;
}

} // namespace detail

// y[n] = b * (x[n] + x[n-1]) + a * y[n-1]: unity at DC, -3 dB at freqHz, zero at Nyquist.
inline void onePoleLowpassCoeffs (double& b, double& a, double freqHz, double sampleRate) noexcept
{
	const double w = detail::cornerRadians (freqHz, sampleRate);
	const double pole = (1.0 - std::sin (w)) / std::cos (w);
	b = 0.5 - pole * 0.5;
	a = pole;
}

// y[n] = b * x[n] + a * y[n-1]: unity at DC, -3 dB at freqHz.
inline void leakyIntegratorCoeffs (double& b, double& a, double freqHz, double sampleRate) noexcept
{
	const double w = detail::cornerRadians (freqHz, sampleRate);
	const double t = 2.0 - std::cos (w);
	const double d = std::sqrt (t * t - 1.0) - t;
	b = d + 1.0;
	a = -d;
}

// y[n] = b * x[n] + a * y[n-1]: after timeMs the remaining distance to a new
// target is e^-2.2 (about 11 %): 2.2 time constants, the classic 10-90 % rise time.
inline void smoothingCoeffs (double& b, double& a, double timeMs, double sampleRate) noexcept
{
	const double r = std::exp (-2.2 / ((timeMs * 0.001) * sampleRate));
	b = 1.0 - r;
	a = r;
}

// y[n] = b * (x[n] - x[n-1]) + a * y[n-1]: zero at DC, -3 dB at freqHz, unity at Nyquist.
inline void onePoleHighpassCoeffs (double& b, double& a, double freqHz, double sampleRate) noexcept
{
	const double w = detail::cornerRadians (freqHz, sampleRate);
	const double pole = (1.0 - std::sin (w)) / std::cos (w);
	b = pole * 0.5 + 0.5;
	a = pole;
}

//------------------------------------------------------------------------
// Level
//------------------------------------------------------------------------
// 10^(dB / 20) as a power of two; the constant is log2(10) / 20.
inline double dbToGain (double dB) noexcept
{
	return std::exp2 (dB * 0.16609640474436813);
}

//------------------------------------------------------------------------
// Integer helpers
//------------------------------------------------------------------------
// x * 250 plus one per thousand of it, both truncated toward zero. Inputs
// whose result does not fit an int32 saturate to its range; NaN gives 0.
constexpr int32 scaledLengthWithMargin (double x) noexcept
{
	const int32 n = detail::truncToInt32 (x * 250.0);
	const int32 m = detail::truncToInt32 (n * 0.001);
	return detail::clampToInt32 (static_cast<int64> (n) + m);
}

// 16000 above 32 kHz, else the largest multiple of 1000 at least 500 below
// half the sample rate. Results beyond the int32 range saturate; NaN gives 0.
constexpr double frequencyCeiling (double sampleRate) noexcept
{
	if (sampleRate > 32000.0)
		return 16000.0;
	const int32 k = detail::truncToInt32 (sampleRate * 0.0005 - 0.5);
	return static_cast<double> (detail::clampToInt32 (static_cast<int64> (k) * 1000));
}

//------------------------------------------------------------------------
// Decay filter for a delay line (all three times in one unit)
//------------------------------------------------------------------------
// y[n] = b * x[n] + a * y[n-1] with gain g at DC and 10^(-3 delayLength /
// decayTimeHigh) at Nyquist, so a loop through the delay and this filter
// falls by 60 dB in decayTimeLow at low and in decayTimeHigh at high frequencies.
inline void decayFilterCoeffs (double& b, double& a, double decayTimeLow, double decayTimeHigh,
                               double delayLength) noexcept
{
	const double g = std::pow (10.0, (delayLength * -3.0) / decayTimeLow);
	const double h = std::pow (g, 1.0 - decayTimeLow / decayTimeHigh);
	const double k = 2.0 / (h + 1.0);
	b = k * g;
	a = 1.0 - k;
}

//------------------------------------------------------------------------
// Walsh-Hadamard mixing in natural (Sylvester) order, in place. The values
// are taken as separate references so that a caller's own variables are
// mixed; all are read before any is written, so aliased arguments are safe.
//------------------------------------------------------------------------
namespace detail {

template <int N>
constexpr void butterflies (double (&v)[N]) noexcept
{
	for (int dist = 1; dist < N; dist *= 2)
	{
		for (int i = 0; i < N; ++i)
		{
			if ((i & dist) != 0)
				continue;
			const double p = v[i];
			const double q = v[i + dist];
			v[i] = p + q;
			v[i + dist] = p - q;
		}
	}
}

// All values are read into one array before any is written back.
template <int N>
constexpr void mix (double* const (&x)[N], double scale) noexcept
{
	double v[N] = {};
	for (int i = 0; i < N; ++i)
		v[i] = *x[i];
	butterflies (v);
	for (int i = 0; i < N; ++i)
		*x[i] = v[i] * scale;
}

} // namespace detail

// Scale 1/4 makes the 16-point transform its own inverse.
constexpr void hadamard16 (double& x0, double& x1, double& x2, double& x3, double& x4, double& x5,
                           double& x6, double& x7, double& x8, double& x9, double& x10, double& x11,
                           double& x12, double& x13, double& x14, double& x15) noexcept
{
	detail::mix<16> ({&x0, &x1, &x2, &x3, &x4, &x5, &x6, &x7, &x8, &x9, &x10, &x11, &x12, &x13, &x14, &x15}, 0.25);
}

// The scale 0.353553374962831 is deliberately a little below 1/sqrt(8):
// applied twice, the transform returns 0.99999991 times its input.
constexpr void hadamard8 (double& x0, double& x1, double& x2, double& x3, double& x4, double& x5,
                          double& x6, double& x7) noexcept
{
	detail::mix<8> ({&x0, &x1, &x2, &x3, &x4, &x5, &x6, &x7}, 0.353553374962831);
}

//------------------------------------------------------------------------
// Delay-length selectors: output k receives line k of the chosen set; any
// set number outside the table's range selects set 1.
//------------------------------------------------------------------------
namespace detail {

template <int Lines, int Sets>
constexpr void copySet (const double (&table)[Lines][Sets], int32 set, double* const (&d)[Lines]) noexcept
{
	const int32 c = setColumn (set, Sets);
	for (int k = 0; k < Lines; ++k)
		*d[k] = table[k][c];
}

} // namespace detail

constexpr void delayLengths16 (int32 set, double& d0, double& d1, double& d2, double& d3, double& d4,
                               double& d5, double& d6, double& d7, double& d8, double& d9,
                               double& d10, double& d11, double& d12, double& d13, double& d14,
                               double& d15) noexcept
{
	detail::copySet (kDelayLengths16, set, {&d0, &d1, &d2, &d3, &d4, &d5, &d6, &d7, &d8, &d9, &d10, &d11, &d12, &d13, &d14, &d15});
}

constexpr void delayLengths8 (int32 set, double& d0, double& d1, double& d2, double& d3, double& d4,
                              double& d5, double& d6, double& d7) noexcept
{
	detail::copySet (kDelayLengths8, set, {&d0, &d1, &d2, &d3, &d4, &d5, &d6, &d7});
}

constexpr void delayLengths16Paired (int32 set, double& d0, double& d1, double& d2, double& d3,
                                     double& d4, double& d5, double& d6, double& d7, double& d8,
                                     double& d9, double& d10, double& d11, double& d12, double& d13,
                                     double& d14, double& d15) noexcept
{
	detail::copySet (kDelayLengths16Paired, set, {&d0, &d1, &d2, &d3, &d4, &d5, &d6, &d7, &d8, &d9, &d10, &d11, &d12, &d13, &d14, &d15});
}

} // namespace DspUtils
} // namespace Vst
} // namespace Steinberg
