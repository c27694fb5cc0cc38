#include "scripting/automation/ClassAliases.h"
#include "scripting/automation/ToolTipStore.h"
#include "scripting/automation/WidgetIds.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <climits>
#include <memory>
#include <vector>

using namespace QMMistlark;

namespace QMMistlark {

// Stands for a window of the script editor: its class name carries the editor's namespace.
class EditorOwnWindow : public QWidget
{
    Q_OBJECT
};

} // namespace QMMistlark

// A window named "main" with two frames "left" and "right", each holding an unnamed "OK" button,
// and a label "Name".
struct NamedWindow
{
    NamedWindow()
    {
        window.setObjectName("main");
        left = new QFrame(&window);
        left->setObjectName("left");
        right = new QFrame(&window);
        right->setObjectName("right");
        leftOk = new QPushButton("OK", left);
        rightOk = new QPushButton("OK", right);
        name = new QLabel("Name", &window);
    }

    QWidget window;
    QFrame *left = nullptr;
    QFrame *right = nullptr;
    QPushButton *leftOk = nullptr;
    QPushButton *rightOk = nullptr;
    QLabel *name = nullptr;
};

// A window whose two unnamed frames each hold an unnamed button: nothing in their paths tells them apart.
struct LookAlikeWindow
{
    LookAlikeWindow()
    {
        first = new QFrame(&window);
        second = new QFrame(&window);
        firstButton = new QPushButton(first);
        secondButton = new QPushButton(second);
    }

    QWidget window;
    QFrame *first = nullptr;
    QFrame *second = nullptr;
    QPushButton *firstButton = nullptr;
    QPushButton *secondButton = nullptr;
};

class tst_WidgetIds : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void toBase61_data();
    void toBase61();
    void latin1Sum_data();
    void latin1Sum();
    void anchorPrefixReplacesSlashes();
    void pathParts_data();
    void pathParts();
    void pathRunsFromTheWindowDown();
    void nullWidgetGivesEmptyTexts();
    void resolveDuplicates_data();
    void resolveDuplicates();
    void fingerprint_data();
    void fingerprint();
    void classAliases();

    void generateShowsShortestTellingIds();
    void lookAlikesAreAnchoredByFingerprint();
    void layoutPlaceTellsLookAlikesApart();
    void editorWindowsAreNeverLabelled();
    void idsAreComputedOnce();
    void toolTipPartsComeFromTheRecord();
    void restorePutsBackRecordedToolTips();
    void destroyedWidgetsAreForgotten();
    void labelSubtree();
    void labelSubtreeTwiceBuildsOnItsOwnIds();
    void labelSubtreeRecordsNothing();
};

// The stores are process-wide: every case starts with no live recorded widget, which also shows
// that the widgets of earlier cases were forgotten when they were destroyed.
void tst_WidgetIds::init()
{
    QVERIFY(generatedIds().isEmpty());
    QVERIFY(originalToolTips().isEmpty());
}

void tst_WidgetIds::toBase61_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("digits");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("39 skips the missing d") << 39 << "e";
    QTest::newRow("largest digit") << 60 << "z";
    QTest::newRow("two digits") << 61 << "10";
    QTest::newRow("100") << 100 << "1e";
    QTest::newRow("294") << 294 << "4p";
    QTest::newRow("61 squared") << 3721 << "100";
    QTest::newRow("largest int") << INT_MAX << "2X64Ox";
    QTest::newRow("negative sum keeps its sign") << -60 << "-z";
    QTest::newRow("smallest int neither overflows nor loops") << INT_MIN << "-2X64Oy";
}

void tst_WidgetIds::toBase61()
{
    QFETCH(int, number);
    QFETCH(QString, digits);
    QCOMPARE(QMMistlark::toBase61(number), digits);
}

void tst_WidgetIds::latin1Sum_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sum");
    QTest::newRow("ascii") << "abc" << 294;
    QTest::newRow("latin-1 counts as a signed byte") << QString::fromUtf8("Ä") << -60;
    QTest::newRow("above latin-1 counts nothing") << QString::fromUtf8("a€") << 97;
    QTest::newRow("0xFF is -1") << QString::fromUtf8("aÿ") << 96;
    QTest::newRow("empty") << "" << 0;
}

void tst_WidgetIds::latin1Sum()
{
    QFETCH(QString, text);
    QFETCH(int, sum);
    QCOMPARE(QMMistlark::latin1Sum(text), sum);
}

