#pragma once

#include <QObject>
#include <QString>

namespace QMWidgets {

// Base of a style provider: a derived style returns the rules of its style sheet.
class CommonStyle : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QString styleSheet() const;

    // The shorter side of the desktop divided by the divisor, truncated toward zero.
    static int scaledScreenUnit(float divisor);
};

} // namespace QMWidgets
