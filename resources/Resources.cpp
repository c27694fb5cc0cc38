#include "resources/Resources.h"

#include <QFile>

// Q_INIT_RESOURCE names a function in the global namespace, so it cannot be used inside Resources.
static void registerCompiledInFiles()
{
    Q_INIT_RESOURCE(tarsel);
}

namespace Resources {

void init()
{
    registerCompiledInFiles();
}

QString styleSheet()
{
    static const QString sheet = [] {
        init();
        QFile file(QStringLiteral(":/style.qss"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return QString();
        // Kept one rule a line in the repository; the application gets one line of rules.
        return QString::fromUtf8(file.readAll()).simplified();
    }();
    return sheet;
}

} // namespace Resources
