#include "HangBound.h"
#include "QMWebView/CustomWebView.h"

#include "Platform/web/WebBrowserControl.h"

#include "WebTestMain.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>

// The key filters, made callable from the test.
class CustomProbe : public CustomWebView
{
public:
    using CustomWebView::translateKeyEvent;
};

class AxProbe : public Platform::AxWidget
{
public:
    using Platform::AxWidget::translateKeyEvent;
};

class tst_CustomWebView : public QObject
{
    Q_OBJECT

private slots:
    void hostsTheBrowserByClassId();
    void keyFilter_data();
    void keyFilter();
    void keysStayInThePage();
};

void tst_CustomWebView::hostsTheBrowserByClassId()
{
    CustomWebView view;
    QCOMPARE(view.control(), QString("8856F961-340A-11D0-A96B-00C04FD705A2"));
    auto *browser = qobject_cast<Platform::WebBrowserControl *>(view.controlWidget());
    QVERIFY(browser);

    QSignalSpy finished(browser, &Platform::WebBrowserControl::navigationFinished);
    QVERIFY(!view.dynamicCall("Navigate(const QString&)", QString("data:text/html,<title>t</title>")).isValid());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);
    QCOMPARE(finished.first().at(1).toBool(), true);
    QCOMPARE(browser->title(), QString("t"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no method"));
    QVERIFY(!view.dynamicCall("Refresh2(int)", 1).isValid());

    Platform::AxWidget other;
    QVERIFY(other.setControl("{8856f961-340a-11d0-a96b-00c04fd705a2}"));
    QVERIFY(other.controlWidget());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no control"));
    QVERIFY(!other.setControl("00000000-0000-0000-0000-000000000000"));
    QCOMPARE(other.control(), QString());
    QVERIFY(!other.controlWidget());
    QVERIFY(!other.dynamicCall("Navigate(const QString&)", QString("http://127.0.0.1/")).isValid());
}

void tst_CustomWebView::keyFilter_data()
{
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("keycode");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<bool>("base");
    QTest::newRow("Tab down")          << 0x100 << 0x09 << true << true;
    QTest::newRow("arrow down")        << 0x100 << 0x25 << true << false;
    QTest::newRow("arrow up")          << 0x101 << 0x28 << true << false;
    QTest::newRow("character")         << 0x102 << int('a') << true << false;
    QTest::newRow("Alt key")           << 0x104 << int('F') << true << true;
    QTest::newRow("WM_UNICHAR")        << 0x109 << 0 << true << false;
    QTest::newRow("paint message")     << 0x0F << 0x09 << false << false;
    QTest::newRow("mouse move")        << 0x200 << 0 << false << false;
    QTest::newRow("past the keyboard") << 0x10A << 0x09 << false << false;
}

void tst_CustomWebView::keyFilter()
{
    QFETCH(int, message);
    QFETCH(int, keycode);
    QFETCH(bool, custom);
    QFETCH(bool, base);
    CustomProbe view;
    AxProbe plain;
    QCOMPARE(view.translateKeyEvent(message, keycode), custom);
    QCOMPARE(plain.translateKeyEvent(message, keycode), base);
}

void tst_CustomWebView::keysStayInThePage()
{
    QWidget window;
    auto *edit = new QLineEdit;
    auto *view = new CustomWebView;
    auto *layout = new QHBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(view);
    auto *refresh = new QAction(&window);
    refresh->setShortcut(Qt::Key_F5);
    window.addAction(refresh);
    QSignalSpy triggered(refresh, &QAction::triggered);
    window.resize(500, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto *browser = qobject_cast<Platform::WebBrowserControl *>(view->controlWidget());
    QSignalSpy finished(browser, &Platform::WebBrowserControl::navigationFinished);
    browser->Navigate("data:text/html,<input id=a autofocus><input id=b>");
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, HangBoundMs);

    // Outside the page the shortcut works.
    edit->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), edit, HangBoundMs);
    QTest::keyClick(edit, Qt::Key_F5);
    QCOMPARE(triggered.count(), 1);

    view->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() && view->isAncestorOf(QApplication::focusWidget()),
        HangBoundMs);
    QWidget *inside = QApplication::focusWidget();
    QTest::keyClick(inside, Qt::Key_F5);
    QCOMPARE(triggered.count(), 1); // the page keeps F5
    QTest::keyClick(inside, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(view->isAncestorOf(QApplication::focusWidget())); // Tab moves inside the page, not to the edit
}

TARSEL_WEB_TEST_MAIN(tst_CustomWebView)
#include "tst_CustomWebView.moc"
