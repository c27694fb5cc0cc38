#include "MGraphX/Cube.h"

namespace MGraphX {

Cube::Cube(int lower, int upper, qint64 count, int level)
    : lower(lower)
    , upper(upper)
    , count(count)
    , level(level)
{
}

Cube::~Cube() = default;

} // namespace MGraphX
