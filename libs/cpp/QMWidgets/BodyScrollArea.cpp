#include "QMWidgets/BodyScrollArea.h"

#include "QMWidgets/WindowFit.h"

#include <QEvent>
#include <QScreen>
#include <QScrollBar>

namespace QMWidgets {

BodyScrollArea::BodyScrollArea(QWidget *body, QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("DialogBody"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The dialog's own background shows through, as it did before the body moved in here.
    viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
    setWidget(body);
}

QSize BodyScrollArea::sizeHint() const
{
    // QScrollArea caps its wish at a few dozen lines of text; a dialog's body wants all of itself.
    if (!widget())
        return QScrollArea::sizeHint();
    const int frame = 2 * frameWidth();
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
}

namespace {

void fitNow(QWidget *dialog)
{
    QScreen *screen = dialog->screen();
    if (!screen)
        return;
    dialog->ensurePolished();
    // Once the dialog has a window, its frame is known and counts against the screen as well.
    const QSize frame = dialog->frameGeometry().size() - dialog->geometry().size();
    const QSize available = screen->availableGeometry().size() - frame;
    QSize wanted = dialog->sizeHint().expandedTo(dialog->minimumSize());
    if (wanted.height() > available.height()) {
        if (auto *body = dialog->findChild<BodyScrollArea *>())
            wanted.rwidth() += body->verticalScrollBar()->sizeHint().width();
    }
    const QSize fitted = wanted.boundedTo(available).expandedTo(dialog->minimumSize());
    if (fitted != dialog->size())
        dialog->resize(fitted);
    fitIntoScreen(dialog);
}

// Fits the dialog again as it shows, when its frame is known.
class FitOnShow : public QObject
{
public:
    explicit FitOnShow(QWidget *dialog)
        : QObject(dialog)
    {
        dialog->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            fitNow(static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void fitDialogIntoScreen(QWidget *dialog)
{
    fitNow(dialog);
    new FitOnShow(dialog);
}

} // namespace QMWidgets
