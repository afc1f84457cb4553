# Renders a manual page as man(1) would and fails on any groff or man warning.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{MANWIDTH} 80)
execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l -Tutf8 ${PAGE}
                RESULT_VARIABLE rc OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "${PAGE} does not render cleanly (exit ${rc}):\n${warnings}")
endif()
# Drop the overstrike that man uses for bold when writing to a pipe.
string(ASCII 8 backspace)
string(REGEX REPLACE ".${backspace}" "" rendered "${rendered}")
if(NOT rendered MATCHES "\nNAME\n" OR NOT rendered MATCHES "\nSYNOPSIS\n")
  message(FATAL_ERROR "${PAGE} lacks its NAME or SYNOPSIS section:\n${rendered}")
endif()
