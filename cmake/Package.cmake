# The Debian package (cpack -G DEB in a build configured for the prefix
# /usr; scripts/package.sh does both): murva32_<version>_amd64.deb with the
# installed tree, its library dependencies found by dpkg-shlibdeps, and the
# packages the program needs at run time that no library link names: the
# Japanese fonts its settings ask for, Qt's platform plug-in for Wayland, and
# Qt's SVG plug-in that draws its icon. (On Debian 12 the X11 and offscreen
# platform plug-ins are part of libqt6gui6, which the program links;
# qt6-qpa-plugins holds only the VNC one.)
set(MURVA_PACKAGE_MAINTAINER "MURVA32 for Linux developers <murva32@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME murva32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${MURVA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese wallpaper calendar")
set(CPACK_PACKAGE_DESCRIPTION [=[
MURVA32 composes one picture from a background picture of your choice, one
to six month calendars with the Japanese public holidays, your own holidays
and special days, a list of your coming schedule entries and up to four
title lines, and installs it as the desktop wallpaper: on GNOME, KDE Plasma,
Xfce, Cinnamon, MATE, LXQt, sway, Hyprland and any other X11 session.
.
It can build the wallpaper at every log-on and keep it current over
midnight and suspend, reads the settings and schedule files of the Windows
program unchanged, and writes the picture for other wallpaper setters and
scripts without a display (murva32 --render).]=])
set(CPACK_PACKAGE_HOMEPAGE_URL ${MURVA_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-wayland, libqt6svg6")
# The standard dialogs in the desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Files and folders of the package belong to root.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
