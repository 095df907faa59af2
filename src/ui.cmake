# The windows and the start-up, in one library that the program and the
# widget tests link; the executable adds only main().
#
# forms/: the three windows, each with its layout table (frmMain with its
# status bar, frmSplash, frmAbout); forms/controls/: the custom controls;
# forms/look/: the layout builder, fonts, style, colours, artwork and twips
# of all three; forms/sysinfo/: the machine-wide store and the System Info
# launch (its Qt-free part is trimwell_sysinfo). shell/: start-up and the
# main window's lifecycle. The shell uses the forms, never the other way
# round.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(trimwell_ui STATIC
  forms/frmMain.cpp forms/frmMain.h
  forms/main_layout.cpp forms/main_layout.h
  forms/main_status_bar.cpp forms/main_status_bar.h
  forms/frmSplash.cpp forms/frmSplash.h
  forms/frmAbout.cpp forms/frmAbout.h
  forms/controls/line_shape.cpp forms/controls/line_shape.h
  forms/controls/option_button.cpp forms/controls/option_button.h
  forms/controls/picture_box.cpp forms/controls/picture_box.h
  forms/look/form_font.cpp forms/look/form_font.h
  forms/look/form_layout.cpp forms/look/form_layout.h
  forms/look/form_style.cpp forms/look/form_style.h
  forms/look/trimwell_art.cpp forms/look/trimwell_art.h
  forms/look/twips.h
  forms/sysinfo/desktop_services.cpp forms/sysinfo/desktop_services.h
  shell/Module1.cpp shell/Module1.h
  shell/main_lifecycle.cpp shell/main_lifecycle.h
  shell/placement.cpp shell/placement.h
  shell/system.h
  ${ui_system_sources}
)
set_target_properties(trimwell_ui PROPERTIES AUTOMOC ON)
target_link_libraries(trimwell_ui PUBLIC trimwell_core trimwell_sysinfo
                                         Qt6::Widgets)
trimwell_warnings(trimwell_ui)

# In a web page Qt's own executable adds the link options its script needs.
if(EMSCRIPTEN)
  qt_add_executable(trimwell main.cpp)
else()
  add_executable(trimwell main.cpp)
endif()
target_link_libraries(trimwell PRIVATE trimwell_ui)
trimwell_warnings(trimwell)
if(EMSCRIPTEN)
  include(web.cmake)
endif()

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
