#include "GlobalFunctionsFixtures.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

namespace GlobalFunctionsTest {

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<cannot read ") + path + QStringLiteral(": ") + file.errorString() + QLatin1Char('>');
    return QString::fromLocal8Bit(file.readAll());
}

void ScriptFunctionsTest::initTestCase()
{
    // main() sets it in the program.
    QCoreApplication::setApplicationVersion(QStringLiteral("1.8.2"));
}

void ScriptFunctionsTest::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a test left a window behind for the next lookups");
}

} // namespace GlobalFunctionsTest
