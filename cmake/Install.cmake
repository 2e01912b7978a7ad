# Where `cmake --install` puts the program, and the Debian package CPack makes of it.
# Installed, the programs look for their help, demo film and licence in ../share/zebak beside
# their own folder, so the prefix can be any.
include(GNUInstallDirs)
set(zebak_share ${CMAKE_INSTALL_DATADIR}/zebak)
set(zebak_packaging ${PROJECT_SOURCE_DIR}/packaging)

foreach(program zebak zebak-analyse)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/hilfe DESTINATION ${zebak_share})
install(FILES ${PROJECT_SOURCE_DIR}/resources/demo/demo.avi
              ${PROJECT_SOURCE_DIR}/resources/demo/demo.colour
        DESTINATION ${zebak_share}/demo)
# The program carries its sounds and pictures built in; the copies are for the teacher.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/sounds ${PROJECT_SOURCE_DIR}/resources/images
        DESTINATION ${zebak_share})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${zebak_share})

# The desktop's menu entry, its icon in every usual size, and the software centre's page.
install(FILES ${zebak_packaging}/zebak.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zebak_packaging}/icons/zebak.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256 512)
  install(FILES ${zebak_packaging}/icons/${size}x${size}/zebak.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The project has no web home or mail address of its own yet: the reserved domain .invalid
# says so, and a packager gives the real ones here.
set(ZEBAK_SCREENSHOT_URL "https://zebak.invalid/screenshot-main.png" CACHE STRING
    "Where the software centre finds the program's screenshot")
set(ZEBAK_PACKAGE_CONTACT "Zebak-Entwicklergruppe <zebak@zebak.invalid>" CACHE STRING
    "The package's maintainer")
configure_file(${zebak_packaging}/zebak.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/zebak.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/zebak.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages (with the project's version) and the package's changelog, compressed as
# Debian wants them (no time stamp).
set(zebak_compressed)
foreach(page zebak.1 zebak-analyse.1 changelog)
  set(source ${zebak_packaging}/${page})
  if(EXISTS ${zebak_packaging}/man/${page}.in)
    set(source ${CMAKE_BINARY_DIR}/packaging/${page})
    configure_file(${zebak_packaging}/man/${page}.in ${source} @ONLY)
  endif()
  set(out ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${out} COMMAND gzip -9nc ${source} > ${out} DEPENDS ${source}
                     VERBATIM)
  list(APPEND zebak_compressed ${out})
endforeach()
add_custom_target(zebak_compressed_docs ALL DEPENDS ${zebak_compressed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/zebak.1.gz
              ${CMAKE_BINARY_DIR}/packaging/zebak-analyse.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${zebak_packaging}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB: zebak_<version>_<arch>.deb. The libraries it needs are read from the
# programs; Qt's German texts, which they load at run time, are named here.
set(CPACK_PACKAGE_NAME zebak)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zebak-Entwicklergruppe")
set(CPACK_PACKAGE_CONTACT "${ZEBAK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measures motion from video for physics lessons")
set(CPACK_PACKAGE_DESCRIPTION
  "Zebak loads a film, finds up to two moving objects by their colour in
every frame, converts pixels to metres with a calibration and shows
positions, velocities, accelerations, diagrams, a trend line and a
stroboscopic picture. The tables can be exported as text, CSV or
spreadsheet. Positions can also be clicked by hand. The program's texts
are German. zebak-analyse does the same film work without windows.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")

include(CPack)
