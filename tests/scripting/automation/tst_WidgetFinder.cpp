#include "AutomationFixtures.h"

#include "TestApp.h"

#include "scripting/automation/WidgetFinder.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QScriptEngine>
#include <QSpinBox>

using QMMistlark::WidgetFinder;
using namespace SupportTest;

// Class names for the parent walks: one without a namespace, one inside one.
class Panel : public QWidget
{
    Q_OBJECT
};

namespace Fixture {
class SidePanel : public QWidget
{
    Q_OBJECT
};
} // namespace Fixture


using namespace SupportTest;

namespace {

using LookupFrom = QObject *(*)(QObject *, const QString &);

// The lookups that start from an object, by the name the rows give them.
const QHash<QString, LookupFrom> &lookupsFrom()
{
    static const QHash<QString, LookupFrom> lookups = {
        {"getSubWidgetByObjectName", &WidgetFinder::getSubWidgetByObjectName},
        {"getVisibleSubWidgetByClassName", &WidgetFinder::getVisibleSubWidgetByClassName},
        {"getSubWidgetByClassName", &WidgetFinder::getSubWidgetByClassName},
        {"getSubWidgetByInheritClassName", &WidgetFinder::getSubWidgetByInheritClassName},
        {"getSubWidgetByToolTip", &WidgetFinder::getSubWidgetByToolTip},
        {"getParentWidgetByClassName", &WidgetFinder::getParentWidgetByClassName},
        {"parentByClassNameSkipNS", &WidgetFinder::parentByClassNameSkipNS},
        {"parentByClassName", &WidgetFinder::parentByClassName},
        {"parentByObjectName", &WidgetFinder::parentByObjectName},
        {"parentByInherits", &WidgetFinder::parentByInherits},
    };
    return lookups;
}

} // namespace

class tst_WidgetFinder : public QObject
{
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void searchAcrossWindows();
    void matchingWindowWinsOutright();
    void objectNameSearch();
    void windowTitleSearch();
    void subWidgetLookups_data();
    void subWidgetLookups();
    void parentWalks_data();
    void parentWalks();
    void numOfParents();
    void visibleDialogAndPopup();
    void dumpHierarchyWritesAncestors();
};

void tst_WidgetFinder::searchAcrossWindows()
{
    QWidget first;
    QWidget second;
    auto *firstButton = new QPushButton(QStringLiteral("first"), &first);
    auto *secondButton = new QPushButton(QStringLiteral("second"), &second);
    firstButton->setToolTip(QStringLiteral("tip"));
    secondButton->setToolTip(QStringLiteral("tip"));
    first.show();
    second.show();

    // The rule follows the toolkit's order of windows, whatever it is.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool firstIsEarlier = windows.indexOf(&first) < windows.indexOf(&second);
    QPushButton *later = firstIsEarlier ? secondButton : firstButton;
    QPushButton *earlier = firstIsEarlier ? firstButton : secondButton;

    QCOMPARE(WidgetFinder::getWidgetByClassName(QStringLiteral("QPushButton")), later);
    QCOMPARE(WidgetFinder::getWidgetByToolTip(QStringLiteral("tip")), later);
    QCOMPARE(WidgetFinder::getVisibleWidgetByClassName(QStringLiteral("QPushButton")), later);
    QCOMPARE(WidgetFinder::getVisibleWidgetByToolTip(QStringLiteral("tip")), later);

    later->hide();
    QCOMPARE(WidgetFinder::getVisibleWidgetByClassName(QStringLiteral("QPushButton")), earlier);
    QCOMPARE(WidgetFinder::getVisibleWidgetByToolTip(QStringLiteral("tip")), earlier);
    QCOMPARE(WidgetFinder::getWidgetByClassName(QStringLiteral("QPushButton")), later);

    QCOMPARE(WidgetFinder::getWidgetByClassName(QStringLiteral("pushbutton")), static_cast<QObject *>(nullptr));
    QCOMPARE(WidgetFinder::getWidgetByToolTip(QStringLiteral("Tip")), static_cast<QObject *>(nullptr));
}

void tst_WidgetFinder::matchingWindowWinsOutright()
{
    QWidget holder;
    auto *inner = new QPushButton(QStringLiteral("inner"), &holder);
    inner->setToolTip(QStringLiteral("tip"));
    holder.show();
    QPushButton window(QStringLiteral("window"));
    window.setToolTip(QStringLiteral("tip"));
    window.show();

    QCOMPARE(WidgetFinder::getWidgetByClassName(QStringLiteral("QPushButton")), &window);
    QCOMPARE(WidgetFinder::getWidgetByToolTip(QStringLiteral("tip")), &window);
}

