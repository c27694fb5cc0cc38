#include "HangBound.h"
#include "scripting/automation/PointConversion.h"
#include "scripting/automation/QEventDefs.h"
#include "scripting/automation/QtDefs.h"
#include "scripting/automation/TestObj.h"
#include "scripting/engine/Timer.h"

#include <QLabel>
#include <QPoint>
#include <QScriptEngine>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace QMMistlark;

// An engine that sees the constant objects and the test object under the names scripts use.
struct PublishedObjects
{
    PublishedObjects()
    {
        publish(&qtDefs, "Qt");
        publish(&eventDefs, "QEvent");
        publish(&testObj, "Test");
    }

    void publish(QObject *object, const QString &name)
    {
        engine.globalObject().setProperty(name, engine.newQObject(object, QScriptEngine::QtOwnership),
                                          QScriptValue::KeepExistingFlags);
    }

    QScriptValue run(const QString &program)
    {
        const QScriptValue result = engine.evaluate(program);
        if (engine.hasUncaughtException())
            qWarning() << "uncaught:" << result.toString();
        return result;
    }

    QtDefs qtDefs;
    QEventDefs eventDefs;
    TestObj testObj;
    QScriptEngine engine;
};

class tst_ScriptObjects : public QObject
{
    Q_OBJECT

private slots:
    void constants_data();
    void constants();
    void gettersAreHidden_data();
    void gettersAreHidden();
    void constantsCannotBeChanged();
    void labels_data();
    void labels();
    void testChecksDoNothing_data();
    void testChecksDoNothing();
    void testOutputReachesScriptHandlers();
    void timerFiresOncePerStart();
    void scriptTimerCallsItsHandler();
    void pointToScriptValue();
    void pointFromScriptValue_data();
    void pointFromScriptValue();
};

void tst_ScriptObjects::constants_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("value");
    QTest::newRow("buttons add up") << "Qt.LeftButton + Qt.RightButton" << 3;
    QTest::newRow("modifiers combine") << "Qt.ShiftModifier | Qt.ControlModifier" << 0x06000000;
    QTest::newRow("no button") << "Qt.NoButton" << int(Qt::NoButton);
    QTest::newRow("middle button") << "Qt.MiddleButton" << int(Qt::MiddleButton);
    QTest::newRow("meta") << "Qt.MetaModifier" << int(Qt::MetaModifier);
    QTest::newRow("alt") << "Qt.AltModifier" << int(Qt::AltModifier);
    QTest::newRow("enter key") << "Qt.Key_Enter" << int(Qt::Key_Enter);
    QTest::newRow("space key") << "Qt.Key_Space" << 0x20;
    QTest::newRow("close event") << "QEvent.Close" << 19;
    QTest::newRow("no event") << "QEvent.None" << 0;
    QTest::newRow("hide event") << "QEvent.Hide" << int(QEvent::Hide);
    QTest::newRow("show event") << "QEvent.Show" << int(QEvent::Show);
    QTest::newRow("move event") << "QEvent.Move" << int(QEvent::Move);
    QTest::newRow("press event") << "QEvent.MouseButtonPress" << int(QEvent::MouseButtonPress);
    QTest::newRow("release event") << "QEvent.MouseButtonRelease" << int(QEvent::MouseButtonRelease);
    QTest::newRow("double-click event") << "QEvent.MouseButtonDblClick" << int(QEvent::MouseButtonDblClick);
}

void tst_ScriptObjects::constants()
{
    QFETCH(QString, program);
    QFETCH(int, value);
    PublishedObjects objects;

    const QScriptValue result = objects.run(program);

    QVERIFY(result.isNumber());
    QCOMPARE(result.toInt32(), value);
}

void tst_ScriptObjects::gettersAreHidden_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("button getter") << "Qt.noButton";
    QTest::newRow("key getter") << "Qt.keyEnter";
    QTest::newRow("event getter named like a widget slot") << "QEvent.close";
}

void tst_ScriptObjects::gettersAreHidden()
{
    QFETCH(QString, program);
    PublishedObjects objects;

    QVERIFY(objects.run(program).isUndefined());
}

