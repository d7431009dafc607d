# Installing the native program as desktop programs are, with GNUInstallDirs:
# the program in bin/, its desktop entry, AppStream metainfo, icons in the
# hicolor theme and manual page under share/. `cmake --install` (and `make
# install`, with PREFIX and DESTDIR) puts them in place.
include(GNUInstallDirs)

# The AppStream component id: a reverse domain name, as AppStream asks.
set(BLASTGRID_APP_ID org.blastgrid.blastgrid)
# AppStream takes screenshots only as web addresses: without one the
# metainfo lists none.
set(BLASTGRID_SCREENSHOT_URL "" CACHE STRING
    "The web address under which the metainfo's screenshots are published (none when empty)")

set(LINUX_RESOURCES ${PROJECT_SOURCE_DIR}/resources/linux)
set(LINUX_GENERATED ${CMAKE_BINARY_DIR}/generated/linux)

# The release date of the metainfo and the manual page: the day of
# SOURCE_DATE_EPOCH when it is set (so a package gives the same bytes from
# the same commit), else today.
string(TIMESTAMP BLASTGRID_RELEASE_DATE "%Y-%m-%d" UTC)
set(BLASTGRID_VERSION ${PROJECT_VERSION})

file(READ ${LINUX_RESOURCES}/blastgrid.metainfo.xml.in metainfo)
if(BLASTGRID_SCREENSHOT_URL STREQUAL "")
  string(REGEX REPLACE "\n *<screenshots>.*</screenshots>" "" metainfo "${metainfo}")
endif()
string(CONFIGURE "${metainfo}" metainfo @ONLY)
file(CONFIGURE OUTPUT ${LINUX_GENERATED}/${BLASTGRID_APP_ID}.metainfo.xml CONTENT "${metainfo}")
configure_file(${LINUX_RESOURCES}/blastgrid.6.in ${LINUX_GENERATED}/blastgrid.6 @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${LINUX_RESOURCES}/blastgrid.metainfo.xml.in ${LINUX_RESOURCES}/blastgrid.6.in)

install(TARGETS blastgrid RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop entry names the installed program by its full path, so that it
# starts from the menu wherever it was installed, whatever the PATH; it is
# written when installing, as `cmake --install --prefix` may choose the place.
install(CODE "
  set(bindir \"${CMAKE_INSTALL_BINDIR}\")
  if(NOT IS_ABSOLUTE \"\${bindir}\")
    set(bindir \"\${CMAKE_INSTALL_PREFIX}/\${bindir}\")
  endif()
  file(READ \"${LINUX_RESOURCES}/blastgrid.desktop.in\" entry)
  string(REPLACE \"@BLASTGRID_PROGRAM@\" \"\${bindir}/blastgrid\" entry \"\${entry}\")
  file(WRITE \"${LINUX_GENERATED}/blastgrid.desktop\" \"\${entry}\")
")
install(FILES ${LINUX_GENERATED}/blastgrid.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LINUX_GENERATED}/${BLASTGRID_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${LINUX_RESOURCES}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${LINUX_GENERATED}/blastgrid.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
