#include "QMWidgets/CommonStyle.h"

#include "QMWidgets/App.h"

namespace QMWidgets {

QString CommonStyle::styleSheet() const
{
    return QString();
}

int CommonStyle::scaledScreenUnit(float divisor)
{
    return static_cast<int>(App::shorterScreenSide() / divisor);
}

} // namespace QMWidgets
