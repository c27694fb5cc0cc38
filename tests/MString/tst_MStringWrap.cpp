#include "MString/MStringWrap.h"

#include "StreamCapture.h"

#include <QtTest>

#include <iostream>

class tst_MStringWrap : public QObject
{
    Q_OBJECT

private slots:
    void printLineWritesTheTextAndALineEnd();
};

void tst_MStringWrap::printLineWritesTheTextAndALineEnd()
{
    StreamCapture capture(std::cout);
    MTools::MStringWrap(42).printLine();
    MTools::MStringWrap("two words").printLine();
    MTools::MStringWrap(MString("a\0b", 3)).printLine();
    MTools::MStringWrap().printLine();
    QCOMPARE(capture.text(), std::string("42\ntwo words\na\n\n"));
}

QTEST_APPLESS_MAIN(tst_MStringWrap)
#include "tst_MStringWrap.moc"
