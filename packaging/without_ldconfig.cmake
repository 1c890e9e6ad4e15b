# Run by CPack after it made the Debian package: rebuilds the package without the postinst and
# postrm that CPack writes to run ldconfig, as no library of the package is in the linker's search
# path. A script that does anything else stops the packaging instead of being lost.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "[.]deb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script IN ITEMS postinst postrm)
    set(path ${tree}/DEBIAN/${script})
    if(EXISTS ${path})
      file(READ ${path} content)
      string(REGEX REPLACE "#![^\n]*|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]" ""
             rest "${content}")
      if(NOT rest STREQUAL "")
        message(FATAL_ERROR "${script} does more than run ldconfig:\n${content}")
      endif()
      file(REMOVE ${path})
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group -Zxz -b ${tree} ${package} OUTPUT_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
