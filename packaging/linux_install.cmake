# The files a Linux installation gets in the standard places.
include(GNUInstallDirs)

install(TARGETS trimwell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (CPack's, `cmake --install --strip`) drops the
# compilers' version notes in .comment too, as Debian strips its programs.
if(NOT CMAKE_OBJCOPY)
  message(FATAL_ERROR "objcopy is needed to strip the installed program")
endif()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(
      COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:trimwell>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
# The menu entry and the metadata take the names, the version and its date
# from the top CMakeLists.txt; AppStream's summary starts with a capital.
string(SUBSTRING "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}" 0 1 initial)
string(TOUPPER "${initial}" initial)
string(SUBSTRING "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}" 1 -1 rest)
set(appstream_summary "${initial}${rest}")
foreach(file desktop metainfo.xml)
  configure_file(${TRIMWELL_APP_ID}.${file}.in ${TRIMWELL_APP_ID}.${file} @ONLY)
endforeach()
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TRIMWELL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${TRIMWELL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon files are drawn by the program's own icon code at build time.
add_executable(trimwell_export_icons export_icons.cpp)
target_link_libraries(trimwell_export_icons PRIVATE trimwell_ui)
trimwell_warnings(trimwell_export_icons)

set(icon_root ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_stamp ${icon_root}/hicolor/32x32/apps/${TRIMWELL_APP_ID}.png)
add_custom_command(
  OUTPUT ${icon_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${icon_root}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:trimwell_export_icons> ${icon_root} ${TRIMWELL_APP_ID}
  DEPENDS trimwell_export_icons
  COMMENT "Drawing the application icons")
add_custom_target(trimwell_icons ALL DEPENDS ${icon_stamp})
install(DIRECTORY ${icon_root}/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