void tst_WidgetIds::anchorPrefixReplacesSlashes()
{
    QCOMPARE(anchorPrefix("hO"), QString("F#hO/"));
    QCOMPARE(anchorPrefix("a/b"), QString("F#a_b/"));
}

void tst_WidgetIds::pathParts_data()
{
    QTest::addColumn<QString>("recordedTip");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("buttonText");
    QTest::addColumn<QString>("part");
    QTest::newRow("tool tip first, slashes replaced") << "a/b" << "name" << "OK" << "T#a_b";
    QTest::newRow("then object name") << "" << "x/y" << "OK" << "O#x_y";
    QTest::newRow("then button text") << "" << "" << "O/K" << "L#O_K";
    QTest::newRow("class name without prefix") << "" << "" << "" << "QPushButton";
}

void tst_WidgetIds::pathParts()
{
    QFETCH(QString, recordedTip);
    QFETCH(QString, objectName);
    QFETCH(QString, buttonText);
    QFETCH(QString, part);
    QWidget window;
    window.setObjectName("w");
    auto *button = new QPushButton(buttonText, &window);
    button->setObjectName(objectName);
    // The tool tip shown now does not count: only the one in the given map does.
    button->setToolTip("shown");
    QMap<QWidget *, QString> tips;
    if (!recordedTip.isEmpty())
        tips.insert(button, recordedTip);

    QCOMPARE(widgetPathId(button, tips), "/O#w/" + part);
}

void tst_WidgetIds::pathRunsFromTheWindowDown()
{
    NamedWindow fixture;
    auto *unnamed = new QFrame(&fixture.window);
    auto *caption = new QLabel("a/b", unnamed);

    QCOMPARE(widgetPathId(fixture.leftOk, {}), QString("/O#main/O#left/L#OK"));
    QCOMPARE(widgetPathId(fixture.rightOk, {}), QString("/O#main/O#right/L#OK"));
    QCOMPARE(widgetPathId(caption, {}), QString("/O#main/QFrame/L#a_b"));
    QCOMPARE(widgetPathId(&fixture.window, {}), QString("/O#main"));
}

void tst_WidgetIds::nullWidgetGivesEmptyTexts()
{
    QCOMPARE(widgetPathId(nullptr, {}), QString());
    QCOMPARE(widgetFingerprint(nullptr), QString());
    QVERIFY(QMMistlark::labelSubtree(nullptr).isEmpty());
}

void tst_WidgetIds::resolveDuplicates_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("unique last part stands alone")
        << QStringList{"/O#main/L#Name", "/O#main"} << QStringList{"L#Name", "O#main"};
    QTest::newRow("first telling depth names the widget")
        << QStringList{"/O#main/O#left/L#OK", "/O#main/O#right/L#OK"}
        << QStringList{"O#left/L#OK", "O#right/L#OK"};
    QTest::newRow("deeper depth when the first is shared")
        << QStringList{"/W/QFrame/O#x/B", "/W/QFrame/O#y/B"} << QStringList{"O#x/B", "O#y/B"};
    QTest::newRow("parts must differ pairwise")
        << QStringList{"/W/O#a/O#x/B", "/W/O#a/O#y/B", "/W/O#b/O#z/B"}
        << QStringList{"O#x/B", "O#y/B", "O#z/B"};
    QTest::newRow("top-level part is never chosen")
        << QStringList{"/O#a/L#OK", "/O#b/L#OK"} << QStringList{"?/L#OK", "?/L#OK"};
    QTest::newRow("shortest member bounds the depth")
        << QStringList{"/W/O#a/O#p/L#OK", "/W/O#a/L#OK"} << QStringList{"?/L#OK", "?/L#OK"};
    QTest::newRow("equal paths stay unresolved")
        << QStringList{"/W/QFrame/QPushButton", "/W/QFrame/QPushButton"}
        << QStringList{"?/QPushButton", "?/QPushButton"};
    // The suffix test pulls the shortened "MyQPushButton" into the later group, where no part tells them apart.
    QTest::newRow("class name ending in another's joins its group")
        << QStringList{"/W/O#a/MyQPushButton", "/W/O#b/QPushButton"}
        << QStringList{"?/QPushButton", "?/QPushButton"};
}

