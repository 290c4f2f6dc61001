# Installation and the Debian package.
#
#   cmake --build build && (cd build && cpack -G DEB)
#
# The programs go to bin, the parameter files and help pages to
# share/drevia (found from the program as ../share/drevia), the samples to
# share/doc/drevia/samples, with a menu entry, an icon, the project file type
# and the manual pages. Depends comes from dpkg-shlibdeps over the programs,
# plus the font the reports are laid out with.

include(GNUInstallDirs)

# Packages are built by root or by anyone: keep the modes Debian expects.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(DREVIA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(DREVIA_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/drevia)
set(DREVIA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/drevia)

foreach(program drevia drevia-cli drevia-report)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${DREVIA_DATA_FILES} DESTINATION ${DREVIA_SHARE_DIR})
install(FILES ${DREVIA_HELP_FILES} DESTINATION ${DREVIA_SHARE_DIR}/help)
file(GLOB DREVIA_SAMPLE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.xml)
install(FILES ${DREVIA_SAMPLE_FILES} DESTINATION ${DREVIA_DOC_DIR}/samples)
install(FILES ${DREVIA_PACKAGING_DIR}/copyright DESTINATION ${DREVIA_DOC_DIR})

if(TARGET drevia)
  install(FILES ${DREVIA_PACKAGING_DIR}/drevia.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${DREVIA_PACKAGING_DIR}/drevia.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${DREVIA_PACKAGING_DIR}/drevia-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME drevia.xml)
endif()

# Compressed documentation, without time stamps so the package is the same
# from one build to the next.
find_program(DREVIA_GZIP gzip)
find_program(DREVIA_SCDOC scdoc)
set(DREVIA_PACKAGE_OUTPUT ${CMAKE_BINARY_DIR}/packaging)
set(generated_docs)
if(DREVIA_GZIP)
  add_custom_command(
    OUTPUT ${DREVIA_PACKAGE_OUTPUT}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DREVIA_PACKAGE_OUTPUT}
    COMMAND ${DREVIA_GZIP} -9 -n -c ${DREVIA_PACKAGING_DIR}/changelog > ${DREVIA_PACKAGE_OUTPUT}/changelog.gz
    DEPENDS ${DREVIA_PACKAGING_DIR}/changelog
    COMMENT "Compressing the package changelog")
  list(APPEND generated_docs ${DREVIA_PACKAGE_OUTPUT}/changelog.gz)
  install(FILES ${DREVIA_PACKAGE_OUTPUT}/changelog.gz DESTINATION ${DREVIA_DOC_DIR})
endif()

# Manual pages: written in scdoc (doc/man), converted and compressed by the
# build, which thereby checks their syntax. A page is made for each program
# that is built.
if(DREVIA_SCDOC AND DREVIA_GZIP)
  foreach(program drevia drevia-cli drevia-report)
    set(source ${PROJECT_SOURCE_DIR}/doc/man/${program}.1.scd)
    if(NOT TARGET ${program} OR NOT EXISTS ${source})
      continue()
    endif()
    set(page ${DREVIA_PACKAGE_OUTPUT}/${program}.1)
    add_custom_command(
      OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${DREVIA_PACKAGE_OUTPUT}
      COMMAND ${DREVIA_SCDOC} < ${source} > ${page}
      COMMAND ${DREVIA_GZIP} -9 -n -f ${page}
      DEPENDS ${source}
      COMMENT "Manual page ${program}(1)")
    list(APPEND generated_docs ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # The page lists what --help lists.
    if(DREVIA_TESTS)
      add_test(NAME manpage_${program}
               COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-manpage.sh $<TARGET_FILE:${program}> ${source})
    endif()
  endforeach()
else()
  message(STATUS "scdoc or gzip not found: no manual pages (scripts/setup.sh installs them)")
endif()
add_custom_target(drevia_docs ALL DEPENDS ${generated_docs})

# ---- the Debian package -----------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drevia)
set(CPACK_PACKAGE_VENDOR "Drevia")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Drevia maintainers <maintainers@drevia.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for highway drainage engineers")
# The synopsis is the summary above; CPack indents these lines and marks the
# empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Drevia designs and analyses the drainage of highways: culvert design and
analysis (inlet and outlet control, performance curves, buried barrels,
culvert systems), rational-method storm sewers with the hydraulic grade
line, gutter flow and inlet spacing, and roadside ditch depth and lining
shear.

The package holds the Qt desktop (drevia), the command line front end
(drevia-cli) for batch runs and scripts, the design tables, help pages and
sample projects.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The libraries the programs link, as dpkg-shlibdeps finds them (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Reports are laid out with Liberation fonts; no library pulls them in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
