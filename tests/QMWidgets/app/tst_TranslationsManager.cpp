#include "QMWidgets/app/App.h"
#include "QMWidgets/app/TranslationsManager.h"
#include "TestApp.h"

using QMWidgets::App;
using QMWidgets::TranslationsManager;

class tst_TranslationsManager : public QObject
{
    Q_OBJECT

private slots:
    void firstQuerySettlesTheLanguageFromTheSystemLocale();
    void supportedLanguage_data();
    void supportedLanguage();
    void arabicSwitchesLayoutDirection();
    void languageIsStoredAndHandedToTheApplication();
};

// main sets the system locale to de_AT before the application object exists.
void tst_TranslationsManager::firstQuerySettlesTheLanguageFromTheSystemLocale()
{
    QVERIFY(!App::instance()->settings()->contains("Tarsel/Language"));
    QCOMPARE(App::instance()->language(), QString("de"));
    QCOMPARE(App::instance()->value("Language").toString(), QString("de"));
    QCOMPARE(TranslationsManager::instance()->language(), QString("de"));
}

void tst_TranslationsManager::supportedLanguage_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("code");
    QTest::newRow("locale with country") << "de_AT" << "de";
    QTest::newRow("portuguese of brazil") << "pt_BR" << "pt";
    QTest::newRow("chinese of taiwan") << "zh_TW" << "zh_TW";
    QTest::newRow("chinese of hong kong is not supported") << "zh_HK" << "en";
    QTest::newRow("two codes: the earlier in the list wins") << "ru_de" << "de";
    QTest::newRow("substring test is case-sensitive") << "DE" << "en";
    QTest::newRow("empty value") << "" << "en";
}

void tst_TranslationsManager::supportedLanguage()
{
    QFETCH(QString, value);
    QFETCH(QString, code);
    QCOMPARE(TranslationsManager::supportedLanguage(value), code);
}

void tst_TranslationsManager::arabicSwitchesLayoutDirection()
{
    TranslationsManager::instance()->setLanguage("ar");
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    TranslationsManager::instance()->setLanguage("fr");
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}

void tst_TranslationsManager::languageIsStoredAndHandedToTheApplication()
{
    TranslationsManager *manager = TranslationsManager::instance();
    manager->setLanguage("ja");
    QCOMPARE(manager->language(), QString("ja"));
    QCOMPARE(App::instance()->language(), QString("ja"));
    QCOMPARE(App::instance()->languagePath(), QString("ja/"));
    QCOMPARE(App::instance()->value("Language").toString(), QString("ja"));

    manager->setLanguage("en");
    manager->reload();
    QCOMPARE(App::instance()->language(), QString("en"));
    QCOMPARE(App::instance()->languagePath(), QString());
    QCOMPARE(App::instance()->value("Language").toString(), QString("en"));
}

int main(int argc, char **argv)
{
    qputenv("LC_ALL", "de_AT.UTF-8");
    TestApp app(argc, argv);
    tst_TranslationsManager test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TranslationsManager.moc"
