// Pictures every widget of the kit, alone and inside a dialog of the program's style, and every window of the
// program, into PNG files and one contact sheet, at the screen's pixel ratio (QT_SCALE_FACTOR sets it).
#include "ContactSheet.h"
#include "Exhibits.h"
#include "TestApp.h"

#include "resources/Resources.h"

#include <QDialog>
#include <QDir>
#include <QVBoxLayout>
#include <QtTest>

#include <cstdio>

namespace {

// The widget as it shows on the screen, once its layout has settled and its first timers have run.
QImage snapshot(QWidget *widget)
{
    // A window shown without a size of its own is kept within two thirds of the screen, and at ratio 2 the
    // offscreen screen counts as 400 x 300: the picture would show a cut window that no real screen cuts.
    const QSize wanted = widget->sizeHint().expandedTo(widget->minimumSize());
    if (!widget->testAttribute(Qt::WA_Resized) && !wanted.isEmpty())
        widget->resize(wanted);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget))
        std::fprintf(stderr, "%s was not shown\n", widget->metaObject()->className());
    QTest::qWait(60);
    return widget->grab().toImage();
}

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
        const QImage image = snapshot(alone);
        delete alone;
        written &= save(image, QDir(folder).filePath(exhibit.name + suffix));
        sheet << Snapshot{exhibit.name, image};
        if (exhibit.kind == Exhibit::Window)
            continue;

        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(exhibit.make());
        const QImage inDialog = snapshot(&dialog);
        written &= save(inDialog, QDir(folder).filePath(exhibit.name + QStringLiteral("-in-dialog") + suffix));
        sheet << Snapshot{exhibit.name + QStringLiteral(" in dialog"), inDialog};
    }
    written &= save(contactSheet(sheet, ratio), QDir(folder).filePath(QStringLiteral("contact-sheet") + suffix));
    std::printf("%d pictures at ratio %s in %s\n", int(sheet.size()), qPrintable(QString::number(ratio)),
                qPrintable(folder));
    return written ? 0 : 1;
}
