# The Windows packages, trimwell-<version>-win64.exe (an NSIS installer) and
# trimwell-<version>-win64.zip (the bare program): trimwell.exe with the
# project's licence and the copyright and licence notices of Qt, fmt and
# fast_float, which both carry.

install(TARGETS trimwell RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# Written by scripts/build-qt-windows beside the Qt it built.
find_package(Qt6 REQUIRED COMPONENTS Core)
install(FILES ${QT6_INSTALL_PREFIX}/share/trimwell/qt-copyright
        DESTINATION . RENAME Qt-copyright.txt)
# As Debian's packages of their headers, which the program is built from,
# carry them.
foreach(library fmt fast-float)
  install(FILES /usr/share/doc/lib${library}-dev/copyright
          DESTINATION . RENAME ${library}-copyright.txt)
endforeach()

set(CPACK_GENERATOR NSIS64 ZIP)
# A 64-bit installer for a 64-bit program: it writes the 64-bit registry and
# runs where no 32-bit Windows layer is installed.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${TRIMWELL_TITLE}")
# The key of the Add/Remove Programs entry, and of the installer's own.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "${TRIMWELL_TITLE}")
# A Start-menu shortcut "Trimwell" to trimwell.exe.
set(CPACK_PACKAGE_EXECUTABLES ${PROJECT_NAME} "${TRIMWELL_TITLE}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME "${TRIMWELL_TITLE}")
set(CPACK_NSIS_DISPLAY_NAME "${TRIMWELL_TITLE}")
set(CPACK_NSIS_INSTALLED_ICON_NAME ${PROJECT_NAME}.exe)
set(CPACK_NSIS_MUI_ICON ${TRIMWELL_WINDOWS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TRIMWELL_WINDOWS_ICON})
set(CPACK_NSIS_MUI_FINISHPAGE_RUN ${PROJECT_NAME}.exe)
