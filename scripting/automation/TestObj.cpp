#include "scripting/automation/TestObj.h"

namespace QMMistlark {

TestObj::TestObj(QObject *parent)
    : QObject(parent)
{
}

void TestObj::compare(const QString &, const QString &)
{
}

void TestObj::compare(bool, bool)
{
}

void TestObj::compare(int, int)
{
}

void TestObj::verify(bool)
{
}

} // namespace QMMistlark
