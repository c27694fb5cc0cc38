#include "AppFixtures.h"

#include "TestHome.h"

#include <QDir>
#include <QTest>

using QMWidgets::App;

namespace AppTest {

int s_argc = 1;
char s_programName[] = "tst_App";
char *s_argv[] = {s_programName, nullptr};

void FreshAppTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    pointHomeAt(QDir(m_home->path()).canonicalPath());
}

void FreshAppTest::cleanup()
{
    m_app.reset();
    m_home.reset();
}

App *FreshAppTest::makeApp()
{
    m_app = std::make_unique<App>(s_argc, s_argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    return m_app.get();
}

} // namespace AppTest
