#include "QMWidgets/widgets/BoundedTextBrowser.h"

#include "MGraphX/OutsideResources.h"

namespace QMWidgets {

QVariant BoundedTextBrowser::loadResource(int type, const QUrl &name)
{
    return MGraphX::loadTextResource(type, name);
}

} // namespace QMWidgets
