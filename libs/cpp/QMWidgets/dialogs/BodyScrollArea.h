#pragma once

#include <QScrollArea>

namespace QMWidgets {

// The body of a dialog, scrolled on a screen too short for it while the dialog's buttons below stay in view. It
// asks for the body's whole size, so on a screen where the dialog fits nothing scrolls and nothing changes.
class BodyScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    // Takes the body over.
    explicit BodyScrollArea(QWidget *body, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Gives a dialog its wanted size within the available area of its screen, now and again as it shows, when its
// window frame is known: the size its owner gave it, else its size hint. When it is too tall, its body scrolls: the
// body's area is widened by the scroll bar that then stands beside it. A minimum size larger than the screen gives
// way down to the minimum of the dialog's layout.
void fitDialogIntoScreen(QWidget *dialog);

} // namespace QMWidgets
