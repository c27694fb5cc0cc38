#include "MString/MStringWrap.h"

#include <iostream>

namespace MTools {

void MStringWrap::printLine()
{
    std::cout << c_str() << std::endl;
}

} // namespace MTools