void tst_WidgetIds::resolveDuplicates()
{
    QFETCH(QStringList, paths);
    QFETCH(QStringList, ids);
    // Only the widgets' addresses are used, as keys.
    std::vector<std::unique_ptr<QWidget>> widgets;
    QMap<QWidget *, QString> map;
    for (const QString &path : paths) {
        widgets.push_back(std::make_unique<QWidget>());
        map.insert(widgets.back().get(), path);
    }

    resolveDuplicateIds(map);

    QStringList resolved;
    for (const auto &widget : widgets)
        resolved << map.value(widget.get());
    QCOMPARE(resolved, ids);
}

void tst_WidgetIds::fingerprint_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("inLayout");
    QTest::addColumn<int>("childObjects");
    QTest::addColumn<QString>("fingerprint");
    // Names, classes and texts from the widget up, then its layout place, the length so far and "$" and
    // its depth, then "_" and the count of objects below it when there are any.
    QTest::newRow("plain") << false << false << 0 << "QPushButtonOKQWidget20$1";
    QTest::newRow("names") << true << false << 0 << "bQPushButtonOKmainQWidget25$1";
    QTest::newRow("layout place") << false << true << 0 << "QPushButtonOKQWidgetQHBoxLayout032$1";
    QTest::newRow("objects below") << false << false << 2 << "QPushButtonOKQWidget20$1_2";
}

void tst_WidgetIds::fingerprint()
{
    QFETCH(bool, named);
    QFETCH(bool, inLayout);
    QFETCH(int, childObjects);
    QFETCH(QString, fingerprint);
    QWidget window;
    auto *button = new QPushButton("OK", &window);
    if (named) {
        window.setObjectName("main");
        button->setObjectName("b");
    }
    if (inLayout)
        (new QHBoxLayout(&window))->addWidget(button);
    for (int i = 0; i < childObjects; ++i)
        new QObject(button);

    QCOMPARE(widgetFingerprint(button), fingerprint);
}

void tst_WidgetIds::classAliases()
{
    initClassAliases();
    const QMap<QString, QString> filled = QMMistlark::classAliases();
    initClassAliases();

    QVERIFY(!filled.isEmpty());
    QCOMPARE(QMMistlark::classAliases(), filled);
    const QRegularExpression twoCapitals("^[A-Z]{2}$");
    for (auto it = filled.cbegin(); it != filled.cend(); ++it) {
        QVERIFY2(twoCapitals.match(it.value()).hasMatch(), qPrintable(it.value()));
        QCOMPARE(classAlias(it.key()), it.value());
    }
    QCOMPARE(classAlias("QPushButton"), QString("QPushButton"));
}

void tst_WidgetIds::generateShowsShortestTellingIds()
{
    NamedWindow fixture;

    generateIDs();

    QCOMPARE(fixture.window.toolTip(), QString("O#main"));
    QCOMPARE(fixture.left->toolTip(), QString("O#left"));
    QCOMPARE(fixture.leftOk->toolTip(), QString("O#left/L#OK"));
    QCOMPARE(fixture.rightOk->toolTip(), QString("O#right/L#OK"));
    QCOMPARE(fixture.name->toolTip(), QString("L#Name"));
}

void tst_WidgetIds::lookAlikesAreAnchoredByFingerprint()
{
    LookAlikeWindow fixture;

    generateIDs();

    // "QPushButtonQFrameQWidget24$2" sums to 2586, "hO" in base 61; equal fingerprints keep equal ids.
    QCOMPARE(fixture.firstButton->toolTip(), QString("F#hO/QPushButton"));
    QCOMPARE(fixture.secondButton->toolTip(), QString("F#hO/QPushButton"));
    QCOMPARE(fixture.window.toolTip(), QString("QWidget"));
}

void tst_WidgetIds::layoutPlaceTellsLookAlikesApart()
{
    LookAlikeWindow fixture;
    (new QHBoxLayout(fixture.first))->addWidget(fixture.firstButton);

    generateIDs();

    const QString first = fixture.firstButton->toolTip();
    const QString second = fixture.secondButton->toolTip();
    QVERIFY2(first.startsWith("F#") && first.endsWith("/QPushButton"), qPrintable(first));
    QCOMPARE(second, QString("F#hO/QPushButton"));
    QVERIFY(first != second);
}

