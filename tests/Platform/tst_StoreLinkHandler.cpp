#include "HangBound.h"
#include "Platform/StoreLinkHandler.h"
#include "LinkCatcher.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QtTest>

#include <memory>

using Platform::StoreLinkHandler;

class tst_StoreLinkHandler : public QObject
{
    Q_OBJECT

private slots:
    void storeLinkOpensTheWebPageAfterwards_data();
    void storeLinkOpensTheWebPageAfterwards();
    void ownHandlerOfTheSchemeSeesTheStoreLink();
};

void tst_StoreLinkHandler::storeLinkOpensTheWebPageAfterwards_data()
{
    QTest::addColumn<QString>("storeLink");
    QTest::newRow("product page") << "ms-windows-store://pdp/?productid=9NVK9HH7P4F9";
    QTest::newRow("publisher page") << "ms-windows-store://publisher/?name=Borlune";
    QTest::newRow("review page") << "ms-windows-store://review/?ProductId=9NVK9HH7P4F9";
}

void tst_StoreLinkHandler::storeLinkOpensTheWebPageAfterwards()
{
    QFETCH(QString, storeLink);
    QObject owner;
    StoreLinkHandler::install(&owner, QUrl("https://www.example.org/apps/"));
    LinkCatcher web({"http", "https"});
    QSignalSpy opened(&web, &LinkCatcher::opened);
    QVERIFY(QDesktopServices::openUrl(QUrl(storeLink)));
    // Opened after the store link's handler has returned, so it reaches the web page's handler.
    QCOMPARE(opened.count(), 0);
    QVERIFY(opened.wait(HangBoundMs));
    QCOMPARE(web.linkTexts(), QStringList{"https://www.example.org/apps/"});
}

void tst_StoreLinkHandler::ownHandlerOfTheSchemeSeesTheStoreLink()
{
    QObject owner;
    StoreLinkHandler::install(&owner, QUrl("https://www.example.org/apps/"));
    auto store = std::make_unique<LinkCatcher>(QStringList{"ms-windows-store"});
    LinkCatcher web({"http", "https"});
    QDesktopServices::openUrl(QUrl("ms-windows-store://publisher/?name=Borlune"));
    QCOMPARE(store->linkTexts(), QStringList{"ms-windows-store://publisher/?name=Borlune"});
    QCoreApplication::processEvents();
    QCOMPARE(web.linkTexts(), QStringList());
}

QTEST_MAIN(tst_StoreLinkHandler)
#include "tst_StoreLinkHandler.moc"
