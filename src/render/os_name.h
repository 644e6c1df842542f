// The name of the operating system for the "$os" title macro.
#pragma once

#include <string>

namespace murva {

// Platform families of the Windows version record.
inline constexpr int kPlatformWin32s = 0;
inline constexpr int kPlatformWin32Windows = 1;  // Windows 95, 98, Me
inline constexpr int kPlatformWin32Nt = 2;

// Shown when the system cannot be asked.
inline constexpr const char* kUnknownOsName = "???????";

// The Windows name of a version record: NT family "WindowsNT" (major below 5),
// else by the minor version "Windows2000" (0), "WindowsXP" (1), "WindowsXX?";
// 9x family "Windows95" (4.0), "Windows98" (4.1, 4.10), "WindowsMe" (4.2..4.9,
// 4.90); any other family "Unknown".
std::string WindowsOsName(int platform_family, int major, int minor);

// The running system: its name and release as uname gives them
// ("Linux 6.1.0-18-amd64"); "???????" when uname fails.
std::string OsName();

}  // namespace murva
