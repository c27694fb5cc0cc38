#pragma once

#include <QObject>

namespace QMWidgets {

// Installed on the inner widgets of a NoScreenShotWidget (its parent): a key press in any of them
// hides them all and is swallowed.
class NoScreeShotFilter : public QObject
{
    Q_OBJECT

public:
    explicit NoScreeShotFilter(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace QMWidgets
