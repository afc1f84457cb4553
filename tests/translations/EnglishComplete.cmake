cmake_minimum_required(VERSION 3.25)
# Lets lupdate read today's sources into a copy of the English .ts and fails
# on any text of the windows still without a finished English translation.
#   -DLUPDATE= -DTS= -DSOURCE_DIR= -DFOLDERS=a;b -DWORK=
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/check_en.ts)
file(COPY_FILE ${TS} ${copy})
set(folders "")
foreach(folder IN LISTS FOLDERS)
  list(APPEND folders ${SOURCE_DIR}/${folder})
endforeach()
execute_process(
  COMMAND ${LUPDATE} -locations none -no-recursive -I ${SOURCE_DIR} ${folders} -ts ${copy}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}")
endif()

file(READ ${copy} ts)
set(untranslated "")
set(rest "${ts}")
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
     OR message MATCHES "<translation/>")
    string(REGEX MATCH "<source>([^<]*)</source>" source "${message}")
    string(APPEND untranslated "  ${CMAKE_MATCH_1}\n")
  endif()
endwhile()
if(untranslated)
  message(FATAL_ERROR "Texts without English in ${TS} "
                      "(build the target quorvane_update_translations, then translate):\n"
                      "${untranslated}")
endif()
