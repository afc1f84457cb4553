# Windows: one folder holds both programs, their data files, the Qt
# libraries and plug-ins the window loads and the MinGW runtime, so that it
# runs wherever it is unpacked. Written out here because the Qt kit built
# for this project has no windeployqt. CPack makes the ZIP and the installer
# of that folder (`make windows-package`).

install(TARGETS quorvane quorvane-cli RUNTIME DESTINATION .)
list(TRANSFORM QUORVANE_CATALOGUE_FILES PREPEND ${QUORVANE_BIN_DIR}/ OUTPUT_VARIABLE catalogues)
install(FILES
  ${catalogues}
  ${QUORVANE_README_PATHS}
  DESTINATION .)
# The notices, the installer script's own among them, go with the binaries,
# and so do those of the libraries the folder carries where the build
# machine's packages give them (DebianNotices.cmake).
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/copyright QUORVANE_NOTICES)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/copyright)
find_program(QUORVANE_DPKG_QUERY dpkg-query NO_CMAKE_FIND_ROOT_PATH)
if(MINGW AND CMAKE_CROSSCOMPILING AND QUORVANE_DPKG_QUERY)
  include(${CMAKE_CURRENT_SOURCE_DIR}/DebianNotices.cmake)
else()
  message(WARNING "Not the MinGW-w64 cross build on Debian: the packages carry Quorvane's "
                  "notice only. Add the notices of this machine's Qt and compiler runtime.")
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright.txt "${QUORVANE_NOTICES}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright.txt DESTINATION .)

# Qt's own texts (standard buttons, the text fields' menu, the open dialog)
# for each face that names them in language/Languages.txt, in the folder
# qt.conf names: from the Qt built against where it has them (Qt's own
# installer), else from the build machine's Qt, since they do not depend on
# the platform (the project's kit has none; Debian's qt6-translations-l10n).
foreach(code IN LISTS QUORVANE_LANGUAGES)
  set(qt_name ${QUORVANE_LANGUAGE_${code}_QT})
  if(NOT qt_name)
    continue()
  endif()
  unset(qt_qm CACHE)
  find_file(qt_qm ${qt_name}.qm
    PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
          ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT qt_qm)
    message(FATAL_ERROR "${qt_name}.qm was not found (Debian's qt6-translations-l10n, scripts/install-deps.sh)")
  endif()
  install(FILES ${qt_qm} DESTINATION translations)
