#include "QMWidgets/widgets/BoundedTextEdit.h"

#include "MGraphX/OutsideResources.h"

namespace QMWidgets {

QVariant BoundedTextEdit::loadResource(int type, const QUrl &name)
{
    return MGraphX::loadTextResource(type, name);
}

} // namespace QMWidgets
