#include "MTools/Math.h"

#include <cmath>
#include <limits>
#include <vector>

namespace MTools {

namespace {

float epsilonValue = 1e-10f;
int instanceCount = 0;
float sineTable[360];
float cosineTable[360];

const long double pi = 3.141592653589793238462643383279502884L;
const long double ln2 = 0.693147180559945309417232121458176568L;
const long double e = 2.718281828459045235360287471352662498L;
const long double notANumber = std::numeric_limits<long double>::quiet_NaN();
const long double infinity = std::numeric_limits<long double>::infinity();
// Beyond this the long double factorial overflows.
const int largestFactorial = 1754;
const int seriesTermCap = 100000;
const int newtonStepCap = 2000;

// Sums first + the terms that next(k, previous) forms for k = 1, 2, ... until the magnitude of the
// single-precision sum changes by no more than ε.
template<typename NextTerm>
long double seriesSum(long double first, NextTerm next)
{
    float sum = float(first);
    long double term = first;
    for (int k = 1; k <= seriesTermCap; ++k) {
        term = next(k, term);
        const float grown = sum + float(term);
        const bool settled = std::fabs(std::fabs(grown) - std::fabs(sum)) <= epsilonValue;
        sum = grown;
        if (settled || !std::isfinite(sum))
            break;
    }
    return sum;
}

// x moved by whole turns into [-π, π].
long double reducedAngle(long double x)
{
    long double r = std::fmod(x, 2 * pi);
    if (r > pi)
        r -= 2 * pi;
    else if (r < -pi)
        r += 2 * pi;
    return r;
}

long double sineSeries(long double x)
{
    const long double square = x * x;
    return seriesSum(x, [square](int k, long double previous) { return -previous * square / ((2 * k) * (2 * k + 1)); });
}

long double cosineSeries(long double x)
{
    const long double square = x * x;
    return seriesSum(1.0L, [square](int k, long double previous) { return -previous * square / ((2 * k - 1) * (2 * k)); });
}

// x - x³/3 + x⁵/5 - …, for |x| ≤ 1/2 where it converges quickly.
long double arctanSeries(long double x)
{
    const long double square = x * x;
    long double power = x;
    return seriesSum(x, [&power, square](int k, long double) {
        power *= -square;
        return power / (2 * k + 1);
    });
}

long double arctanOf(long double x)
{
    if (std::isnan(x))
        return notANumber;
    const long double magnitude = std::fabs(x);
    const long double sign = x < 0 ? -1.0L : 1.0L;
    if (magnitude == 1)
        return sign * pi / 4;
    if (magnitude > 1)
        return sign * pi / 2 - arctanOf(1 / x);
    // Halving the angle keeps the series away from |x| = 1, where it barely converges.
    if (magnitude > 0.5L)
        return 2 * arctanOf(x / (1 + std::sqrt(1 + x * x)));
    return arctanSeries(x);
}

long double wholePower(long double base, long long exponent)
{
    long double result = 1;
    while (exponent > 0) {
        if (exponent & 1)
            result *= base;
        base *= base;
        exponent >>= 1;
    }
    return result;
}

long double exponentialOf(long double x)
{
    if (std::isnan(x))
        return notANumber;
    if (x > 11357)
        return infinity;
    if (x < -11400)
        return 0;
    // e^x = e^whole · e^fraction, so the series only ever sees |x| < 1.
    const long double whole = std::trunc(x);
    const long double fraction = x - whole;
    const long double fractionPart =
        seriesSum(1.0L, [fraction](int k, long double previous) { return previous * fraction / k; });
    const long double wholePart = wholePower(e, (long long)std::fabs(whole));
    return whole < 0 ? fractionPart / wholePart : fractionPart * wholePart;
}

long double logarithmOf(long double x)
{
    if (std::isnan(x) || x < 0)
        return notANumber;
    if (x == 0)
        return -infinity;
    if (std::isinf(x))
        return infinity;
    // x = m · 2^k with m in [0.75, 1.5), where the series in m - 1 converges quickly.
    int exponent = 0;
    long double mantissa = std::frexp(x, &exponent);
    if (mantissa < 0.75L) {
        mantissa *= 2;
        --exponent;
    }
    const long double u = mantissa - 1;
    long double power = u;
    const long double series = seriesSum(u, [&power, u](int k, long double) {
        power *= -u;
        return power / (k + 1);
    });
    return series + exponent * ln2;
}

// Angle index of a whole degree, any sign.
int wrappedDegree(int degrees)
{
    const int rest = degrees % 360;
    return rest < 0 ? rest + 360 : rest;
}

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

// In-place radix-2 transform with the exponent sign given; twiddles by rotation per stage.
void radix2(int n, float *re, float *im, bool positiveExponent)
{
    for (int i = 1, j = 0; i < n; ++i) {
        int bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    // The twiddles of a stage come from repeated rotation and are laid out first, so that the
    // butterflies then run through the arrays in order.
    std::vector<float> twiddleRe(size_t(n / 2));
    std::vector<float> twiddleIm(size_t(n / 2));
    for (int half = 1; half < n; half *= 2) {
        const float angle = float(pi / half);
        const double stepRe = double(Math::cosine(angle));
        const double stepIm = positiveExponent ? double(Math::sine(angle)) : -double(Math::sine(angle));
        double wRe = 1;
        double wIm = 0;
        for (int m = 0; m < half; ++m) {
            twiddleRe[size_t(m)] = float(wRe);
            twiddleIm[size_t(m)] = float(wIm);
            const double nextRe = wRe * stepRe - wIm * stepIm;
            wIm = wRe * stepIm + wIm * stepRe;
            wRe = nextRe;
        }
        for (int start = 0; start < n; start += 2 * half) {
            float *const lowRe = re + start;
            float *const lowIm = im + start;
            float *const highRe = lowRe + half;
            float *const highIm = lowIm + half;
            for (int m = 0; m < half; ++m) {
                const float cr = twiddleRe[size_t(m)];
                const float ci = twiddleIm[size_t(m)];
                const float tr = cr * highRe[m] - ci * highIm[m];
                const float ti = cr * highIm[m] + ci * highRe[m];
                highRe[m] = lowRe[m] - tr;
                highIm[m] = lowIm[m] - ti;
                lowRe[m] += tr;
                lowIm[m] += ti;
            }
        }
    }
}

} // namespace

// Built here so that every program using Math links it and has its tables before main.
static Math startUpMath(1e-10f);

Math::Math(const float &epsilon)
{
    if (instanceCount == 0) {
        epsilonValue = epsilon;
        for (int i = 359; i >= 0; --i) {
            const float angle = float(i) * 3.1415927f / 180.0f;
            sineTable[i] = float(sine(angle));
            cosineTable[i] = float(cosine(angle));
        }
    }
    ++instanceCount;
}

Math::~Math() = default;

void Math::setEpsilon(const float &epsilon)
{
    epsilonValue = epsilon;
}

float Math::epsilon()
{
    return epsilonValue;
}

long double Math::arctan(const float &x)
{
    return arctanOf(x);
}

long double Math::arccos(const float &x)
{
    if (std::isnan(x) || x > 1 || x < -1)
        return notANumber;
    return pi / 2 - arctanOf(x / squareRoot(1 - x * x));
}

long double Math::arctanPlusHalfPi(const float &x)
{
    return arctanOf(x) + pi / 2;
}

long double Math::logarithm(const float &x)
{
    return logarithmOf(x);
}

long double Math::power(const float &x, const int &n)
{
    return n <= 0 ? 1.0L : wholePower(x, n);
}

long double Math::absolute(const float &x)
{
    return std::fabs(x);
}

long double Math::maximum(const float &a, const float &b)
{
    return a > b ? a : b;
}

long double Math::minimum(const float &a, const float &b)
{
    return b > a ? a : b;
}

long double Math::factorial(const int &n)
{
    if (n < 0)
        return notANumber;
    if (n > largestFactorial)
        return infinity;
    long double result = 1;
    for (int k = 2; k <= n; ++k)
        result *= k;
    return result;
}

long double Math::factorialReal(const float &x)
{
    if (std::isnan(x) || x < 0 || x != std::trunc(x))
        return notANumber;
    if (x > largestFactorial)
        return infinity;
    return factorial(int(x));
}

long double Math::cosine(const float &x)
{
    if (!std::isfinite(x))
        return notANumber;
    return cosineSeries(reducedAngle(x));
}

long double Math::sine(const float &x)
{
    if (!std::isfinite(x))
        return notANumber;
    return sineSeries(reducedAngle(x));
}

long double Math::exponential(const float &x)
{
    return exponentialOf(x);
}

long double Math::squareRoot(const float &x)
{
    if (epsilonValue >= 1)
        return 1;
    if (std::isnan(x) || x < 0)
        return notANumber;
    if (std::isinf(x))
        return infinity;
    long double root = 1;
    for (int step = 0; step < newtonStepCap; ++step) {
        const long double next = (root + x / root) / 2;
        const bool settled = std::fabs(next - root) <= epsilonValue;
        root = next;
        if (settled)
            break;
    }
    return root;
}

long double Math::secant(const float &x)
{
    return 1 / cosine(x);
}

long double Math::binomialPower(const float &x, const float &a)
{
    if (std::isnan(x) || std::isnan(a) || x < 0)
        return notANumber;
    if (x == 0)
        return a > 0 ? 0.0L : (a == 0 ? 1.0L : infinity);
    if (x >= 2)
        return exponentialOf(a * logarithmOf(x));
    // (1 + u)^a = Σ C(a, k) u^k, converging for |u| < 1.
    const long double u = x - 1.0L;
    const long double exponent = a;
    return seriesSum(1.0L, [u, exponent](int k, long double previous) { return previous * (exponent - k + 1) / k * u; });
}

float &Math::cosTableEntry(const int &degrees)
{
    return cosineTable[wrappedDegree(degrees)];
}

float &Math::sinTableEntry(const int &degrees)
{
    return sineTable[wrappedDegree(degrees)];
}

long double Math::tanDegrees(const int &degrees)
{
    const int d = wrappedDegree(degrees);
    return (long double)sineTable[d] / cosineTable[d];
}

long double Math::degreesToRadians(const int &degrees)
{
    return degrees * 3.1415927f / 180.0L;
}

long double Math::integrate(const float &a, const float &b, float (*f)(float))
{
    const float step = (b - a) / 50;
    float sum = 0;
    float t = a;
    // At most 50 rectangles, even where t + step rounds back to t.
    for (int rectangle = 0; rectangle < 50; ++rectangle) {
        const float end = t + step;
        if (!(end < b))
            break;
        sum += f(t) * step;
        t = end;
    }
    return sum;
}

long double Math::truncate(const float &x)
{
    return std::trunc(x);
}

void Math::fft(const int &n, float *re, float *im)
{
    if (!isPowerOfTwo(n))
        return;
    radix2(n, re, im, true);
}

void Math::inverseFft(const int &n, float *re, float *im)
{
    if (!isPowerOfTwo(n))
        return;
    radix2(n, re, im, false);
    const float scale = 1.0f / float(n);
    for (int i = 0; i < n; ++i) {
        re[i] *= scale;
        im[i] *= scale;
    }
}

} // namespace MTools
