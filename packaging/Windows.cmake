# Windows: one folder holds both programs, their data files and the Qt
# libraries windeployqt copies beside them; CPack makes a ZIP of it, and an
# installer too when NSIS is there. Not built on the Linux machines, which
# have no Qt for Windows: see README, "Windows".

install(TARGETS quorvane quorvane-cli RUNTIME DESTINATION .)
install(FILES
  ${QUORVANE_BIN_DIR}/${QUORVANE_CATALOGUE_FILE}
  ${QUORVANE_BIN_DIR}/${QUORVANE_README_FILE}
  DESTINATION .)

# The Qt libraries and plug-ins the window needs, beside it in the
# installed folder.
get_filename_component(qt_bin_dir "${Qt6_DIR}/../../../bin" ABSOLUTE)
find_program(QUORVANE_WINDEPLOYQT NAMES windeployqt windeployqt6 HINTS "${qt_bin_dir}")
if(QUORVANE_WINDEPLOYQT)
  install(CODE "
    execute_process(
      COMMAND \"${QUORVANE_WINDEPLOYQT}\" --no-translations --no-system-d3d-compiler
              --no-opengl-sw \"\${CMAKE_INSTALL_PREFIX}/quorvane.exe\"
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR \"windeployqt failed: \${status}\")
    endif()
  ")
else()
  message(WARNING "windeployqt not found: the installed window will lack its Qt libraries")
endif()

find_program(QUORVANE_MAKENSIS makensis)
set(CPACK_GENERATOR ZIP)
if(QUORVANE_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
endif()
set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VENDOR OvrekSoft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stardate and Earth date converter")
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvane)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icons/quorvane.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME quorvane.exe)
set(CPACK_NSIS_DISPLAY_NAME Quorvane)
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Quorvane.lnk' '$INSTDIR\\\\quorvane.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$START_MENU\\\\Quorvane.lnk'")
include(CPack)