void tst_WidgetFinder::objectNameSearch()
{
    QWidget first;
    QWidget second;
    second.setObjectName(QStringLiteral("second"));
    auto *firstAction = new QAction(QStringLiteral("Open"), &first);
    firstAction->setObjectName(QStringLiteral("open"));
    auto *secondAction = new QAction(QStringLiteral("Open"), &second);
    secondAction->setObjectName(QStringLiteral("open"));
    auto *frame = new QFrame(&first);
    auto *button = new QPushButton(frame);
    button->setObjectName(QStringLiteral("deep"));
    first.show();
    second.show();

    // The first window that holds a match decides, and the match need not be a widget.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QAction *earlierAction = windows.indexOf(&first) < windows.indexOf(&second) ? firstAction : secondAction;
    QCOMPARE(WidgetFinder::getWidgetByObjectName(QStringLiteral("open")), earlierAction);
    QCOMPARE(WidgetFinder::getWidgetByObjectName(QStringLiteral("deep")), button);
    QCOMPARE(WidgetFinder::getWidgetByObjectName(QStringLiteral("second")), &second);
    QCOMPARE(WidgetFinder::getWidgetByObjectName(QStringLiteral("Deep")), static_cast<QObject *>(nullptr));
}

void tst_WidgetFinder::windowTitleSearch()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Main"));
    auto *child = new QWidget(&window);
    child->setWindowTitle(QStringLiteral("Child"));
    window.show();

    QCOMPARE(WidgetFinder::getWidgetByWindowTitle(QStringLiteral("Main")), &window);
    QCOMPARE(WidgetFinder::getWidgetByWindowTitle(QStringLiteral("Child")), static_cast<QObject *>(nullptr));
    QCOMPARE(WidgetFinder::getWidgetByWindowTitle(QStringLiteral("main")), static_cast<QObject *>(nullptr));
}

void tst_WidgetFinder::subWidgetLookups_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // root > frame > ok (hidden button), root > cancel (button): descendant order is frame, ok, cancel.
    QTest::newRow("object name") << "getSubWidgetByObjectName" << "root" << "cancel" << "cancel";
    QTest::newRow("object name: the start is not searched") << "getSubWidgetByObjectName" << "root" << "root" << "";
    QTest::newRow("class name: first in descendant order") << "getSubWidgetByClassName" << "root" << "QPushButton" << "ok";
    QTest::newRow("class name: the start is not searched") << "getSubWidgetByClassName" << "frame" << "QFrame" << "";
    QTest::newRow("class name: nothing matches") << "getSubWidgetByClassName" << "root" << "QLabel" << "";
    QTest::newRow("visible class name skips the hidden button") << "getVisibleSubWidgetByClassName" << "root"
                                                                 << "QPushButton" << "cancel";
    QTest::newRow("inherited class name") << "getSubWidgetByInheritClassName" << "root" << "QAbstractButton" << "ok";
    QTest::newRow("every descendant inherits QObject") << "getSubWidgetByInheritClassName" << "root" << "QObject"
                                                       << "frame";
    QTest::newRow("tool tip") << "getSubWidgetByToolTip" << "root" << "Accept" << "ok";
    QTest::newRow("tool tip compared exactly") << "getSubWidgetByToolTip" << "root" << "accept" << "";
    QTest::newRow("empty tool tip matches a widget without one") << "getSubWidgetByToolTip" << "root" << ""
                                                                 << "frame";
}

