cmake_minimum_required(VERSION 3.25)
# Lets lupdate read today's sources into a copy of each face's .ts and fails
# on any text, the windows' or the core's, still without a finished
# translation in any of them.
#   -DLUPDATE= -DTS=a.ts;b.ts -DALIASES= -DSOURCE_DIR= -DFOLDERS=a;b -DWORK=
file(MAKE_DIRECTORY ${WORK})
set(folders "")
foreach(folder IN LISTS FOLDERS)
  list(APPEND folders ${SOURCE_DIR}/${folder})
endforeach()
set(report "")
foreach(ts IN LISTS TS)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(
    COMMAND ${LUPDATE} -locations none -no-recursive -tr-function-alias ${ALIASES}
            -I ${SOURCE_DIR} ${folders} -ts ${copy}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${out}")
  endif()

  file(READ ${copy} text)
  set(untranslated "")
  set(rest "${text}")
  while(TRUE)
    string(FIND "${rest}" "<message" start)
    if(start EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${rest}" ${start} -1 rest)
    string(FIND "${rest}" "</message>" end)
    string(SUBSTRING "${rest}" 0 ${end} message)
    string(SUBSTRING "${rest}" ${end} -1 rest)
    if(message MATCHES "type=\"(vanished|obsolete)\"")
      continue()
    endif()
    if(message MATCHES "type=\"unfinished\"" OR message MATCHES "<translation></translation>"
       OR message MATCHES "<translation/>" OR message MATCHES "<numerusform></numerusform>")
      string(REGEX MATCH "<source>([^<]*)</source>" source "${message}")
      string(APPEND untranslated "  ${CMAKE_MATCH_1}\n")
    endif()
  endwhile()
  if(untranslated)
    string(APPEND report "Texts without a translation in ${ts}:\n${untranslated}")
  endif()
endforeach()
if(report)
  message(FATAL_ERROR "${report}"
                      "(build the target quorvane_update_translations, then translate)")
endif()
