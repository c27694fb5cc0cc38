#pragma once

#include <QByteArray>

// Bytes of every value in an order fixed by the seed, so a failing row fails the same way on every run.
QByteArray pseudoRandomBytes(int count, quint32 seed);