endforeach()
unset(qt_qm CACHE)

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
set(CPACK_PACKAGE_NAME ${QUORVANE_CAPTION})
set(CPACK_PACKAGE_VENDOR ${QUORVANE_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stardate and Earth date converter")
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${QUORVANE_CAPTION})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${QUORVANE_CAPTION})
# Where the program keeps the face the installer stores, for the uninstaller
# to speak it too. CPack writes its variables unescaped, so the backslash
# is doubled once for that reading.
set(CPACK_QUORVANE_SETTINGS_KEY "${QUORVANE_VENDOR}\\\\${QUORVANE_SETTINGS_PRODUCT}")
set(CPACK_QUORVANE_OPTION_SECTION ${QUORVANE_OPTION_SECTION})
set(CPACK_QUORVANE_LANGUAGE_KEY ${QUORVANE_LANGUAGE_KEY})
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
set(CPACK_NSIS_PACKAGE_NAME ${QUORVANE_CAPTION})
set(CPACK_NSIS_DISPLAY_NAME ${QUORVANE_CAPTION})
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
# The installer speaks the faces' languages: its first page asks which, and
# that choice becomes the program's face for the installing user (the
# settings' language key). A silent install asks nothing and stores
# nothing, so the program follows the system. The template is CPack's own,
# changed for the faces (nsis/NSIS.template.in).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
# Every text the installer shows, in each face's words (language/packaging/).
include(${PROJECT_SOURCE_DIR}/language/PackagingWords.cmake)
# One text as an NSIS string: the file's "\n" a line break, then escaped
# once more, for CPack writes its variables out unescaped.
function(quorvane_nsis_string text out)
  string(REPLACE "{program}" "${CPACK_NSIS_PACKAGE_NAME}" text "${text}")
  string(REPLACE "{install-folder}" "${CPACK_PACKAGE_INSTALL_DIRECTORY}" text "${text}")
  string(REPLACE "$" "$$" text "${text}")
  string(REPLACE "\"" "$\\\"" text "${text}")
  string(REPLACE "\\n" "$\\r$\\n" text "${text}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "$" "\\$" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
set(installer_keys
  options_title options_text already_installed uninstall_failed uninstall_shortcut
  mode_title mode_subtitle mode_text mode_current_user mode_all_users
  no_admin_rights uninstall_no_admin_rights help)

# Each face of language/Languages.txt with an installer language, the
# fallback first: NSIS takes the first where the system's has no match.
set(CPACK_QUORVANE_NSIS_LANGUAGES "")
set(CPACK_QUORVANE_NSIS_LANGSTRINGS "")
set(choose_language "")
set(delete_shortcuts "")
set(CPACK_QUORVANE_NSIS_FROM_SETTING "")
set(store_face "")
set(installer_codes ${QUORVANE_FALLBACK_LANGUAGE} ${QUORVANE_LANGUAGES})
list(REMOVE_DUPLICATES installer_codes)
foreach(code IN LISTS installer_codes)
  set(nsis_name ${QUORVANE_LANGUAGE_${code}_INSTALLER})
  if(NOT nsis_name)
    continue()
  endif()
  string(TOUPPER ${nsis_name} nsis_id)
  string(APPEND CPACK_QUORVANE_NSIS_LANGUAGES "  !insertmacro MUI_LANGUAGE \\\"${nsis_name}\\\"\n")
  foreach(key IN LISTS installer_keys)
    string(TOUPPER "QV_${key}" id)
    quorvane_nsis_string("${QUORVANE_PACKAGING_${code}_installer_${key}}" text)
    string(APPEND CPACK_QUORVANE_NSIS_LANGSTRINGS "  LangString ${id} \\\${LANG_${nsis_id}} \\\"${text}\\\"\n")
  endforeach()
  # The Start-menu entry is named and described as the desktop entry is on Linux.
  foreach(key IN ITEMS name comment)
    string(TOUPPER "QV_SHORTCUT_${key}" id)
    quorvane_nsis_string("${QUORVANE_PACKAGING_${code}_menu_${key}}" text)
    string(APPEND CPACK_QUORVANE_NSIS_LANGSTRINGS "  LangString ${id} \\\${LANG_${nsis_id}} \\\"${text}\\\"\n")
  endforeach()
  quorvane_nsis_string("${QUORVANE_PACKAGING_${code}_installer_choose_language}" text)
  list(APPEND choose_language "${text}")
  # The uninstaller removes the entries under every face's names: the
  # program's language may have changed since.
  foreach(name IN ITEMS "${QUORVANE_PACKAGING_${code}_menu_name}"
                        "${QUORVANE_PACKAGING_${code}_installer_uninstall_shortcut}")
    string(REPLACE "$" "$$" name "${name}")
    list(APPEND delete_shortcuts "\n  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\${name}.lnk'")
  endforeach()
  string(APPEND CPACK_QUORVANE_NSIS_FROM_SETTING
         "  StrCmp $0 \\\"${code}\\\" 0 +2\n    StrCpy $LANGUAGE \\\${LANG_${nsis_id}}\n")
  string(APPEND store_face "
  StrCmp $LANGUAGE \\\${LANG_${nsis_id}} 0 +2
    StrCpy $0 '${code}'")
endforeach()
list(JOIN choose_language " / " CPACK_QUORVANE_NSIS_CHOOSE_LANGUAGE)
list(REMOVE_DUPLICATES delete_shortcuts)
string(JOIN "" CPACK_NSIS_DELETE_ICONS_EXTRA ${delete_shortcuts})
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\$(QV_SHORTCUT_NAME).lnk' '$INSTDIR\\\\quorvane.exe' '' '' '' SW_SHOWNORMAL '' '$(QV_SHORTCUT_COMMENT)'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  IfSilent quorvane_language_done
  StrCpy $0 '${QUORVANE_FALLBACK_LANGUAGE}'${store_face}
  WriteRegStr HKCU 'Software\\\\${QUORVANE_VENDOR}\\\\${QUORVANE_SETTINGS_PRODUCT}\\\\${QUORVANE_OPTION_SECTION}' '${QUORVANE_LANGUAGE_KEY}' $0
  quorvane_language_done:")
include(CPack)