void tst_WidgetFinder::subWidgetLookups()
{
    QFETCH(QString, lookup);
    QFETCH(QString, start);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QWidget root;
    root.setObjectName(QStringLiteral("root"));
    auto *frame = new QFrame(&root);
    frame->setObjectName(QStringLiteral("frame"));
    auto *ok = new QPushButton(QStringLiteral("OK"), frame);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setToolTip(QStringLiteral("Accept"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &root);
    cancel->setObjectName(QStringLiteral("cancel"));
    root.show();
    ok->hide();

    QObject *startObject = start == root.objectName() ? static_cast<QObject *>(&root) : frame;
    QVERIFY2(lookupsFrom().contains(lookup), qPrintable(lookup));
    QObject *result = lookupsFrom().value(lookup)(startObject, text);
    QCOMPARE(result ? result->objectName() : QString(), expected);
}

void tst_WidgetFinder::parentWalks_data()
{
    QTest::addColumn<QString>("lookup");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // Every walk starts at the button: Panel "panel" > Fixture::SidePanel "side" > QFrame "frame" > QPushButton "ok".
    QTest::newRow("class name: the start itself") << "parentByClassName" << "QPushButton" << "ok";
    QTest::newRow("class name: an ancestor") << "parentByClassName" << "QFrame" << "frame";
    QTest::newRow("class name with its namespace") << "parentByClassName" << "Fixture::SidePanel" << "side";
    QTest::newRow("class name without namespace falls back to the ending") << "parentByClassName" << "SidePanel"
                                                                            << "side";
    QTest::newRow("class name: an exact match further up beats a nearer ending") << "parentByClassName" << "Panel"
                                                                                 << "panel";
    QTest::newRow("class name: nothing matches") << "parentByClassName" << "QLabel" << "";
    QTest::newRow("ending only: the nearest") << "parentByClassNameSkipNS" << "Panel" << "side";
    QTest::newRow("ending only: a beginning is no match") << "parentByClassNameSkipNS" << "QPush" << "";
    QTest::newRow("object name: an ancestor") << "parentByObjectName" << "panel" << "panel";
    QTest::newRow("object name compared exactly") << "parentByObjectName" << "Panel" << "";
    QTest::newRow("inherits: the start itself") << "parentByInherits" << "QAbstractButton" << "ok";
    QTest::newRow("inherits: an ancestor") << "parentByInherits" << "QFrame" << "frame";
    QTest::newRow("parent widget: the start is skipped") << "getParentWidgetByClassName" << "QPushButton" << "";
    QTest::newRow("parent widget: an ancestor") << "getParentWidgetByClassName" << "QFrame" << "frame";
    QTest::newRow("parent widget: no fallback to the ending") << "getParentWidgetByClassName" << "SidePanel" << "";
}

void tst_WidgetFinder::parentWalks()
{
    QFETCH(QString, lookup);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    Panel panel;
    panel.setObjectName(QStringLiteral("panel"));
    auto *side = new Fixture::SidePanel;
    side->setParent(&panel);
    side->setObjectName(QStringLiteral("side"));
    auto *frame = new QFrame(side);
    frame->setObjectName(QStringLiteral("frame"));
    auto *ok = new QPushButton(frame);
    ok->setObjectName(QStringLiteral("ok"));

    QVERIFY2(lookupsFrom().contains(lookup), qPrintable(lookup));
    QObject *result = lookupsFrom().value(lookup)(ok, text);
    QCOMPARE(result ? result->objectName() : QString(), expected);
}

void tst_WidgetFinder::numOfParents()
{
    QWidget window;
    auto *frame = new QFrame(&window);
    auto *button = new QPushButton(frame);

    QCOMPARE(WidgetFinder::numOfParents(&window), 0);
    QCOMPARE(WidgetFinder::numOfParents(frame), 1);
    QCOMPARE(WidgetFinder::numOfParents(button), 2);
    QCOMPARE(WidgetFinder::numOfParents(nullptr), -1);
}

void tst_WidgetFinder::visibleDialogAndPopup()
{
    QDialog hidden;
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    QCOMPARE(WidgetFinder::findVisibleDialog(), static_cast<QWidget *>(nullptr));
    QCOMPARE(WidgetFinder::findVisiblePopup(), static_cast<QWidget *>(nullptr));

    QWidget host;
    auto *embedded = new QDialog(&host);
    embedded->setWindowFlags(Qt::Widget);
    host.show();
    QVERIFY(embedded->isVisible());
    QCOMPARE(WidgetFinder::findVisibleDialog(), embedded);

    // A dialog that is a window of its own wins over one embedded in any window.
    QDialog window;
    window.show();
    QCOMPARE(WidgetFinder::findVisibleDialog(), &window);

    menu.popup(QPoint(0, 0));
    QCOMPARE(WidgetFinder::findVisiblePopup(), &menu);
}

void tst_WidgetFinder::dumpHierarchyWritesAncestors()
{
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto *frame = new QFrame(&window);
    frame->setObjectName(QStringLiteral("frame"));
    auto *button = new QPushButton(frame);
    button->setObjectName(QStringLiteral("button"));

    const QStringList lines = messagesOf([&] { WidgetFinder::dumpHierarchy(button); });
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(QStringLiteral("QPushButton(")) && lines.at(0).contains(QStringLiteral("button")),
             qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("  QFrame(")) && lines.at(1).contains(QStringLiteral("frame")),
             qPrintable(lines.at(1)));
    QVERIFY2(lines.at(2).startsWith(QStringLiteral("    QWidget(")) && lines.at(2).contains(QStringLiteral("window")),
             qPrintable(lines.at(2)));

    QCOMPARE(messagesOf([&] { WidgetFinder::dumpHierarchy(&window); }).size(), 1);
}

TARSEL_APP_TEST_MAIN(tst_WidgetFinder)
#include "tst_WidgetFinder.moc"
