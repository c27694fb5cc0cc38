#include "PseudoRandomBytes.h"

#include <QRandomGenerator>

QByteArray pseudoRandomBytes(int count, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(count, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}
