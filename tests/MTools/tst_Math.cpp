#include "MTools/Math.h"

#include "PseudoRandomBytes.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <limits>
#include <vector>

using MTools::Math;

namespace {

int calls = 0;

float countedOne(float)
{
    ++calls;
    return 1.0f;
}

float square(float t)
{
    return t * t;
}

// X_k = Σ x_j e^(sign·2πi·jk/n), in double precision.
std::vector<std::complex<double>> directDft(const std::vector<float> &re, const std::vector<float> &im, int sign)
{
    const size_t n = re.size();
    std::vector<std::complex<double>> result(n);
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (size_t j = 0; j < n; ++j) {
            const double angle = sign * 2 * M_PI * double((j * k) % n) / double(n);
            sum += std::complex<double>(re[j], im[j]) * std::polar(1.0, angle);
        }
        result[k] = sum;
    }
    return result;
}

void randomSignal(int n, quint32 seed, std::vector<float> &re, std::vector<float> &im)
{
    const QByteArray bytes = pseudoRandomBytes(2 * n, seed);
    re.resize(size_t(n));
    im.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        re[size_t(i)] = float(qint8(bytes[2 * i])) / 128.0f;
        im[size_t(i)] = float(qint8(bytes[2 * i + 1])) / 128.0f;
    }
}

} // namespace

class tst_Math : public QObject
{
    Q_OBJECT

private slots:
    void functionsAgreeWithTheLibrary_data();
    void functionsAgreeWithTheLibrary();
    void noRealValueGivesNaN_data();
    void noRealValueGivesNaN();
    void wholeNumberFunctions();
    void maximumAndMinimumOfEqualValuesGiveTheSecond();
    void integrateTakesAtMost50Rectangles();
    void tablesWrapEveryDegree_data();
    void tablesWrapEveryDegree();
    void laterConstructionKeepsEpsilon();
    void fftMatchesDirectDft_data();
    void fftMatchesDirectDft();
    void fftOfSizeOneAndInverseOfAConstant();
    void fftRefusesSizesThatAreNotPowersOfTwo_data();
    void fftRefusesSizesThatAreNotPowersOfTwo();
};

void tst_Math::functionsAgreeWithTheLibrary_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("sine inside the range") << double(Math::sine(0.5f)) << std::sin(0.5) << 1e-6;
    QTest::newRow("sine reduced from 100") << double(Math::sine(100.0f)) << std::sin(double(100.0f)) << 1e-5;
    QTest::newRow("cosine reduced from -50") << double(Math::cosine(-50.0f)) << std::cos(double(-50.0f)) << 1e-5;
    QTest::newRow("cosine of a huge angle") << double(Math::cosine(1e7f)) << std::cos(double(1e7f)) << 1e-5;
    QTest::newRow("secant") << double(Math::secant(1.0f)) << 1 / std::cos(1.0) << 1e-6;
    QTest::newRow("arctan in the series range") << double(Math::arctan(0.3f)) << std::atan(double(0.3f)) << 1e-6;
    QTest::newRow("arctan close to 1") << double(Math::arctan(0.999f)) << std::atan(double(0.999f)) << 1e-6;
    QTest::newRow("arctan of 1") << double(Math::arctan(1.0f)) << M_PI / 4 << 1e-7;
    QTest::newRow("arctan beyond 1") << double(Math::arctan(5.0f)) << std::atan(5.0) << 1e-6;
    QTest::newRow("arctan below -1") << double(Math::arctan(-1e6f)) << std::atan(-1e6) << 1e-6;
    QTest::newRow("arctan plus half pi") << double(Math::arctanPlusHalfPi(-1.0f)) << M_PI / 4 << 1e-6;
    QTest::newRow("arccos") << double(Math::arccos(0.9f)) << std::acos(double(0.9f)) << 1e-5;
    QTest::newRow("arccos of -1") << double(Math::arccos(-1.0f)) << M_PI << 1e-5;
    QTest::newRow("logarithm in the series range") << double(Math::logarithm(1.5f)) << std::log(1.5) << 1e-6;
    QTest::newRow("logarithm of 1000") << double(Math::logarithm(1000.0f)) << std::log(1000.0) << 1e-5;
    QTest::newRow("logarithm of a small number") << double(Math::logarithm(1e-5f)) << std::log(double(1e-5f)) << 1e-5;
    QTest::newRow("exponential") << double(Math::exponential(1.0f)) << std::exp(1.0) << 1e-6;
    QTest::newRow("exponential of 10") << double(Math::exponential(10.0f)) / std::exp(10.0) << 1.0 << 1e-6;
    QTest::newRow("exponential of -5") << double(Math::exponential(-5.0f)) << std::exp(-5.0) << 1e-8;
    QTest::newRow("exponential of 100") << double(Math::exponential(100.0f)) / std::exp(100.0) << 1.0 << 1e-6;
    QTest::newRow("square root") << double(Math::squareRoot(2.0f)) << std::sqrt(2.0) << 1e-9;
    QTest::newRow("square root of a large number") << double(Math::squareRoot(1e30f)) / std::sqrt(double(1e30f)) << 1.0 << 1e-9;
    QTest::newRow("square root of 0") << double(Math::squareRoot(0.0f)) << 0.0 << 1e-9;
    QTest::newRow("binomial power, half") << double(Math::binomialPower(0.5f, 0.5f)) << std::sqrt(0.5) << 1e-6;
    QTest::newRow("binomial power, 1.5^2.5") << double(Math::binomialPower(1.5f, 2.5f)) << std::pow(1.5, 2.5) << 1e-6;
    QTest::newRow("binomial power, whole exponent") << double(Math::binomialPower(1.2f, 3.0f)) << std::pow(double(1.2f), 3.0) << 1e-6;
    QTest::newRow("binomial power above 2") << double(Math::binomialPower(10.0f, 0.5f)) << std::sqrt(10.0) << 1e-5;
    QTest::newRow("binomial power of 0") << double(Math::binomialPower(0.0f, 2.0f)) << 0.0 << 0.0;
    QTest::newRow("degrees to radians") << double(Math::degreesToRadians(180)) << M_PI << 1e-6;
    QTest::newRow("truncate toward zero") << double(Math::truncate(-2.7f)) << -2.0 << 0.0;
    QTest::newRow("absolute") << double(Math::absolute(-2.5f)) << 2.5 << 0.0;
}

