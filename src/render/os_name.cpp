#include "render/os_name.h"

#include <sys/utsname.h>

namespace murva {

std::string WindowsOsName(int platform_family, int major, int minor) {
  if (platform_family == kPlatformWin32Nt) {
    if (major < 5) return "WindowsNT";
    if (minor == 0) return "Windows2000";
    if (minor == 1) return "WindowsXP";
    return "WindowsXX?";
  }
  if (platform_family == kPlatformWin32Windows) {
    // Windows 95 reports 4.0, Windows 98 4.10 and Windows Me 4.90; the short
    // forms 4.1 and 4.2..4.9 are read the same way.
    if (major < 4 || minor <= 0) return "Windows95";
    if (minor == 1 || (minor >= 10 && minor < 90)) return "Windows98";
    return "WindowsMe";
  }
  return "Unknown";
}

std::string OsName() {
  utsname info{};
  if (uname(&info) != 0) return kUnknownOsName;
  std::string name = info.sysname;
  if (info.release[0] != '\0') {
    name += ' ';
    name += info.release;
  }
  return name;
}

}  // namespace murva
