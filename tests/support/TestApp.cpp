#include "TestApp.h"

#include "QMWidgets/app/App.h"

#include <QDir>

namespace {
QString s_homePath;
}

void TestApp::pointHomeAt(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + "/.local/share"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + "/.cache"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

TestApp::TestApp(int &argc, char **argv)
{
    if (!m_home.isValid())
        qFatal("cannot create a temporary home: %s", qPrintable(m_home.errorString()));
    s_homePath = QDir(m_home.path()).canonicalPath();
    pointHomeAt(s_homePath);
    // As the program does: pictures at the screen's pixel ratio.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    m_app = std::make_unique<QMWidgets::App>(argc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
}

TestApp::~TestApp() = default;

QString TestApp::homePath()
{
    return s_homePath;
}
