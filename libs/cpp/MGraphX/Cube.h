#pragma once

#include <QtGlobal>

namespace MGraphX {

// One box of the median cut: a run of positions in the reducer's key list with the number of
// pixels it holds and the bounding box of its colours in 8-bit units (multiples of 8).
class Cube
{
public:
    Cube() = default;
    Cube(int lower, int upper, qint64 count, int level);
    Cube(const Cube &) = default;
    Cube &operator=(const Cube &) = default;
    virtual ~Cube();

    int lower = 0;
    int upper = -1;
    qint64 count = 0;
    // Splits that led to this box; 0 for the first.
    int level = 0;
    int redMin = 0;
    int redMax = 0;
    int greenMin = 0;
    int greenMax = 0;
    int blueMin = 0;
    int blueMax = 0;
};

} // namespace MGraphX
