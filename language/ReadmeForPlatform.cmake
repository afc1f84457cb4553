cmake_minimum_required(VERSION 3.25)
# Writes a read-me for one platform: a line that starts with "@windows" or
# "@linux" is kept, without its mark, on that platform only, so a user
# never reads the other platform's paths as theirs. Lines end in CR LF on
# Windows, as Notepad expects.
# The settings' identity in the paths comes from the build, as
# @QUORVANE_VENDOR@ and @QUORVANE_SETTINGS_PRODUCT@.
#   -DIN= -DOUT= -DPLATFORM=windows|linux|web -DQUORVANE_VENDOR= -DQUORVANE_SETTINGS_PRODUCT=
file(STRINGS ${IN} lines ENCODING UTF-8)
set(text "")
set(line_end "\n")
if(PLATFORM STREQUAL "windows")
  set(line_end "\r\n")
endif()
foreach(line IN LISTS lines)
  if(line MATCHES "^@(windows|linux)(.*)")
    if(NOT CMAKE_MATCH_1 STREQUAL PLATFORM)
      continue()
    endif()
    set(line "${CMAKE_MATCH_2}")
  endif()
  string(APPEND text "${line}${line_end}")
endforeach()
string(CONFIGURE "${text}" text @ONLY)
file(WRITE ${OUT}.new "${text}")
configure_file(${OUT}.new ${OUT} COPYONLY)
file(REMOVE ${OUT}.new)
