# The desktop entry and the software centre's page, in every face's words
# (language/packaging/): the fallback's words stand untagged, the others
# under their language code.
include(${PROJECT_SOURCE_DIR}/language/PackagingWords.cmake)

function(quorvane_xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(QUORVANE_DESKTOP_WORDS "")
set(QUORVANE_METAINFO_WORDS "")
set(about "")
set(features "")
set(QUORVANE_METAINFO_KEYWORDS "  <keywords>\n")
foreach(code IN LISTS QUORVANE_PACKAGING_LANGUAGES)
  if(code STREQUAL QUORVANE_FALLBACK_LANGUAGE)
    set(tag "")
    set(lang "")
  else()
    set(tag "[${code}]")
    set(lang " xml:lang=\"${code}\"")
  endif()
  string(APPEND QUORVANE_DESKTOP_WORDS
    "Name${tag}=${QUORVANE_PACKAGING_${code}_menu_name}\n"
    "GenericName${tag}=${QUORVANE_PACKAGING_${code}_menu_generic_name}\n"
    "Comment${tag}=${QUORVANE_PACKAGING_${code}_menu_comment}\n"
    "Keywords${tag}=${QUORVANE_PACKAGING_${code}_menu_keywords}\n")

  quorvane_xml_escape("${QUORVANE_PACKAGING_${code}_menu_name}" name)
  quorvane_xml_escape("${QUORVANE_PACKAGING_${code}_menu_comment}" summary)
  string(APPEND QUORVANE_METAINFO_WORDS
    "  <name${lang}>${name}</name>\n  <summary${lang}>${summary}</summary>\n")
  quorvane_xml_escape("${QUORVANE_PACKAGING_${code}_about}" text)
  string(APPEND about "    <p${lang}>${text}</p>\n")
  foreach(feature IN LISTS QUORVANE_PACKAGING_${code}_FEATURES)
    quorvane_xml_escape("${feature}" text)
    string(APPEND features "      <li${lang}>${text}</li>\n")
  endforeach()
  string(REPLACE ";" "\n" keywords "${QUORVANE_PACKAGING_${code}_menu_keywords}")
  string(STRIP "${keywords}" keywords)
  string(REPLACE "\n" ";" keywords "${keywords}")
  foreach(keyword IN LISTS keywords)
    quorvane_xml_escape("${keyword}" text)
    string(APPEND QUORVANE_METAINFO_KEYWORDS "    <keyword${lang}>${text}</keyword>\n")
  endforeach()
endforeach()
string(STRIP "${QUORVANE_DESKTOP_WORDS}" QUORVANE_DESKTOP_WORDS)
string(STRIP "${QUORVANE_METAINFO_WORDS}" QUORVANE_METAINFO_WORDS)
set(QUORVANE_METAINFO_WORDS "  ${QUORVANE_METAINFO_WORDS}")
string(APPEND QUORVANE_METAINFO_KEYWORDS "  </keywords>")
set(QUORVANE_METAINFO_DESCRIPTION
    "  <description>\n${about}    <ul>\n${features}    </ul>\n  </description>")

set(QUORVANE_DESKTOP_ENTRY ${CMAKE_CURRENT_BINARY_DIR}/quorvane.desktop)
set(QUORVANE_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${QUORVANE_APP_ID}.metainfo.xml)
configure_file(quorvane.desktop.in ${QUORVANE_DESKTOP_ENTRY} @ONLY)
configure_file(${QUORVANE_APP_ID}.metainfo.xml.in ${QUORVANE_METAINFO} @ONLY)