void tst_ScriptObjects::constantsCannotBeChanged()
{
    PublishedObjects objects;

    objects.run("Qt.LeftButton = 7; QEvent.Close = 7;");

    QCOMPARE(objects.run("Qt.LeftButton").toInt32(), 1);
    QCOMPARE(objects.run("QEvent.Close").toInt32(), 19);
}

void tst_ScriptObjects::labels_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("text");
    QTest::newRow("with text") << "Qt.QLabel(\"a\")" << "a";
    QTest::newRow("without argument") << "Qt.QLabel()" << "";
}

void tst_ScriptObjects::labels()
{
    QFETCH(QString, program);
    QFETCH(QString, text);
    PublishedObjects objects;

    const QScriptValue result = objects.run(program);
    std::unique_ptr<QLabel> label(qobject_cast<QLabel *>(result.toQObject()));

    QVERIFY(label);
    QCOMPARE(result.property("text").toString(), text);
    QCOMPARE(label->text(), text);
    QVERIFY(!label->parent());
    QVERIFY(!label->isVisible());
}

void tst_ScriptObjects::testChecksDoNothing_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("failing verify") << "Test.verify(false)";
    QTest::newRow("texts differ") << "Test.compare(\"a\", \"b\")";
    QTest::newRow("numbers differ") << "Test.compare(1, 2)";
    QTest::newRow("flags differ") << "Test.compare(true, false)";
}

void tst_ScriptObjects::testChecksDoNothing()
{
    QFETCH(QString, program);
    PublishedObjects objects;

    const QScriptValue result = objects.run(program);

    QVERIFY(!objects.engine.hasUncaughtException());
    QVERIFY(result.isUndefined());
}

void tst_ScriptObjects::testOutputReachesScriptHandlers()
{
    PublishedObjects objects;
    objects.run("var received = ''; Test.testOutput.connect(function(text) { received = text; });");

    emit objects.testObj.testOutput("line");

    QCOMPARE(objects.run("received").toString(), QString("line"));
}

void tst_ScriptObjects::timerFiresOncePerStart()
{
    Timer timer;
    QSignalSpy timeouts(&timer, &QTimer::timeout);
    QVERIFY(timer.isSingleShot());

    timer.start(0);
    QVERIFY(timeouts.wait(HangBoundMs));
    QVERIFY(!timer.isActive());

    timer.start(0);
    QVERIFY(timeouts.wait(HangBoundMs));
    QCOMPARE(timeouts.count(), 2);
}

void tst_ScriptObjects::scriptTimerCallsItsHandler()
{
    PublishedObjects objects;
    auto *timer = new Timer(&objects.qtDefs);
    objects.publish(timer, "timer");
    QSignalSpy timeouts(timer, &QTimer::timeout);

    objects.run("var calls = 0; timer.timeout.connect(function() { ++calls; }); timer.start(5);");

    QVERIFY(timeouts.wait(HangBoundMs));
    QVERIFY(!timer->isActive());
    QCOMPARE(objects.run("calls").toInt32(), 1);
}

void tst_ScriptObjects::pointToScriptValue()
{
    QScriptEngine engine;

    const QScriptValue value = QMMistlark::pointToScriptValue(&engine, QPoint(3, -4));

    QVERIFY(value.isObject());
    QCOMPARE(value.property("x").toInt32(), 3);
    QCOMPARE(value.property("y").toInt32(), -4);
    QVERIFY(!QMMistlark::pointToScriptValue(nullptr, QPoint(3, -4)).isValid());
}

void tst_ScriptObjects::pointFromScriptValue_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QPoint>("point");
    QTest::newRow("whole numbers") << "({x: 7, y: -2})" << QPoint(7, -2);
    QTest::newRow("fractions truncated, texts converted") << "({x: 7.9, y: \"12\"})" << QPoint(7, 12);
    QTest::newRow("missing coordinates are 0") << "({})" << QPoint(0, 0);
}

void tst_ScriptObjects::pointFromScriptValue()
{
    QFETCH(QString, program);
    QFETCH(QPoint, point);
    QScriptEngine engine;
    QPoint converted(99, 99);

    QMMistlark::pointFromScriptValue(engine.evaluate(program), converted);

    QCOMPARE(converted, point);
}

QTEST_MAIN(tst_ScriptObjects)
#include "tst_ScriptObjects.moc"
