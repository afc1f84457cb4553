# Layering enforced by the compiler: a folder's headers are reachable only
# from targets that link it. Each library gets an include root of its own in
# the build tree, holding one forwarding header per header it lists, so an
# include of a folder the target does not link finds nothing and fails.

# quorvane_library(<name> [QT] [KIND STATIC|OBJECT|INTERFACE] SOURCES ... LINKS ...)
function(quorvane_library name)
  cmake_parse_arguments(arg "QT" "KIND" "SOURCES;LINKS" ${ARGN})
  if(NOT arg_KIND)
    set(arg_KIND STATIC)
  endif()
  add_library(${name} ${arg_KIND} ${arg_SOURCES})
  if(arg_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
  quorvane_expose_headers(${name} ${arg_SOURCES})
endfunction()

# Forwarding headers for the listed headers, under their paths from the
# source root, in an include root that only this target's users see.
function(quorvane_expose_headers name)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  foreach(source IN LISTS ARGN)
    if(source MATCHES "\\.(h|xpm)$")
      get_filename_component(absolute ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${absolute})
      file(CONFIGURE OUTPUT ${root}/${relative}
           CONTENT "#include \"${absolute}\"\n")
    endif()
  endforeach()
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${root})
  else()
    target_include_directories(${name} PUBLIC ${root})
  endif()
endfunction()

# quorvane_program_data(<target> FILES ...): copies the listed files of the
# current source folder beside the programs in the build tree, where the
# program looks for its data, as the target <target>.
function(quorvane_program_data target)
  cmake_parse_arguments(arg "" "" "FILES" ${ARGN})
  set(outputs)
  foreach(name IN LISTS arg_FILES)
    add_custom_command(
      OUTPUT ${QUORVANE_BIN_DIR}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${name} ${QUORVANE_BIN_DIR}/${name}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name})
    list(APPEND outputs ${QUORVANE_BIN_DIR}/${name})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
