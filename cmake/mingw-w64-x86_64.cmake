# Cross-builds the plain core, quorvane-cli and their tests for 64-bit
# Windows with Debian's MinGW-w64 (posix threads), and runs the tests
# under Wine. Used by `make windows`.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVANE_MINGW_PREFIX}-windres)

# A Qt for Windows named by CMAKE_PREFIX_PATH (the kit that
# scripts/build-qt-windows.sh builds) is a root of its own.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLLs beside the program: it runs on a bare Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUORVANE_WINE NAMES wine wine64)
if(QUORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVANE_WINE})
endif()
