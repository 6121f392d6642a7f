# `cmake --install` and `make package`: the game laid out as a Linux program
# below any prefix, and the Debian package made from that tree.
#
#   bin/                          ringdisk, ringdisk-bot
#   lib/ringdisk/                 libvexlib.so, found through the programs'
#                                 run path, never the system's library path
#   share/ringdisk/               dados.vpf
#   share/applications/           the desktop entry
#   share/metainfo/               the AppStream description
#   share/icons/hicolor/*/apps/   the icon, drawn by the build
#   share/man/man6/               the manual pages
#   share/doc/ringdisk/           the README and its picture, which the
#                                 about box's link opens
#
# The install holds nothing the game writes: an installed game keeps the
# player's files in the player's XDG folders (base/library_folders.h,
# frontend/core/settings_location.h).

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
install(FILES ${RINGDISK_OUTPUT_DIR}/dados.vpf DESTINATION ${RINGDISK_INSTALL_DATA_DIR})
install(DIRECTORY ${RINGDISK_ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${dist_dir}/ringdisk.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${RINGDISK_INSTALL_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/ringdisk-window.png
        DESTINATION ${RINGDISK_INSTALL_DOC_DIR}/docs)

# The version the project declares goes into the metainfo and the manuals.
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
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Ringdisk developers <ringdisk@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${RINGDISK_OUTPUT_DIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libegl-mesa0 | libegl-vendor, libgl1-mesa-dri, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont")
include(CPack)
