# The windows (forms/) and start-up (shell/) in one library that the program
# and the widget tests link; the executable adds only main().
find_package(Qt6 REQUIRED COMPONENTS Widgets)

file(GLOB ui_sources CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/forms/*.qrc
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/*.qrc)
# The other system's files, and the Qt-free lookup in trimwell_sysinfo.
list(FILTER ui_sources EXCLUDE REGEX
     "_${TRIMWELL_OTHER_SYSTEM}\\.[a-z]+$|/forms/(sysinfo|registry)(_[a-z]+)?\\.")

add_library(trimwell_ui STATIC ${ui_sources})
set_target_properties(trimwell_ui PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(trimwell_ui PUBLIC trimwell_core trimwell_sysinfo
                                         Qt6::Widgets)
trimwell_warnings(trimwell_ui)

add_executable(trimwell main.cpp)
target_link_libraries(trimwell PRIVATE trimwell_ui)
trimwell_warnings(trimwell)

if(WIN32)
  # A GUI program (no console window) with its icon, version and manifest.
  # The icon file is drawn by the Linux build's icon export, which runs on
  # the build machine.
  set(TRIMWELL_WINDOWS_ICON "" CACHE FILEPATH
      "The program's icon as a .ico file, from the Linux build")
  if(NOT EXISTS "${TRIMWELL_WINDOWS_ICON}")
    message(FATAL_ERROR "TRIMWELL_WINDOWS_ICON must name the .ico file that "
                        "the Linux build draws (make windows does this)")
  endif()
  configure_file(trimwell_windows.manifest.in trimwell_windows.manifest @ONLY)
  configure_file(trimwell_windows.rc.in trimwell_windows.rc @ONLY)
  # windres names no files it reads; the rc's are given here.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/trimwell_windows.rc
    PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_BINARY_DIR}/trimwell_windows.manifest;${TRIMWELL_WINDOWS_ICON}")
  target_sources(trimwell PRIVATE
                 ${CMAKE_CURRENT_BINARY_DIR}/trimwell_windows.rc)
  set_target_properties(trimwell PROPERTIES WIN32_EXECUTABLE ON)
  # Where every byte of the executable comes from, for bench/windows-figures.
  target_link_options(trimwell PRIVATE
                      "LINKER:-Map=${CMAKE_CURRENT_BINARY_DIR}/trimwell.map")
endif()
