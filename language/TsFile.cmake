# Reading a Qt .ts file in CMake, for the build's generators.

# The XML text of an element's content as the text itself.
function(quorvane_ts_decode out text)
  string(REPLACE "&lt;" "<" text "${text}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Cuts the next <tag ...>...</tag> off `rest_var`: its whole text in
# `element_var`, empty when there is none left.
function(quorvane_ts_next_element tag rest_var element_var)
  set(rest "${${rest_var}}")
  string(FIND "${rest}" "<${tag}" start)
  if(start EQUAL -1)
    set(${element_var} "" PARENT_SCOPE)
    set(${rest_var} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${rest}" ${start} -1 rest)
  string(FIND "${rest}" "</${tag}>" end)
  string(LENGTH "</${tag}>" close)
  math(EXPR end "${end} + ${close}")
  string(SUBSTRING "${rest}" 0 ${end} element)
  string(SUBSTRING "${rest}" ${end} -1 rest)
  set(${element_var} "${element}" PARENT_SCOPE)
  set(${rest_var} "${rest}" PARENT_SCOPE)
endfunction()
