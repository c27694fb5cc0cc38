#pragma once

namespace Platform {

// Stands in for QSysInfo::windowsVersion() and its WinVersion codes, which Qt 5.15 declares
// only when built for Windows. The values are Qt's.
enum WindowsVersion : int {
    WV_None = 0,            // not Windows
    WV_2000 = 0x0020,
    WV_XP = 0x0030,
    WV_2003 = 0x0040,
    WV_VISTA = 0x0080,
    WV_WINDOWS7 = 0x0090,
    WV_WINDOWS8 = 0x00a0,
    WV_WINDOWS8_1 = 0x00b0,
    WV_WINDOWS10 = 0x00c0,
};

// The running Windows version as Qt codes it; WV_None on every other system.
int windowsVersion();

} // namespace Platform
