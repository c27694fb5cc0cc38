#include "MTools/EmailRegExp.h"

namespace MTools {

QRegExp emailRegExp()
{
    static const QString pattern = QStringLiteral(
        "([a-zA-Z0-9_.+!#$%&'*/=?^`{|}~-]+)@([a-zA-Z0-9_-]+(\\.[a-zA-Z0-9_-]+)*)\\.([a-zA-Z]{2,}|[0-9]{1,3})");
    return QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp);
}

} // namespace MTools
