# The notices of the Qt libraries and the compiler's runtime that the folder
# carries, taken from the Debian packages they were built from: the MinGW-w64
# cross build on Debian (scripts/build-qt-windows.sh). Included by
# Windows.cmake, which installs `copyright.txt` from QUORVANE_NOTICES.
function(quorvane_source_version package out)
  execute_process(COMMAND ${QUORVANE_DPKG_QUERY} -W -f=\${source:Version} ${package}
                  OUTPUT_VARIABLE version RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR version STREQUAL "")
    message(FATAL_ERROR "${package} is not installed (scripts/install-deps.sh)")
  endif()
  set(${out} ${version} PARENT_SCOPE)
endfunction()
quorvane_source_version(qt6-base-dev-tools QUORVANE_QT_SOURCE_VERSION)
quorvane_source_version(qt6-translations-l10n QUORVANE_QT_TRANSLATIONS_VERSION)
quorvane_source_version(g++-mingw-w64-x86-64-posix QUORVANE_GCC_SOURCE_VERSION)
quorvane_source_version(mingw-w64-x86-64-dev QUORVANE_MINGW_SOURCE_VERSION)
set(QUORVANE_QT_VERSION ${Qt6_VERSION})
configure_file(copyright-windows.in copyright-windows @ONLY)
file(READ ${CMAKE_CURRENT_BINARY_DIR}/copyright-windows windows_notices)
string(APPEND QUORVANE_NOTICES "${windows_notices}")
foreach(notice IN ITEMS
        "qt6-base-dev/copyright:Qt.txt"
        "qt6-translations-l10n/copyright:Qt-translations.txt"
        "gcc-mingw-w64-base/copyright:GCC.txt"
        "mingw-w64-common/copyright:MinGW-w64.txt"
        "../common-licenses/LGPL-3:LGPL-3.txt"
        "../common-licenses/GPL-2:GPL-2.txt"
        "../common-licenses/GPL-3:GPL-3.txt")
  string(REPLACE ":" ";" notice ${notice})
  list(GET notice 0 from)
  list(GET notice 1 to)
  if(NOT EXISTS /usr/share/doc/${from})
    message(FATAL_ERROR "/usr/share/doc/${from} is missing (scripts/install-deps.sh)")
  endif()
  install(FILES /usr/share/doc/${from} DESTINATION licenses RENAME ${to})
endforeach()
