#include "QMWidgets/dialogs/BodyScrollArea.h"

#include "QMWidgets/app/WindowFit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QResizeEvent>
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
    // setWidget() turns the body's filling on.
    setWidget(body);
    viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
}

bool BodyScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    const bool filtered = QScrollArea::eventFilter(watched, event);
    if (watched == widget() && event->type() == QEvent::Resize) {
        // Fitting the body to the area may resize it again while it is being shown, when Qt drops the second
        // resize event: its layout would stay at the first size. It hears the final size once more.
        const QSize seen = static_cast<QResizeEvent *>(event)->size();
        if (seen != widget()->size()) {
            QResizeEvent again(widget()->size(), seen);
            QCoreApplication::sendEvent(widget(), &again);
        }
    }
    return filtered;
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

// Fits the dialog now and again as it shows, when its frame is known. It remembers a size the dialog's owner gave
// it (a saved or chosen size), which then stands in for the dialog's own wish.
class ScreenFit : public QObject
{
public:
    explicit ScreenFit(QWidget *dialog)
        : QObject(dialog)
    {
        setObjectName(QStringLiteral("ScreenFit"));
        dialog->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            fit();
        return false;
    }

    void fit()
    {
        auto *dialog = static_cast<QWidget *>(parent());
        QScreen *screen = dialog->screen();
        if (!screen)
            return;
        dialog->ensurePolished();
        // The dialog's layout keeps the body's wish from when it last asked: a text set since must count.
        for (BodyScrollArea *body : dialog->findChildren<BodyScrollArea *>())
            body->updateGeometry();
        // A size other than the last fit's is the owner's, unless the layout's minimum merely grew it.
        const QSize size = dialog->size();
        const bool grownToMinimum = size == m_fitted.expandedTo(dialog->minimumSize());
        if (dialog->testAttribute(Qt::WA_Resized) && size != m_fitted && !grownToMinimum)
            m_given = size;
        // Once the dialog has a window, its frame is known and counts against the screen as well.
        const QSize frame = dialog->frameGeometry().size() - dialog->geometry().size();
        const QSize available = screen->availableGeometry().size() - frame;
        // A minimum size larger than the screen gives way, down to what the layout needs: the buttons beside
        // the body, which scrolls.
        QSize minimum = dialog->minimumSize();
        if (minimum.width() > available.width() || minimum.height() > available.height()) {
            minimum = minimum.boundedTo(available).expandedTo(dialog->minimumSizeHint());
            dialog->setMinimumSize(minimum);
        }
        QSize wanted = (m_given.isValid() ? m_given : dialog->sizeHint()).expandedTo(minimum);
        if (wanted.height() > available.height()) {
            if (auto *body = dialog->findChild<BodyScrollArea *>())
                wanted.rwidth() += body->verticalScrollBar()->sizeHint().width();
        }
        const QSize fitted = wanted.boundedTo(available).expandedTo(minimum);
        if (fitted != dialog->size())
            dialog->resize(fitted);
        fitIntoScreen(dialog);
        m_fitted = dialog->size();
    }

private:
    QSize m_given;
    QSize m_fitted;
};

} // namespace

void fitDialogIntoScreen(QWidget *dialog)
{
    // Called again, it fits again: one watcher of the dialog's showing is enough.
    auto *fit = static_cast<ScreenFit *>(
        dialog->findChild<QObject *>(QStringLiteral("ScreenFit"), Qt::FindDirectChildrenOnly));
    if (!fit)
        fit = new ScreenFit(dialog);
    fit->fit();
}

} // namespace QMWidgets
