#include "QMWidgets/widgets/WindowTitle.h"
#include "WidgetPaint.h"
#include "resources/Resources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using QMWidgets::WindowTitle;

class tst_WindowTitle : public QObject
{
    Q_OBJECT

private slots:
    void dragReportsTheNewTopLeft()
    {
        WindowTitle title;
        title.resize(400, 40);
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QSignalSpy moved(&title, &WindowTitle::changePosition);
        QTest::mousePress(&title, Qt::LeftButton, {}, QPoint(10, 5));
        const QPoint local = title.mapFromGlobal(QPoint(300, 200));
        QMouseEvent move(QEvent::MouseMove, local, QPoint(300, 200), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&title, &move);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toPoint(), QPoint(290, 195));
    }

    void buttonsReportThroughTheirOwnSignals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("signalIndex");
        QTest::newRow("close") << "CloseButton" << 0;
        QTest::newRow("zoom in") << "ZoomInButton" << 1;
        QTest::newRow("zoom out") << "ZoomOutButton" << 2;
        QTest::newRow("100 percent") << "100PercentButton" << 3;
        QTest::newRow("optimise") << "AlwaysOptimizeButton" << 4;
    }

    void buttonsReportThroughTheirOwnSignals()
    {
        QFETCH(QString, button);
        QFETCH(int, signalIndex);
        WindowTitle title;
        title.show();
        QSignalSpy close(&title, &WindowTitle::closeWindow);
        QSignalSpy zoomIn(&title, &WindowTitle::zoomInClicked);
        QSignalSpy zoomOut(&title, &WindowTitle::zoomOutClicked);
        QSignalSpy hundred(&title, &WindowTitle::hundredPercentClicked);
        QSignalSpy optimize(&title, &WindowTitle::optimizeToggled);
        QSignalSpy position(&title, &WindowTitle::changePosition);
        QList<QSignalSpy *> spies = {&close, &zoomIn, &zoomOut, &hundred, &optimize};
        auto *pushButton = title.findChild<QPushButton *>(button);
        QVERIFY(pushButton);
        QTest::mouseClick(pushButton, Qt::LeftButton);
        for (int i = 0; i < spies.size(); ++i)
            QCOMPARE(spies.at(i)->count(), i == signalIndex ? 1 : 0);
        QCOMPARE(position.count(), 0);
        if (signalIndex == 4)
            QCOMPARE(optimize.at(0).at(0).toBool(), false); // it starts checked
    }

    // The view and close buttons are flat and have neither text nor icon: the style sheet gives them pictures.
    void buttonsShowPictures_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("zoom in") << "ZoomInButton";
        QTest::newRow("zoom out") << "ZoomOutButton";
        QTest::newRow("100 percent") << "100PercentButton";
        QTest::newRow("optimise") << "AlwaysOptimizeButton";
        QTest::newRow("close") << "CloseButton";
    }

    void buttonsShowPictures()
    {
        QFETCH(QString, button);
        Resources::init();
        WindowTitle title;
        title.setStyleSheet(Resources::styleSheet());
        title.show();
        QVERIFY(QTest::qWaitForWindowExposed(&title));
        QVERIFY(showsMoreThanBackground(*title.findChild<QPushButton *>(button)));
    }

    void actionsMenuOpenFlag()
    {
        WindowTitle title;
        title.show();
        auto *actions = title.findChild<QPushButton *>("Actions");
        QVERIFY(actions->isHidden());
        QMenu *menu = actions->menu();
        QCOMPARE(menu->actions().size(), 4);
        QVERIFY(menu->actions().at(2)->isSeparator());
        QVERIFY(!title.isMenuOpen());
        menu->popup(QPoint(0, 0));
        QVERIFY(title.isMenuOpen());
        menu->hide();
        QVERIFY(!title.isMenuOpen());
    }

    void toolsLayoutGoesIntoTheBar()
    {
        WindowTitle title;
        title.setToolsLayout(nullptr);
        auto *row = new QHBoxLayout;
        auto *tool = new QLabel("tool");
        row->addWidget(tool);
        title.setToolsLayout(row);
        QCOMPARE(tool->parentWidget(), title.findChild<QWidget *>("WindowTitleTools"));
        QVERIFY(title.findChild<QPushButton *>("AlwaysOptimizeButton")->isChecked());
        QCOMPARE(title.findChild<QPushButton *>("AlwaysOptimizeButton")->size(), QSize(32, 32));
    }
};

QTEST_MAIN(tst_WindowTitle)
#include "tst_WindowTitle.moc"
