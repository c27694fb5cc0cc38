#pragma once

namespace MTools {

// Elementary functions by power series and Newton iteration to a class-wide tolerance ε, sine and
// cosine tables for whole degrees, and a radix-2 FFT pair. A series adds terms (each formed in
// extended precision, summed in single precision) until the sum's magnitude changes by no more than ε.
// Arguments are reduced into each series' range first; where no real value exists the result is NaN,
// and every iteration has a cap, so no call runs without end.
// The first object built sets ε and the tables; one is built at start-up with ε = 1e-10.
class Math
{
public:
    explicit Math(const float &epsilon);
    virtual ~Math();

    static void setEpsilon(const float &epsilon);
    static float epsilon();

    static long double arctan(const float &x);
    // NaN beyond ±1.
    static long double arccos(const float &x);
    static long double arctanPlusHalfPi(const float &x);
    // Natural logarithm; NaN for a negative x, minus infinity for 0.
    static long double logarithm(const float &x);
    // x multiplied n times; 1 for n ≤ 0.
    static long double power(const float &x, const int &n);
    static long double absolute(const float &x);
    // a when a > b, else b.
    static long double maximum(const float &a, const float &b);
    // a when b > a, else b.
    static long double minimum(const float &a, const float &b);
    // NaN for a negative n.
    static long double factorial(const int &n);
    // NaN for a negative or fractional x.
    static long double factorialReal(const float &x);
    static long double cosine(const float &x);
    static long double sine(const float &x);
    static long double exponential(const float &x);
    // 1 when ε ≥ 1; NaN for a negative x.
    static long double squareRoot(const float &x);
    static long double secant(const float &x);
    // x to the real power a: a binomial series in x - 1 for 0 < x < 2, through logarithm and
    // exponential above; NaN for a negative x.
    static long double binomialPower(const float &x, const float &a);
    // Entries for whole degrees; any degree is taken modulo 360 into 0..359.
    static float &cosTableEntry(const int &degrees);
    static float &sinTableEntry(const int &degrees);
    static long double tanDegrees(const int &degrees);
    static long double degreesToRadians(const int &degrees);
    // Left rectangle sum with 50 steps of (b - a) / 50, the last step ending before b; 0 when b ≤ a + step.
    static long double integrate(const float &a, const float &b, float (*f)(float));
    static long double truncate(const float &x);

    // In place, not scaled: X_k = Σ x_j e^(+2πi·jk/n). n must be a positive power of two, else the
    // arrays are left as they are.
    static void fft(const int &n, float *re, float *im);
    // The same with e^(-2πi·jk/n), every result divided by n.
    static void inverseFft(const int &n, float *re, float *im);
};

} // namespace MTools
