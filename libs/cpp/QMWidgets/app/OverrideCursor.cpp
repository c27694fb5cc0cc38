#include "QMWidgets/app/OverrideCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace QMWidgets {

OverrideCursor::~OverrideCursor()
{
    release();
}

void OverrideCursor::set(const QCursor &cursor)
{
    if (m_pushed) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        m_pushed = true;
    }
}

void OverrideCursor::release()
{
    if (!m_pushed)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_pushed = false;
}

} // namespace QMWidgets
