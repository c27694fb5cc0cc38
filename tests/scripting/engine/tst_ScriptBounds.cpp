#include "scripting/engine/ScriptBounds.h"

#include <QTest>
#include <QWidget>

using namespace QMMistlark;

class tst_ScriptBounds : public QObject
{
    Q_OBJECT

private slots:
    void shownText_data();
    void shownText();
    void patternRefusal_data();
    void patternRefusal();
    void grabRefusal_data();
    void grabRefusal();
};

void tst_ScriptBounds::shownText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    const QString full(ShownTextBound, QLatin1Char('a'));
    const QString note = QStringLiteral(" [cut: %1 more characters not shown, at most %2 are]");
    QTest::newRow("short text as it is") << "abc" << "abc";
    QTest::newRow("text at the bound as it is") << full << full;
    QTest::newRow("one character more is cut") << full + "b" << full + note.arg(1).arg(ShownTextBound);
    // An emoji across the bound: its high half would be shown alone.
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString before = full.left(ShownTextBound - 1);
    QTest::newRow("a surrogate pair is not split") << before + pair + "c" << before + note.arg(3).arg(ShownTextBound);
}

void tst_ScriptBounds::shownText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(QMMistlark::shownText(text), shown);
}

void tst_ScriptBounds::patternRefusal_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("pattern at the bound is taken") << QString(PatternTextBound, QLatin1Char('y')) << QString();
    QTest::newRow("one character more is refused")
        << QString(PatternTextBound + 1, QLatin1Char('y'))
        << QStringLiteral("A date format of %1 characters is too long: at most %2")
               .arg(PatternTextBound + 1)
               .arg(PatternTextBound);
}

void tst_ScriptBounds::patternRefusal()
{
    QFETCH(QString, pattern);
    QFETCH(QString, refusal);
    QCOMPARE(QMMistlark::patternRefusal(QStringLiteral("A date format"), pattern), refusal);
}

void tst_ScriptBounds::grabRefusal_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("200 million pixels are grabbed") << QSize(20000, 10000) << QString();
    QTest::newRow("one row more is refused")
        << QSize(20000, 10001)
        << QStringLiteral("A widget of 20000 x 10001 pixels is too large to grab: at most 200 million pixels");
    // The product of two large sides does not fit in an int.
    QTest::newRow("no overflow of the product")
        << QSize(70000, 70000)
        << QStringLiteral("A widget of 70000 x 70000 pixels is too large to grab: at most 200 million pixels");
}

void tst_ScriptBounds::grabRefusal()
{
    QFETCH(QSize, size);
    QFETCH(QString, refusal);
    QWidget widget;
    widget.resize(size);
    QCOMPARE(widget.size(), size);
    QCOMPARE(QMMistlark::grabRefusal(&widget), refusal);
}

QTEST_MAIN(tst_ScriptBounds)
#include "tst_ScriptBounds.moc"
