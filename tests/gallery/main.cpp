// Pictures every widget of the kit, alone and inside a dialog of the program's style, and every window of the
// program, into PNG files and one contact sheet, at the screen's pixel ratio (QT_SCALE_FACTOR sets it).
#include "ContactSheet.h"
#include "Exhibits.h"
#include "TestApp.h"

#include "resources/Resources.h"

#include <QDialog>
#include <QDir>
#include <QScreen>
#include <QtTest>

#include <cstdio>
#include <memory>

namespace {

bool save(const QImage &image, const QString &path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // The pictures go where the caller asked, relative to where it was started: the home is a temporary one.
    const QString folder = QDir::current().absoluteFilePath(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                                                      : QStringLiteral("gallery"));
    TestApp app(argc, argv);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    // The program's own style, applied the way the program applies it.
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());

    const qreal ratio = qApp->devicePixelRatio();
    const QString suffix = QStringLiteral("@%1x.png").arg(ratio);
    QVector<Snapshot> sheet;
    bool written = true;
    for (const Exhibit &exhibit : exhibits()) {
        QWidget *alone = exhibit.make();
        const QImage image = showAndGrab(alone);
        delete alone;
        written &= save(image, QDir(folder).filePath(exhibit.name + suffix));
        sheet << Snapshot{exhibit.name, image};
        if (exhibit.kind == Exhibit::Window)
            continue;

        const std::unique_ptr<QDialog> dialog(inDialog(exhibit.make()));
        const QImage framed = showAndGrab(dialog.get());
        written &= save(framed, QDir(folder).filePath(exhibit.name + QStringLiteral("-in-dialog") + suffix));
        sheet << Snapshot{exhibit.name + QStringLiteral(" in dialog"), framed};
    }
    written &= save(contactSheet(sheet, ratio), QDir(folder).filePath(QStringLiteral("contact-sheet") + suffix));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("%d pictures at ratio %s on a screen of %d x %d in %s\n", int(sheet.size()),
                qPrintable(QString::number(ratio)), screen.width(), screen.height(), qPrintable(folder));
    return written ? 0 : 1;
}
