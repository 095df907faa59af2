# The flags Debian builds its own packages with, for the optimised Linux
# build that `make package` packages (and `make test` tests): the checked
# string and memory functions of _FORTIFY_SOURCE, a stack protector, format
# strings checked, and relocations made read-only before the program runs
# (relro, and bindnow, which DEB_BUILD_MAINT_OPTIONS=hardening=+all adds).
# They are asked of dpkg-buildflags rather than copied here, so that they
# follow what Debian's tools of the build machine do. Two of them are left
# out: -g, as the packaged program is stripped and debugging data would only
# fill the build folder, and -O2, as the build type keeps its own level. The
# file prefix map is made from the source folder, so that no path of the
# build machine ends up in the program.
#
# The top-level CMakeLists.txt includes this file only where the flags fit;
# not in Debug builds, where _FORTIFY_SOURCE without optimisation is a
# warning that -Werror turns into an error.
find_program(TRIMWELL_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TRIMWELL_DPKG_BUILDFLAGS)
  message(STATUS "No dpkg-buildflags: built without Debian's hardening flags")
  return()
endif()

foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${TRIMWELL_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(g[0-9]*|O[0-9sgz]?)$")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
  message(STATUS "Debian's ${kind}: ${flags}")
endforeach()
