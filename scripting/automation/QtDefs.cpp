#include "scripting/automation/QtDefs.h"

#include <QLabel>

namespace QMMistlark {

QtDefs::QtDefs(QObject *parent)
    : QObject(parent)
{
}

QWidget *QtDefs::QLabel(const QString &str)
{
    // Inside this class the name QLabel is the slot, so the widget class needs its global name.
    return new ::QLabel(str);
}

int QtDefs::noButton() { return Qt::NoButton; }
int QtDefs::leftButton() { return Qt::LeftButton; }
int QtDefs::rightButton() { return Qt::RightButton; }
int QtDefs::middleButton() { return Qt::MiddleButton; }
int QtDefs::shiftModifier() { return Qt::ShiftModifier; }
int QtDefs::metaModifier() { return Qt::MetaModifier; }
int QtDefs::controlModifier() { return Qt::ControlModifier; }
int QtDefs::altModifier() { return Qt::AltModifier; }
int QtDefs::keyEnter() { return Qt::Key_Enter; }
int QtDefs::keySpace() { return Qt::Key_Space; }

} // namespace QMMistlark