void tst_Math::functionsAgreeWithTheLibrary()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    QVERIFY2(std::fabs(value - expected) <= tolerance, qPrintable(QStringLiteral("%1 instead of %2").arg(value, 0, 'g', 12).arg(expected, 0, 'g', 12)));
}

void tst_Math::noRealValueGivesNaN_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("logarithm of a negative") << double(Math::logarithm(-1.0f));
    QTest::newRow("square root of a negative") << double(Math::squareRoot(-4.0f));
    QTest::newRow("arccos beyond 1") << double(Math::arccos(1.5f));
    QTest::newRow("arccos below -1") << double(Math::arccos(-2.0f));
    QTest::newRow("factorial of a negative") << double(Math::factorial(-1));
    QTest::newRow("factorialReal of a negative") << double(Math::factorialReal(-3.0f));
    QTest::newRow("factorialReal of a fraction") << double(Math::factorialReal(2.5f));
    QTest::newRow("binomial power of a negative") << double(Math::binomialPower(-0.5f, 0.5f));
    QTest::newRow("sine of infinity") << double(Math::sine(std::numeric_limits<float>::infinity()));
    QTest::newRow("arctan of NaN") << double(Math::arctan(std::nanf("")));
}

void tst_Math::noRealValueGivesNaN()
{
    QFETCH(double, value);
    QVERIFY2(std::isnan(value), qPrintable(QString::number(value)));
}

void tst_Math::wholeNumberFunctions()
{
    QCOMPARE(double(Math::factorial(0)), 1.0);
    QCOMPARE(double(Math::factorial(5)), 120.0);
    QCOMPARE(double(Math::factorialReal(6.0f)), 720.0);
    QVERIFY(std::isinf(double(Math::factorial(100000))));
    QVERIFY(std::isinf(double(Math::factorialReal(1e30f))));
    QCOMPARE(double(Math::power(2.0f, 10)), 1024.0);
    QCOMPARE(double(Math::power(3.0f, 0)), 1.0);
    QCOMPARE(double(Math::power(3.0f, -2)), 1.0);
    QCOMPARE(double(Math::power(1.0f, std::numeric_limits<int>::max())), 1.0);
    QCOMPARE(double(Math::logarithm(0.0f)), -std::numeric_limits<double>::infinity());
}

void tst_Math::maximumAndMinimumOfEqualValuesGiveTheSecond()
{
    QCOMPARE(double(Math::maximum(1.0f, 2.0f)), 2.0);
    QCOMPARE(double(Math::minimum(1.0f, 2.0f)), 1.0);
    // 0 and -0 compare equal; the sign shows which one came back.
    QVERIFY(std::signbit(double(Math::maximum(0.0f, -0.0f))));
    QVERIFY(!std::signbit(double(Math::minimum(-0.0f, 0.0f))));
}

