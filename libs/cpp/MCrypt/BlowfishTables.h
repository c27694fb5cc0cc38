#pragma once

#include <QtGlobal>

namespace MCrypt {

// Blowfish's starting P-array and S-boxes: the hexadecimal digits of pi (BlowfishTables.cpp is generated).
extern const quint32 blowfishInitialP[18];
extern const quint32 blowfishInitialS[4][256];

} // namespace MCrypt
