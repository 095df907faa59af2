# The Debian package, trimwell_<version>_<arch>.deb: what Debian asks of a
# package beyond the files every installation gets. The copyright file and
# the changelog in the documentation folder, a manual page, a stripped
# program, a maintainer who can be written to, and a description whose lines
# fit in 80 columns.

# Whoever publishes the package puts their own name and address here.
set(TRIMWELL_DEBIAN_MAINTAINER "Trimwell developers <developers@trimwell.org>"
    CACHE STRING "Maintainer of the Debian package, as: Name <address>")

find_program(TRIMWELL_GZIP gzip REQUIRED)
find_program(TRIMWELL_DATE date REQUIRED)

set(debian_dir ${CMAKE_CURRENT_BINARY_DIR}/debian)
configure_file(copyright.in ${debian_dir}/copyright @ONLY)

# The changelog dates the release at noon UTC in the form Debian's tools
# read, "Sun, 06 Dec 2026 12:00:00 +0000".
execute_process(
  COMMAND ${TRIMWELL_DATE} -u -R -d "${TRIMWELL_RELEASE_DATE} 12:00:00"
  OUTPUT_VARIABLE changelog_date
  OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)

# Compressed at the highest level without a name or a time stamp, so that
# the same sources give the same package.
set(compressed)
foreach(file changelog ${PROJECT_NAME}.1)
  configure_file(${file}.in ${debian_dir}/plain/${file} @ONLY)
  add_custom_command(
    OUTPUT ${debian_dir}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${debian_dir}/plain/${file}
            ${debian_dir}/${file}
    COMMAND ${TRIMWELL_GZIP} -9nf ${debian_dir}/${file}
    DEPENDS ${debian_dir}/plain/${file}
    VERBATIM)
  list(APPEND compressed ${debian_dir}/${file}.gz)
endforeach()
add_custom_target(trimwell_debian_docs ALL DEPENDS ${compressed})

install(FILES ${debian_dir}/copyright ${debian_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${debian_dir}/${PROJECT_NAME}.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRIMWELL_DEBIAN_MAINTAINER}")
# One line of the text is one line of the control file; the summary from
# CPACK_PACKAGE_DESCRIPTION_SUMMARY comes first.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Trimwell works out the gross weight and the centre of gravity of a light"
  "aircraft. Pick one of seven aircraft types, correct the arms and weights"
  "of the eight loading stations and the five limits, and after every"
  "keystroke see the results and a chart of the loading path over the CG and"
  "weight envelope."
  ""
  "Numbers are shown with a point as the decimal separator in every locale,"
  "and the whole program can be used from the keyboard or with a screen"
  "reader.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Library dependencies come from dpkg-shlibdeps; Qt's platform plugins are
# loaded at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