void tst_Math::integrateTakesAtMost50Rectangles()
{
    calls = 0;
    QVERIFY(std::fabs(double(Math::integrate(0.0f, 1.0f, countedOne)) - 1.0) < 1e-5);
    QCOMPARE(calls, 50);
    QVERIFY(std::fabs(double(Math::integrate(0.0f, 3.0f, square)) - 9.0) < 0.3);
    QCOMPARE(double(Math::integrate(1.0f, 1.0f, countedOne)), 0.0);
    QCOMPARE(double(Math::integrate(2.0f, 1.0f, countedOne)), 0.0);
    // At 2^24 the step of 0.04 is lost in single precision: t + step stays t, below b.
    calls = 0;
    Math::integrate(16777216.0f, 16777218.0f, countedOne);
    QCOMPARE(calls, 50);
}

void tst_Math::tablesWrapEveryDegree_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("same");
    QTest::newRow("450 is 90") << 450 << 90;
    QTest::newRow("360 is 0") << 360 << 0;
    QTest::newRow("-90 is 270") << -90 << 270;
    QTest::newRow("-720 is 0") << -720 << 0;
    QTest::newRow("far negative") << -1000001 << 79;
}

void tst_Math::tablesWrapEveryDegree()
{
    QFETCH(int, degrees);
    QFETCH(int, same);
    QCOMPARE(&Math::cosTableEntry(degrees), &Math::cosTableEntry(same));
    QCOMPARE(&Math::sinTableEntry(degrees), &Math::sinTableEntry(same));
    QCOMPARE(double(Math::tanDegrees(degrees)), double(Math::tanDegrees(same)));
    QVERIFY(std::fabs(Math::sinTableEntry(same) - std::sin(same * M_PI / 180)) < 1e-6);
    QVERIFY(std::fabs(Math::cosTableEntry(same) - std::cos(same * M_PI / 180)) < 1e-6);
}

void tst_Math::laterConstructionKeepsEpsilon()
{
    QCOMPARE(Math::epsilon(), 1e-10f);
    const float before = Math::sinTableEntry(30);
    QVERIFY(std::fabs(double(Math::tanDegrees(45)) - 1.0) < 1e-6);
    Math other(0.5f);
    QCOMPARE(Math::epsilon(), 1e-10f);
    QCOMPARE(Math::sinTableEntry(30), before);
}

void tst_Math::fftMatchesDirectDft_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("2") << 2;
    QTest::newRow("8") << 8;
    QTest::newRow("64") << 64;
    QTest::newRow("1024") << 1024;
}

void tst_Math::fftMatchesDirectDft()
{
    QFETCH(int, n);
    std::vector<float> re;
    std::vector<float> im;
    randomSignal(n, quint32(n), re, im);
    const auto forward = directDft(re, im, +1);
    std::vector<float> fre = re;
    std::vector<float> fim = im;
    Math::fft(n, fre.data(), fim.data());
    // Twiddles come from single-precision series: allow for their error growing with n.
    const double tolerance = 1e-4 * n;
    for (int k = 0; k < n; ++k) {
        QVERIFY2(std::abs(std::complex<double>(fre[size_t(k)], fim[size_t(k)]) - forward[size_t(k)]) < tolerance,
                 qPrintable(QStringLiteral("bin %1").arg(k)));
    }
    Math::inverseFft(n, fre.data(), fim.data());
    for (int j = 0; j < n; ++j) {
        QVERIFY2(std::fabs(fre[size_t(j)] - re[size_t(j)]) < 1e-3 && std::fabs(fim[size_t(j)] - im[size_t(j)]) < 1e-3,
                 qPrintable(QStringLiteral("sample %1").arg(j)));
    }
}

void tst_Math::fftOfSizeOneAndInverseOfAConstant()
{
    float re1[] = {3.5f};
    float im1[] = {-1.0f};
    Math::fft(1, re1, im1);
    QCOMPARE(re1[0], 3.5f);
    QCOMPARE(im1[0], -1.0f);

    float re[] = {1, 1, 1, 1};
    float im[] = {0, 0, 0, 0};
    Math::inverseFft(4, re, im);
    QVERIFY(std::fabs(re[0] - 1.0f) < 1e-6f);
    for (int i = 1; i < 4; ++i)
        QVERIFY(std::fabs(re[i]) < 1e-6f && std::fabs(im[i]) < 1e-6f);
}

void tst_Math::fftRefusesSizesThatAreNotPowersOfTwo_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("0") << 0;
    QTest::newRow("negative") << -4;
    QTest::newRow("6") << 6;
}

void tst_Math::fftRefusesSizesThatAreNotPowersOfTwo()
{
    QFETCH(int, n);
    // Eight values, so that a transform that ignored the size would show.
    float re[] = {1, 2, 3, 4, 5, 6, 7, 8};
    float im[] = {8, 7, 6, 5, 4, 3, 2, 1};
    Math::fft(n, re, im);
    Math::inverseFft(n, re, im);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(re[i], float(i + 1));
        QCOMPARE(im[i], float(8 - i));
    }
}

QTEST_APPLESS_MAIN(tst_Math)
#include "tst_Math.moc"
