# Installation and the Debian package.
#
# The program finds its files by fixed places: the report template
# zadost.fr3 and the window state beside itself, the configuration file
# varnok05.ini in the directory above, and the caption file texty.txt in
# the current directory, which the desktop entry sets to the program's
# directory. So everything goes under one prefix (default /opt/varnok05):
#
#   <prefix>/bin/varnok05, zadost.fr3, texty.txt, pdf/
#   <prefix>/varnok05.ini.example     (copied to varnok05.ini by the package)
#   /usr/share/applications/varnok05.desktop
#   /usr/share/icons/hicolor/scalable/apps/varnok05.svg
#
#   cmake --install build                       (as root, into /opt/varnok05)
#   cd build && cpack                           (varnok05_<version>_amd64.deb)
#
# The desktop entry names the program by the prefix configured here;
# configure with -DCMAKE_INSTALL_PREFIX=... to install elsewhere.

# The program writes into its own directory and the package hands that
# directory to a group, so it never shares one: CMake's default /usr/local
# (also in trees configured before this file existed) becomes /opt/varnok05.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
  set(CMAKE_INSTALL_PREFIX /opt/varnok05 CACHE PATH "Installation directory" FORCE)
endif()
if(CMAKE_INSTALL_PREFIX MATCHES "^/(usr|usr/local|opt)?/?$")
  message(WARNING "CMAKE_INSTALL_PREFIX=${CMAKE_INSTALL_PREFIX} is shared; Varnok05 needs a directory "
                  "of its own (e.g. /opt/varnok05): no install rules and no package")
  return()
endif()
set(VARNOK_DESKTOP_DATADIR /usr/share CACHE PATH
    "Where the desktop entry and the icon go (applications/ and icons/ below it)")

set(VARNOK_PROGRAM_DIR ${CMAKE_INSTALL_PREFIX}/bin)
set(VARNOK_INSTALL_SOURCES ${PROJECT_SOURCE_DIR}/resources/install)
set(VARNOK_INSTALL_GENERATED ${PROJECT_BINARY_DIR}/install)

install(TARGETS varnok05 RUNTIME DESTINATION bin)
install(FILES resources/zadost.fr3 resources/texty.txt DESTINATION bin)
# The print creates it too, but a package-owned directory gets the group's
# permissions, so every user of the office can write into it.
install(DIRECTORY DESTINATION bin/pdf)
install(FILES ${VARNOK_INSTALL_SOURCES}/varnok05.ini.example DESTINATION .)

configure_file(${VARNOK_INSTALL_SOURCES}/varnok05.desktop.in ${VARNOK_INSTALL_GENERATED}/varnok05.desktop @ONLY)
install(FILES ${VARNOK_INSTALL_GENERATED}/varnok05.desktop DESTINATION ${VARNOK_DESKTOP_DATADIR}/applications)
install(FILES resources/varnok05.svg DESTINATION ${VARNOK_DESKTOP_DATADIR}/icons/hicolor/scalable/apps)

# --- the .deb -------------------------------------------------------------

foreach(script postinst postrm conffiles)
  configure_file(${VARNOK_INSTALL_SOURCES}/${script}.in ${VARNOK_INSTALL_GENERATED}/${script} @ONLY)
endforeach()
file(CHMOD ${VARNOK_INSTALL_GENERATED}/postinst ${VARNOK_INSTALL_GENERATED}/postrm
     PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnok05)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varnok05 developers")
set(CPACK_PACKAGE_CONTACT "Varnok05 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Varnok05 - evidence a revize nároku kreditu")
set(CPACK_PACKAGE_DESCRIPTION
    "Records and reviews a client company's yearly credit application in a MariaDB/MySQL database and prints it (Czech or German) to PDF.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Varnok05 developers")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The database client library is loaded at run time and the exports'
# libraries, fonts and translations are not seen by dpkg-shlibdeps, so they
# are named here; shlibdeps adds the versioned C and C++ runtime.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6printsupport6, libqt6gui6, libqt6core6, libmariadb3, libhpdf-2.3.0, libxcb1, libxlsxwriter4, libcurl4, fonts-liberation, qt6-translations-l10n, passwd")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${VARNOK_INSTALL_GENERATED}/postinst ${VARNOK_INSTALL_GENERATED}/postrm ${VARNOK_INSTALL_GENERATED}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
