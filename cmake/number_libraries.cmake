# fmt and fast_float, which write and read the program's numbers, both used
# header-only from Debian's libfmt-dev and libfast-float-dev: the build
# machine's for Linux and Windows, the Debian 13 root's for the web.
#
# A cross build must not search the build machine's include folder, where
# its C library's headers would stand in for the target's, and finds no
# package there either. So every build takes the two libraries through a
# folder of its own that holds nothing but a link to each one's headers.
set(TRIMWELL_NUMBER_LIBRARIES_FROM /usr/include CACHE PATH
    "Where libfmt-dev and libfast-float-dev keep their headers")
set(TRIMWELL_NUMBER_LIBRARIES ${PROJECT_BINARY_DIR}/number-libraries)
file(MAKE_DIRECTORY ${TRIMWELL_NUMBER_LIBRARIES})
foreach(library fmt fast_float)
  set(headers ${TRIMWELL_NUMBER_LIBRARIES_FROM}/${library})
  if(NOT IS_DIRECTORY ${headers})
    message(FATAL_ERROR "${headers} is missing: scripts/install-deps "
                        "installs libfmt-dev and libfast-float-dev")
  endif()
  file(CREATE_LINK ${headers} ${TRIMWELL_NUMBER_LIBRARIES}/${library}
       SYMBOLIC)
endforeach()

# fmt in its headers alone, with a fixed thousands separator (which the
# program never writes): else its locale support comes along and pulls the
# C++ library's locale machinery into the static Windows program.
function(trimwell_use_number_libraries target)
  target_include_directories(${target} SYSTEM PRIVATE
                             ${TRIMWELL_NUMBER_LIBRARIES})
  target_compile_definitions(${target} PRIVATE FMT_HEADER_ONLY
                             "FMT_STATIC_THOUSANDS_SEPARATOR=','")
endfunction()
