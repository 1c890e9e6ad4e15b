# Installation and the Debian package. Everything the program finds beside itself goes into one
# private folder, lib/lumivar, laid out as build/bin is: the programs, the shared libraries, the
# component modules, hlx/, help/ and Examples/. bin/ holds links to the programs (the program
# finds its folder through /proc/self/exe, which resolves them).
set(LUMIVAR_INSTALL_DIR lib/lumivar)

# Every shared library the project builds, in the folder itself and below it.
function(lumivar_shared_libraries dir out)
  set(found "")
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    lumivar_shared_libraries(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

lumivar_shared_libraries(${PROJECT_SOURCE_DIR} lumivar_libraries)
set(lumivar_programs lumivar lumivar-hlx tavrel-regsvr)
set(lumivar_modules mossel halvern quillon lumivar_window)
install(TARGETS ${lumivar_programs} ${lumivar_modules} ${lumivar_libraries}
        RUNTIME DESTINATION ${LUMIVAR_INSTALL_DIR}
        LIBRARY DESTINATION ${LUMIVAR_INSTALL_DIR})

# The extension links of hlx/ stay links.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/hlx/ DESTINATION ${LUMIVAR_INSTALL_DIR}/hlx
        FILES_MATCHING PATTERN "*.hlx" PATTERN "tests" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${LUMIVAR_INSTALL_DIR}/help)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Examples/ DESTINATION ${LUMIVAR_INSTALL_DIR}/Examples)
# The window's icon, beside the program too.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumivar.svg DESTINATION ${LUMIVAR_INSTALL_DIR})

set(links ${CMAKE_BINARY_DIR}/packaging/bin)
file(MAKE_DIRECTORY ${links})
foreach(program IN LISTS lumivar_programs)
  file(CREATE_LINK ../${LUMIVAR_INSTALL_DIR}/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION bin)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumivar.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumivar.svg DESTINATION share/icons/hicolor/scalable/apps)

# A manual page per program and the changelog go in compressed with gzip -9n (no name or time
# stamp inside, so that the same sources give the same package); the copyright file goes in as is.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_docs "")
foreach(source IN LISTS lumivar_programs ITEMS changelog)
  set(page ${source})
  if(source IN_LIST lumivar_programs)
    set(page man/${source}.1)
  endif()
  get_filename_component(name ${page} NAME)
  set(copy ${CMAKE_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${page} ${copy}
                     COMMAND ${GZIP_PROGRAM} -9nf ${copy}
                     DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page} VERBATIM)
  list(APPEND compressed_docs ${copy}.gz)
endforeach()
add_custom_target(lumivar_compressed_docs ALL DEPENDS ${compressed_docs})
list(FILTER compressed_docs INCLUDE REGEX "[.]1[.]gz$")
install(FILES ${compressed_docs} DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION share/doc/lumivar)

# cpack -G DEB in the build folder: lumivar_VERSION_ARCH.deb, installing under /usr.
set(CPACK_PACKAGE_NAME lumivar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumivar")
set(CPACK_PACKAGE_CONTACT "Lumivar developers <lumivar@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns source files into syntax-coloured HTML")
# Debian wants the long description in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Lumivar formats a source file as HTML in which the code is coloured by its
syntax, following syntax definition files (HLX) shipped for some thirty
languages. It comes with lumivar-hlx, which checks definitions and formats
from the command line.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
# showoutput opens the page with xdg-open; the window draws its SVG icon with Qt's SVG plugin;
# configuring an ODBC data source loads unixODBC's installer library (libodbcinst.so.2) by dlopen.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libqt6svg6, libodbcinst2")
# CPack adds maintainer scripts that run ldconfig whenever shared objects lie below /usr/lib; the
# libraries here are private to lib/lumivar (found through the RUNPATH $ORIGIN), so a script run
# after packaging takes those scripts out again.
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/without_ldconfig.cmake)
include(CPack)

if(LUMIVAR_TESTS)
  set(installed_test bash ${PROJECT_SOURCE_DIR}/packaging/installed_test.sh ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND}
                     ${PROJECT_SOURCE_DIR}/frontend/tests/golden/asp-ex1.asp.htm ${PROJECT_VERSION})
  add_test(NAME packaging.installed_program_converts COMMAND ${installed_test})
  add_test(NAME packaging.desktop_entry_valid
           COMMAND desktop-file-validate ${PROJECT_SOURCE_DIR}/packaging/lumivar.desktop)
  # The package as (cd build && cpack -G DEB) makes it, made once for the tests that read it; a
  # sanitized build is not what ships.
  if(NOT LUMIVAR_SANITIZE)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(package ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${architecture}.deb)
    add_test(NAME packaging.deb_built COMMAND ${CMAKE_CPACK_COMMAND} -G DEB WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(packaging.deb_built PROPERTIES FIXTURES_SETUP lumivar_deb)
    add_test(NAME packaging.deb_lintian_clean COMMAND lintian --fail-on error,warning ${package})
    add_test(NAME packaging.deb_installed_program_converts COMMAND ${installed_test} ${package})
    set_tests_properties(packaging.deb_lintian_clean packaging.deb_installed_program_converts
                         PROPERTIES FIXTURES_REQUIRED lumivar_deb)
  endif()
endif()
