#include "app/JSMainWindow.h"
#include "QMWidgets/App.h"
#include "resources/Resources.h"

int main(int argc, char **argv)
{
    QMWidgets::App app(argc, argv, QStringLiteral("Borlune"), QStringLiteral("Tarsel"));
    app.setWebPageUrl(QStringLiteral("https://www.borlune.com/apps/tarsel/"));
    app.setApplicationVersion(QStringLiteral("1.8.2"));
    app.setOrganizationDomain(QStringLiteral("borlune.com"));

    Resources::init();
    app.setStyleSheet(Resources::styleSheet());

    JSMainWindow window(nullptr);
    QObject::connect(&window, &JSMainWindow::changeWindowTitle, &window, &QWidget::setWindowTitle);
    window.resize(app.value(QStringLiteral("Width"), 463).toInt(), app.value(QStringLiteral("Height"), 515).toInt());
    window.show();
    window.setWindowTitle(QCoreApplication::applicationName());

    return app.exec();
}
