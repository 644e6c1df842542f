# What the desktop and the software centre see of an installation: the
# application entry, the software-centre entry (AppStream), the icon at the
# sizes menus and software centres use (the SVG, and PNG pictures rendered
# from it at build time), the manual page and the bash completion of the
# switches; the copyright and change log every Debian package carries.

# The project's web address and identity: the software-centre entry names
# the screenshots of data/screenshots/ under <homepage>/screenshots/.
set(MURVA_HOMEPAGE "https://murva32.github.io" CACHE STRING "The project's web address")
set(MURVA_APPSTREAM_ID "io.github.murva32.murva32")
set(MURVA_PROJECT_LICENSE "LicenseRef-proprietary")  # see data/copyright

set(murva_metainfo ${CMAKE_BINARY_DIR}/${MURVA_APPSTREAM_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/data/murva32.metainfo.xml.in ${murva_metainfo} @ONLY)

install(FILES data/murva32.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${murva_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/murva32.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/murva32.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME murva32)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The PNG icons, drawn from the SVG by librsvg.
find_program(MURVA_RSVG_CONVERT rsvg-convert REQUIRED)
set(murva_generated)
foreach(size 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/murva32.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${MURVA_RSVG_CONVERT} --width=${size} --height=${size} --output=${icon}
            ${PROJECT_SOURCE_DIR}/data/murva32.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/data/murva32.svg VERBATIM)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND murva_generated ${icon})
endforeach()

# The manual page and the change log, compressed as Debian keeps them (no
# name or time in the gzip header, so that a rebuild gives the same bytes).
foreach(pair "data/murva32.1|murva32.1.gz" "data/changelog|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${target}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source} > ${CMAKE_BINARY_DIR}/${target}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source})
  list(APPEND murva_generated ${CMAKE_BINARY_DIR}/${target})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/murva32.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
add_custom_target(murva32_desktop_files ALL DEPENDS ${murva_generated})
