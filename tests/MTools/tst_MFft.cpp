#include "MTools/MFft.h"

#include "PseudoRandomBytes.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <vector>

using MTools::MFft;

class tst_MFft : public QObject
{
    Q_OBJECT

private slots:
    void impulseSpreadsEvenly();
    void matchesDirectDft_data();
    void matchesDirectDft();
    void bitsOutsideTheTableLeaveTheArrays_data();
    void bitsOutsideTheTableLeaveTheArrays();
};

void tst_MFft::impulseSpreadsEvenly()
{
    const MFft fft(3);
    float re[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    float im[8] = {};
    fft.transform(re, im, false);
    for (int i = 0; i < 8; ++i) {
        QVERIFY(std::fabs(re[i] - 0.125f) < 1e-7f);
        QVERIFY(std::fabs(im[i]) < 1e-7f);
    }
    fft.transform(re, im, true);
    for (int i = 0; i < 8; ++i) {
        QVERIFY(std::fabs(re[i] - (i == 0 ? 1.0f : 0.0f)) < 1e-6f);
        QVERIFY(std::fabs(im[i]) < 1e-6f);
    }
}

void tst_MFft::matchesDirectDft_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("1 point") << 0;
    QTest::newRow("2 points") << 1;
    QTest::newRow("16 points") << 4;
    QTest::newRow("1024 points") << 10;
}

void tst_MFft::matchesDirectDft()
{
    QFETCH(int, bits);
    const int n = 1 << bits;
    const QByteArray bytes = pseudoRandomBytes(2 * n, quint32(bits + 1));
    const size_t count = size_t(n);
    std::vector<float> re(count), im(count);
    for (int i = 0; i < n; ++i) {
        re[size_t(i)] = float(qint8(bytes[2 * i])) / 128.0f;
        im[size_t(i)] = float(qint8(bytes[2 * i + 1])) / 128.0f;
    }
    std::vector<float> fre = re, fim = im;
    const MFft fft(bits);
    fft.transform(fre.data(), fim.data(), false);
    for (int k = 0; k < n; ++k) {
        // (1/n) Σ x_j e^(-2πi·jk/n)
        std::complex<double> sum;
        for (int j = 0; j < n; ++j)
            sum += std::complex<double>(re[size_t(j)], im[size_t(j)]) * std::polar(1.0, -2 * M_PI * double((qint64(j) * k) % n) / n);
        sum /= n;
        QVERIFY2(std::abs(std::complex<double>(fre[size_t(k)], fim[size_t(k)]) - sum) < 1e-5,
                 qPrintable(QStringLiteral("bin %1").arg(k)));
    }
    fft.transform(fre.data(), fim.data(), true);
    for (int j = 0; j < n; ++j) {
        QVERIFY2(std::fabs(fre[size_t(j)] - re[size_t(j)]) < 1e-4 && std::fabs(fim[size_t(j)] - im[size_t(j)]) < 1e-4,
                 qPrintable(QStringLiteral("sample %1").arg(j)));
    }
}

void tst_MFft::bitsOutsideTheTableLeaveTheArrays_data()
{
    QTest::addColumn<int>("bits");
    QTest::newRow("16") << 16;
    QTest::newRow("-1") << -1;
}

void tst_MFft::bitsOutsideTheTableLeaveTheArrays()
{
    QFETCH(int, bits);
    float re[4] = {1, 2, 3, 4};
    float im[4] = {4, 3, 2, 1};
    const MFft fft(bits);
    QCOMPARE(fft.bits(), bits);
    fft.transform(re, im, false);
    fft.transform(re, im, true);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(re[i], float(i + 1));
        QCOMPARE(im[i], float(4 - i));
    }
}

QTEST_APPLESS_MAIN(tst_MFft)
#include "tst_MFft.moc"
