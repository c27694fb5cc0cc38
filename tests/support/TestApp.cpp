#include "TestApp.h"

#include "QMWidgets/app/App.h"
#include "TestHome.h"

#include <QDir>

namespace {
QString s_homePath;
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
