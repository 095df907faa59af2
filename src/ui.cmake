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
