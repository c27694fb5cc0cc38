#include "app/JavaScriptEvaluator.h"
#include "QMWidgets/app/App.h"
#include "resources/Resources.h"

#include <QPointer>

int main(int argc, char **argv)
{
    // Pictures drawn for the screen's pixels, and the screen's scale followed, unless the user has set Qt's own
    // scaling in the environment.
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    if (!qEnvironmentVariableIsSet("QT_AUTO_SCREEN_SCALE_FACTOR") && !qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
        && !qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);

    QMWidgets::App app(argc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    app.setWebPageUrl(QStringLiteral("https://www.borlune.com/apps/tarsel/"));
    app.setApplicationVersion(QStringLiteral("1.8.2"));
    app.setOrganizationDomain(QStringLiteral("borlune.com"));

    // The application key is the lower-case application name.
    app.setShareLinks(QString());

    Resources::init();
    app.setStyleSheet(Resources::styleSheet());

    // Windows opened later with New or an example are independent top-level windows of their own. The first is
    // on the heap like them: a script can reach it, and nothing may ever free a window on this stack.
    QPointer<JavaScriptEvaluator> window = new JavaScriptEvaluator(nullptr);
    window->show();
    window->setWindowTitle(QCoreApplication::applicationName());
    app.setMainWidget(window);

    // The rate prompt at every second quit.
    app.setReminder(2, 1);

    const int exitCode = app.exec();
    delete window;
    return exitCode;
}
