# Run by CPack after it built the Debian package. CPack's generator adds a
# postinst and a postrm that run ldconfig whenever a shared library lies
# anywhere below /usr/lib, a program's private folder included. Our
# libvexlib.so lives in /usr/lib/ringdisk, found only through the programs'
# run path: ldconfig has nothing to do for it, and a package with nothing
# to do at install or removal carries no maintainer scripts. The package is
# built again without them by dpkg-deb. A script that does anything more
# than that ldconfig call stops the build instead of being dropped.
find_program(DPKG_DEB dpkg-deb REQUIRED)

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/without_ldconfig)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${DPKG_DEB} --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    if(NOT EXISTS ${tree}/DEBIAN/${script})
      continue()
    endif()
    file(READ ${tree}/DEBIAN/${script} text)
    string(REGEX REPLACE "#!/bin/sh|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]"
           "" rest "${text}")
    if(NOT rest STREQUAL "")
      message(FATAL_ERROR "${script} does more than call ldconfig:\n${text}")
    endif()
    file(REMOVE ${tree}/DEBIAN/${script})
  endforeach()
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group -Zgzip --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
