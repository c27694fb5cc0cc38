#include "MGraphX/XaniFrame.h"

namespace MGraphX {

QString XaniFrame::baseName() const
{
    return m_name.section(QLatin1Char('.'), 0, 0, QString::SectionDefault);
}

} // namespace MGraphX
