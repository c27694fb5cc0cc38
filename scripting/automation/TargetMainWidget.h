#pragma once

class QObject;

namespace QMMistlark {

// The main widget of the application that scripts drive, one for the whole process; null when there is none.
void setTargetMainWidget(QObject *widget);
QObject *targetMainWidget();

} // namespace QMMistlark
