#include "vCard/TriState.h"

TriState &TriState::operator=(bool value)
{
    set(value);
    return *this;
}

bool TriState::toBool(bool *defined) const
{
    if (m_value == Undefined) {
        if (defined)
            *defined = false;
        return false;
    }
    return m_value == True;
}
