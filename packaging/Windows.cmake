# Windows: one folder holds both programs, their data files, the Qt
# libraries and plug-ins the window loads and the MinGW runtime, so that it
# runs wherever it is unpacked. Written out here because the Qt kit built
# for this project has no windeployqt. CPack makes the ZIP and the installer
# of that folder (`make windows-package`).

install(TARGETS quorvane quorvane-cli RUNTIME DESTINATION .)
list(TRANSFORM QUORVANE_CATALOGUE_FILES PREPEND ${QUORVANE_BIN_DIR}/ OUTPUT_VARIABLE catalogues)
install(FILES
  ${catalogues}
  ${QUORVANE_BIN_DIR}/${QUORVANE_README_FILE}
  ${QUORVANE_BIN_DIR}/${QUORVANE_README_FILE_EN}
  DESTINATION .)

# Qt's own Japanese (standard buttons, the text fields' menu, the open
# dialog) for the Japanese face, in the folder qt.conf names. The .qm files
# do not depend on the platform; the kit has none, so they come from the
# build machine's Qt (Debian's qt6-translations-l10n).
find_file(QUORVANE_QTBASE_JA_QM qtbase_ja.qm
  PATHS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUORVANE_QTBASE_JA_QM)
  message(FATAL_ERROR "qtbase_ja.qm was not found (Debian's qt6-translations-l10n, scripts/install-deps.sh)")
endif()
install(FILES ${QUORVANE_QTBASE_JA_QM} DESTINATION translations)

# Only what the window loads: its three Qt libraries, the Windows platform
# and the native style. Pictures are PNG and XPM, which Qt Gui reads itself.
set(quorvane_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
foreach(library IN LISTS quorvane_qt_libraries)
  install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
# Plug-ins beside the program, and no path of the build machine: a Qt
# library otherwise looks in the folder it was built for.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/qt.conf DESTINATION .)

# The Qt libraries link the compiler's C++ runtime as DLLs (the programs
# themselves link it statically); ship the ones of the compiler that built
# them. Visual C++ has its own way of shipping its runtime.
set(quorvane_shipped_dlls "")
if(MINGW)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
      message(FATAL_ERROR "The compiler's ${dll} was not found (${CMAKE_CXX_COMPILER} -print-file-name)")
    endif()
    install(FILES ${dll_path} DESTINATION .)
    list(APPEND quorvane_shipped_dlls ${dll})
  endforeach()
elseif(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  include(InstallRequiredSystemLibraries)
endif()

# The libraries come with their symbols; the folder ships without them.
foreach(library IN LISTS quorvane_qt_libraries)
  list(APPEND quorvane_shipped_dlls $<TARGET_FILE_NAME:${library}>)
endforeach()
list(APPEND quorvane_shipped_dlls
  platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
  styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>)
if(CMAKE_STRIP)
install(CODE "
  foreach(dll ${quorvane_shipped_dlls})
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${dll}\"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR \"Could not strip \${dll}\")
    endif()
  endforeach()
")
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Quorvane)
set(CPACK_PACKAGE_VENDOR OvrekSoft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stardate and Earth date converter")
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quorvane)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/WindowsCPackOptions.cmake)

# The installer: for all users into Program Files (the root below) or for
# the current user into the user's own programs folder (the template's mode
# page), each with a Start-menu entry and an entry among the installed
# programs with publisher, version and icon.
# A 64-bit installer for a 64-bit program, in Unicode, which also spares a
# 32-bit Wine to test it.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Quorvane)
set(CPACK_NSIS_DISPLAY_NAME Quorvane)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icons/quorvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icons/quorvane.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME quorvane.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# The catalogues the installer stamps, so that neither it nor the uninstaller
# throws away one the user changed (nsis/NSIS.template.in).
set(CPACK_NSIS_QV_CATALOGUES "")
foreach(catalogue IN LISTS QUORVANE_CATALOGUE_FILES)
  string(APPEND CPACK_NSIS_QV_CATALOGUES "  !insertmacro \\\${MACRO} \\\"${catalogue}\\\"\n")
endforeach()
# The installer speaks Japanese and English: its first page asks which, and
# that choice becomes the program's face for the installing user (the
# settings' Option/Language). A silent install asks nothing and stores
# nothing, so the program follows the system. The template is CPack's own,
# changed for the two languages (nsis/NSIS.template.in).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
# The Start-menu entry is named and described in the installer's language,
# as the desktop entry is on Linux; the uninstaller removes either name.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\$(QV_SHORTCUT_NAME).lnk' '$INSTDIR\\\\quorvane.exe' '' '' '' SW_SHOWNORMAL '' '$(QV_SHORTCUT_COMMENT)'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Quorvane.lnk'
  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Quorvane 宇宙暦・西暦 換算.lnk'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  IfSilent quorvane_language_done
  StrCpy $0 'en'
  StrCmp $LANGUAGE \\\${LANG_JAPANESE} 0 +2
    StrCpy $0 'ja'
  WriteRegStr HKCU 'Software\\\\OvrekSoft\\\\Quorvane\\\\Option' 'Language' $0
  quorvane_language_done:")
include(CPack)
