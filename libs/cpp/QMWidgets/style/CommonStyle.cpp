#include "QMWidgets/style/CommonStyle.h"

#include "QMWidgets/app/App.h"

#include <climits>
#include <cmath>

namespace QMWidgets {

QString CommonStyle::styleSheet() const
{
    return QString();
}

int CommonStyle::scaledScreenUnit(float divisor)
{
    // A divisor of 0, or one so small that the unit leaves int, gives no unit rather than an undefined one.
    // Divided in single precision, as the divisor is given.
    const float unit = std::trunc(float(App::shorterScreenSide()) / divisor);
    if (!std::isfinite(unit) || double(unit) < double(INT_MIN) || double(unit) > double(INT_MAX))
        return 0;
    return int(unit);
}

} // namespace QMWidgets
