#pragma once

#include "MString.h"

namespace MTools {

// MString with a line printer.
class MStringWrap : public MString
{
public:
    using MString::MString;
    MStringWrap() = default;
    MStringWrap(const MString &other) : MString(other) {}

    // The text of c_str on standard output, a line end, then a flush.
    virtual void printLine();
};

} // namespace MTools