void tst_WidgetIds::editorWindowsAreNeverLabelled()
{
    EditorOwnWindow editorWindow;
    auto *button = new QPushButton("Run", &editorWindow);
    button->setToolTip("Run the script");
    QWidget driven;

    generateIDs();

    QCOMPARE(driven.toolTip(), QString("QWidget"));
    QCOMPARE(editorWindow.toolTip(), QString());
    QCOMPARE(button->toolTip(), QString("Run the script"));
    QVERIFY(!generatedIds().contains(button));
}

void tst_WidgetIds::idsAreComputedOnce()
{
    NamedWindow fixture;
    generateIDs();
    auto *later = new QPushButton("Later", &fixture.window);
    fixture.leftOk->setToolTip(QString());

    generateIDs();

    QCOMPARE(later->toolTip(), QString());
    // The stored identifiers are shown again.
    QCOMPARE(fixture.leftOk->toolTip(), QString("O#left/L#OK"));
}

void tst_WidgetIds::toolTipPartsComeFromTheRecord()
{
    NamedWindow fixture;
    fixture.leftOk->setToolTip("save/all");
    storeOriginalToolTips();
    fixture.rightOk->setToolTip("after the record");

    generateIDs();

    QCOMPARE(fixture.leftOk->toolTip(), QString("T#save_all"));
    // Its "L#OK" is now unique, so the last part alone names it.
    QCOMPARE(fixture.rightOk->toolTip(), QString("L#OK"));
}

void tst_WidgetIds::restorePutsBackRecordedToolTips()
{
    NamedWindow fixture;
    fixture.leftOk->setToolTip("Accept");
    storeOriginalToolTips();
    auto *later = new QPushButton("Later", &fixture.window);
    generateIDs();
    QCOMPARE(later->toolTip(), QString("L#Later"));

    restoreOriginalToolTips();

    QCOMPARE(fixture.leftOk->toolTip(), QString("Accept"));
    QCOMPARE(fixture.rightOk->toolTip(), QString());
    QCOMPARE(fixture.window.toolTip(), QString());
    // Made after the record: it keeps showing its identifier.
    QCOMPARE(later->toolTip(), QString("L#Later"));

    generateIDs();
    QCOMPARE(fixture.leftOk->toolTip(), QString("T#Accept"));
}

void tst_WidgetIds::destroyedWidgetsAreForgotten()
{
    NamedWindow fixture;
    fixture.leftOk->setToolTip("old tip");
    storeOriginalToolTips();
    generateIDs();
    QWidget *gone = fixture.leftOk;
    QVERIFY(generatedIds().contains(gone));
    QVERIFY(originalToolTips().contains(gone));

    delete fixture.leftOk;
    // A widget made now may take the freed address; it must inherit neither tool tip nor identifier.
    auto *successor = new QPushButton(fixture.left);

    QVERIFY(!generatedIds().contains(gone));
    QVERIFY(!originalToolTips().contains(gone));
    restoreOriginalToolTips();
    QCOMPARE(successor->toolTip(), QString());
    generateIDs();
    QCOMPARE(successor->toolTip(), QString());
}

void tst_WidgetIds::labelSubtree()
{
    NamedWindow fixture;
    fixture.left->setToolTip("panel");

    const QList<QWidget *> labelled = QMMistlark::labelSubtree(fixture.left);

    QCOMPARE(labelled, QList<QWidget *>{fixture.leftOk});
    QCOMPARE(fixture.leftOk->toolTip(), QString("Vis/L#OK"));
    QCOMPARE(fixture.left->toolTip(), QString("panel"));
}

void tst_WidgetIds::labelSubtreeTwiceBuildsOnItsOwnIds()
{
    LookAlikeWindow fixture;

    QMMistlark::labelSubtree(&fixture.window);
    // No anchoring: the look-alikes keep their "?/".
    QCOMPARE(fixture.firstButton->toolTip(), QString("Vis/?/QPushButton"));
    QCOMPARE(fixture.first->toolTip(), QString("Vis/?/QFrame"));

    QMMistlark::labelSubtree(&fixture.window);
    QCOMPARE(fixture.firstButton->toolTip(), QString("Vis/?/T#Vis_?_QPushButton"));
}

void tst_WidgetIds::labelSubtreeRecordsNothing()
{
    NamedWindow fixture;

    QMMistlark::labelSubtree(&fixture.window);

    QVERIFY(generatedIds().isEmpty());
    QVERIFY(originalToolTips().isEmpty());
}

QTEST_MAIN(tst_WidgetIds)
#include "tst_WidgetIds.moc"
