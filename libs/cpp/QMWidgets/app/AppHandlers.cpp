#include "QMWidgets/app/AppHandlers.h"

namespace QMWidgets {

// Made on first use: the folders above fill it in from their static initialisation.
AppHandlers &AppHandlers::instance()
{
    static AppHandlers handlers;
    return handlers;
}

} // namespace QMWidgets
