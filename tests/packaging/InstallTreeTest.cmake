# Installs the build into a scratch prefix, then starts the installed programs
# through the links in bin/, which is how the desktop and the shell reach them.

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("cmake --install failed (${rc}):\n${out}${err}")
endif()

if(NOT CATALOGUES)
  set(CATALOGUES StarTrek.vqd)
endif()
list(TRANSFORM CATALOGUES PREPEND ${APPDIR}/ OUTPUT_VARIABLE installed_catalogues)
set(expected
  ${APPDIR}/quorvane ${installed_catalogues} ${APPDIR}/ReadMe.TXT ${APPDIR}/ReadMe_en.TXT ${APPDIR}/ReadMe_de.TXT
  share/applications/quorvane.desktop share/metainfo/${APP_ID}.metainfo.xml
  share/man/man1/quorvane.1.gz share/doc/quorvane/copyright)
foreach(size 16 32 48 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/quorvane.png)
endforeach()
set(programs quorvane)
if(WITH_CLI)
  list(APPEND expected ${APPDIR}/quorvane-cli share/man/man1/quorvane-cli.1.gz)
  list(APPEND programs quorvane-cli)
endif()
foreach(program IN LISTS programs)
  if(NOT IS_SYMLINK ${PREFIX}/bin/${program})
    fail("bin/${program} is not a link into ${APPDIR}")
  endif()
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    fail("not installed: ${path}")
  endif()
endforeach()

# Keep the run away from the user's settings and display.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{HOME} ${PREFIX}/home)
set(ENV{XDG_CONFIG_HOME} ${PREFIX}/home/.config)
file(MAKE_DIRECTORY ${PREFIX}/home)

# A packager's build machine may have no display at all.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY
                        --unset=WAYLAND_DISPLAY ${PREFIX}/bin/quorvane --check-install
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REAL_PATH ${PREFIX}/${APPDIR} real_appdir)
if(NOT rc EQUAL 0)
  fail("quorvane --check-install failed (${rc}):\n${out}${err}")
endif()
foreach(name ReadMe.TXT ${CATALOGUES})
  string(FIND "${out}" "${name}: ok ${real_appdir}/${name}" found)
  if(found EQUAL -1)
    fail("quorvane --check-install did not find ${name} in ${real_appdir}:\n${out}${err}")
  endif()
endforeach()

if(WITH_CLI)
  execute_process(COMMAND ${PREFIX}/bin/quorvane-cli --version
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(STRIP "${out}" out)
  string(REGEX REPLACE ".* " "" out_version "${out}")
  if(NOT rc EQUAL 0 OR NOT out_version STREQUAL "${VERSION}")
    fail("quorvane-cli --version gave (${rc}):\n${out}${err}")
  endif()
  # Without a file argument the catalogue is read from the program's folder.
  execute_process(COMMAND ${PREFIX}/bin/quorvane-cli --events
                  WORKING_DIRECTORY ${PREFIX}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "[^\t\n]*\t[^\t\n]*\t[^\t\n]*\t")
    fail("quorvane-cli --events gave (${rc}):\n${out}${err}")
  endif()
endif()
