#include "ScreenFitCheck.h"

#include "WidgetFinder.h"

#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

QString screenFitFault(QWidget *dialog, const QStringList &captions)
{
    const QRect available = dialog->screen()->availableGeometry();
    const QRect frame = dialog->frameGeometry();
    if (!available.contains(frame))
        return QStringLiteral("%1 x %2 at %3,%4 on a screen of %5 x %6")
            .arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())
            .arg(available.width()).arg(available.height());
    QPushButton *button = nullptr;
    QPoint centre;
    for (const QString &caption : captions) {
        button = findButton(dialog, caption);
        if (!button || !button->isVisible())
            return caption + QStringLiteral(" is not shown");
        const QRect shown(button->mapTo(dialog, QPoint()), button->size());
        if (!dialog->rect().contains(shown))
            return caption + QStringLiteral(" lies outside the dialog");
        // A button scrolled away or under another widget is not what the window finds at its place.
        centre = shown.center();
        QWidget *found = dialog->childAt(centre);
        if (found != button && !button->isAncestorOf(found))
            return caption + QStringLiteral(" is covered");
    }
    if (!button)
        return {};
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    if (clicked.count() != 1)
        return captions.last() + QStringLiteral(" took no click");
    return {};
}
