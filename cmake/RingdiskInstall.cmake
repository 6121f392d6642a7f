# `cmake --install` and `make package`: the game laid out as a Linux program
# below any prefix, and the Debian package made from that tree.
#
#   games/                        ringdisk, ringdisk-bot (Debian's games policy)
#   lib/ringdisk/                 libvexlib.so, found through the programs'
#                                 run path, never the system's library path
#   share/ringdisk/               dados.vpf
#   share/applications/           the desktop entry, naming the installed
#                                 program by its full path
#   share/metainfo/               the AppStream description
#   share/icons/hicolor/*/apps/   the icon, drawn by the build
#   share/man/man6/               the manual pages
#   share/doc/ringdisk/           copyright, changelog.gz, and the README
#                                 and its picture, which the about box's
#                                 link opens
#
# The install holds nothing the game writes: an installed game keeps the
# player's files in the player's XDG folders (base/library_folders.h,
# frontend/settings/settings_location.h).

set(RINGDISK_APP_ID io.github.ringdisk.Ringdisk)
set(dist_dir ${CMAKE_SOURCE_DIR}/dist)
set(dist_out ${CMAKE_BINARY_DIR}/dist)

# From the programs' folder to the library's, whatever the prefix.
file(RELATIVE_PATH library_from_programs /prefix/${RINGDISK_INSTALL_PROGRAM_DIR}
     /prefix/${RINGDISK_INSTALL_LIBRARY_DIR})
foreach(program ringdisk ringdisk-bot)
  set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${library_from_programs}")
endforeach()

install(TARGETS ringdisk ringdisk-bot RUNTIME DESTINATION ${RINGDISK_INSTALL_PROGRAM_DIR})
install(TARGETS vexlib LIBRARY DESTINATION ${RINGDISK_INSTALL_LIBRARY_DIR} NAMELINK_SKIP)

# What the package ships is linked as Debian links its packages: every
# symbol resolved at load time, so the relocation tables can be made
# read-only at once.
foreach(shipped ringdisk ringdisk-bot vexlib)
  target_link_options(${shipped} PRIVATE LINKER:-z,now)
endforeach()
# A stripped install (make package, cmake --install --strip) also drops the
# compiler's identification, which only enlarges the files, as Debian's own
# strip step does.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(file ${RINGDISK_INSTALL_PROGRAM_DIR}/ringdisk ${RINGDISK_INSTALL_PROGRAM_DIR}/ringdisk-bot
                 ${RINGDISK_INSTALL_LIBRARY_DIR}/libvexlib.so)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
")
install(FILES ${RINGDISK_OUTPUT_DIR}/dados.vpf DESTINATION ${RINGDISK_INSTALL_DATA_DIR})
install(DIRECTORY ${RINGDISK_ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${RINGDISK_INSTALL_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/ringdisk-window.png
        DESTINATION ${RINGDISK_INSTALL_DOC_DIR}/docs)

# The desktop entry starts the program by its full path: /usr/games is not
# on every session's PATH (root's, a launcher's cleaned environment). The
# prefix is known only when the install runs, so the entry is written then;
# the copy in the build folder, for the configured prefix, is what the
# validator's test reads.
set(RINGDISK_PROGRAM ${CMAKE_INSTALL_PREFIX}/${RINGDISK_INSTALL_PROGRAM_DIR}/ringdisk)
configure_file(${dist_dir}/ringdisk.desktop ${dist_out}/ringdisk.desktop @ONLY)
install(CODE "
  set(RINGDISK_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${RINGDISK_INSTALL_PROGRAM_DIR}/ringdisk\")
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/ringdisk.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${dist_dir}/ringdisk.desktop\" \"\${entry}\" @ONLY)
")

# The project's addresses, for the metainfo's links and its screenshot: a
# software centre shows only pictures it can download.
set(RINGDISK_HOMEPAGE "https://github.com/ringdisk/ringdisk" CACHE STRING
    "The project's home page, named by the AppStream metainfo")
set(RINGDISK_SCREENSHOT_URL
    "https://raw.githubusercontent.com/ringdisk/ringdisk/main/docs/ringdisk-window.png" CACHE STRING
    "Where the metainfo's screenshot (docs/ringdisk-window.png) is published")

# The metainfo with those addresses; the manuals with the project's version.
configure_file(${dist_dir}/ringdisk.metainfo.xml ${dist_out}/${RINGDISK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${dist_out}/${RINGDISK_APP_ID}.metainfo.xml DESTINATION share/metainfo)

find_program(GZIP_PROGRAM gzip REQUIRED)
set(manual_pages)
foreach(page ringdisk ringdisk-bot)
  configure_file(${dist_dir}/${page}.6 ${dist_out}/${page}.6 @ONLY)
  # -n: no name or time stamp inside, so the same sources give the same bytes.
  add_custom_command(
    OUTPUT ${dist_out}/${page}.6.gz
    COMMAND ${GZIP_PROGRAM} -9nf -k ${dist_out}/${page}.6
    DEPENDS ${dist_out}/${page}.6
    COMMENT "Compressing the manual page ${page}(6)"
    VERBATIM)
  list(APPEND manual_pages ${dist_out}/${page}.6.gz)
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION share/man/man6)

# The copyright file and the changelog where Debian looks for them. The
# version carries no Debian revision, so the changelog is a native
# package's changelog.gz.
add_custom_command(
  OUTPUT ${dist_out}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9n -c ${dist_dir}/changelog > ${dist_out}/changelog.gz
  DEPENDS ${dist_dir}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${dist_out}/changelog.gz)
install(FILES ${dist_dir}/copyright ${dist_out}/changelog.gz DESTINATION share/doc/ringdisk)

# Who answers for the package. Debian's tools read it from DEBFULLNAME and
# DEBEMAIL; here it is set when configuring, and an address at a host that
# receives no mail is refused at once rather than by lintian later.
set(RINGDISK_PACKAGE_MAINTAINER "The Ringdisk developers <ringdisk@users.noreply.github.com>"
    CACHE STRING "The Debian package's Maintainer field: Name <address>")
if(NOT RINGDISK_PACKAGE_MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@([^<>@ ]+\\.[^<>@ ]+)>$"
   OR CMAKE_MATCH_1 MATCHES "(^|\\.)(localhost|localdomain|example(\\.(com|net|org))?|invalid|test)$")
  message(FATAL_ERROR "RINGDISK_PACKAGE_MAINTAINER must read \"Name <address>\" with an address "
                      "that receives mail, not \"${RINGDISK_PACKAGE_MAINTAINER}\"")
endif()

# The Debian package: ringdisk_<version>_amd64.deb, its library
# dependencies computed from the binaries by dpkg-shlibdeps; what the
# binaries do not show (the OpenGL driver, the font, the soundfont) is named.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ringdisk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D disc-flicking table game, alone or online")
set(CPACK_PACKAGE_DESCRIPTION
  "A square table has a hole in each corner, ten green discs, ten red discs\n"
  "and a yellow striker: aim with the mouse, build up force and pocket your\n"
  "colour. Play online (two play, others watch and chat), against the\n"
  "computer, or alone through twenty practice puzzles.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RINGDISK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${RINGDISK_OUTPUT_DIR})
# The lobby checks its server's certificate against the system's authorities.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libegl-mesa0 | libegl-vendor, libgl1-mesa-dri, fonts-dejavu-core, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont")
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/drop_ldconfig_scripts.cmake)
include(CPack)
