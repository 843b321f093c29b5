# Where `cmake --install` puts the game, and the Debian package CPack makes of it: the program out of the
# way under libexec, its data under share, a launcher on the PATH that starts it from there, a menu entry,
# icons, and the documents Debian asks every package for.
# Debian keeps games, and their launchers, in games/ rather than bin/.
set(CMAKE_INSTALL_BINDIR games CACHE PATH "Where the launcher goes, under the prefix")
include(GNUInstallDirs)
set(ZARNOWELL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zarnowell)
set(ZARNOWELL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zarnowell)
set(ZARNOWELL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zarnowell)

install(TARGETS zarnowell RUNTIME DESTINATION ${ZARNOWELL_PROGRAM_DIR})
# CPack cannot carry the Latin-1 byte of one picture's name (one byte between "gr" and "n"); the package
# holds its UTF-8 spelling, which the game falls back to.
install(DIRECTORY ${CMAKE_BINARY_DIR}/Texturen ${CMAKE_BINARY_DIR}/Sounds DESTINATION ${ZARNOWELL_DATA_DIR}
        REGEX "Mensch_gr[^n]n\\.bmp$" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zarnowell.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The version is written once, in project(). The changelog is the one exception: it is the release history,
# each entry with its own version, so it cannot take it from here; its newest entry must be this version's,
# and its date is the release date the other documents give.
set(changelog ${CMAKE_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} newest_entry REGEX "^zarnowell \\(" LIMIT_COUNT 1)
if(NOT newest_entry MATCHES "^zarnowell \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog: the newest entry is not for ${PROJECT_VERSION}: ${newest_entry}")
endif()
file(STRINGS ${changelog} newest_signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT newest_signature MATCHES ", ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no date in the newest entry's signature: ${newest_signature}")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 101") # zero-padded by dropping the leading 1
math(EXPR day "${CMAKE_MATCH_1} + 100")
string(SUBSTRING ${month} 1 2 month)
string(SUBSTRING ${day} 1 2 day)
set(ZARNOWELL_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${day})

# Software centres list the game from its AppStream metadata, under a reverse-DNS id.
set(ZARNOWELL_APP_ID io.github.zarnowell.zarnowell)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zarnowell.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${ZARNOWELL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${ZARNOWELL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The launcher finds the program and the data relative to itself, so an unpacked tree runs wherever it is.
file(RELATIVE_PATH LAUNCHER_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zarnowell)
file(RELATIVE_PATH LAUNCHER_TO_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBEXECDIR}/zarnowell/zarnowell)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zarnowell.in ${CMAKE_BINARY_DIR}/launcher/zarnowell @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/zarnowell DESTINATION ${CMAKE_INSTALL_BINDIR})

# The package's copyright file carries LICENSE's own words, in Debian's machine-readable form: blank lines
# become " ." and every line is indented by one space.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(Permission.*[^\n])\n*$")
    message(FATAL_ERROR "LICENSE: no copyright line followed by the licence text")
endif()
set(LICENCE_HOLDERS ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" LICENCE_TEXT " ${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " LICENCE_TEXT "${LICENCE_TEXT}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zarnowell.6.in ${CMAKE_BINARY_DIR}/packaging/zarnowell.6 @ONLY)

# Debian wants the changelog and the manual page compressed with gzip -9n (no name, no time stamp).
foreach(document ${changelog} ${CMAKE_BINARY_DIR}/packaging/zarnowell.6)
    get_filename_component(name ${document} NAME)
    execute_process(COMMAND gzip -9nc ${document} OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/${name}.gz
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${ZARNOWELL_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/zarnowell.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarnowell)
set(CPACK_PACKAGE_VENDOR "Zarnowell developers")
set(CPACK_PACKAGE_CONTACT "Zarnowell developers <zarnowell@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "underwater action game in a flooded valley")
set(CPACK_PACKAGE_DESCRIPTION "Steer a small submarine through a flooded valley, rescue the inhabitants
of 21 domed towns by beaming them aboard, and fight off enemy craft with a
heat-limited machine gun and torpedoes, while the water ceiling above you
slowly sinks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Text on screens above full HD is drawn from URW's Helvetica and Times; the libraries come from shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-urw-base35)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
