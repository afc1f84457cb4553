cmake_minimum_required(VERSION 3.25)
# Each read-me, written for each platform, gives that platform's paths and
# never the other's.
#   -DREADMES=a;b -DGENERATOR= -DWORK= -DQUORVANE_VENDOR= -DQUORVANE_SETTINGS_PRODUCT=
file(MAKE_DIRECTORY ${WORK})
set(report "")
foreach(template IN LISTS READMES)
  get_filename_component(name ${template} NAME)
  foreach(platform windows linux)
    set(out ${WORK}/${platform}-${name})
    execute_process(COMMAND ${CMAKE_COMMAND} -DIN=${template} -DOUT=${out} -DPLATFORM=${platform}
                            -DQUORVANE_VENDOR=${QUORVANE_VENDOR}
                            -DQUORVANE_SETTINGS_PRODUCT=${QUORVANE_SETTINGS_PRODUCT}
                            -P ${GENERATOR} RESULT_VARIABLE status)
    file(READ ${out} text)
    if(platform STREQUAL "windows")
      set(foreign "~/\\.|/etc/xdg|gnome-system-monitor|XDG_")
      set(own "%APPDATA%")
    else()
      set(foreign "%APPDATA%|HKEY_CURRENT_USER|msinfo32")
      set(own "~/\\.local/share")
    endif()
    if(NOT status EQUAL 0 OR text MATCHES "${foreign}" OR NOT text MATCHES "${own}" OR text MATCHES "\n@"
       OR text MATCHES "@QUORVANE")
      string(APPEND report "  ${name} for ${platform}\n")
    endif()
  endforeach()
endforeach()
if(report)
  message(FATAL_ERROR "Read-mes that give another platform's paths, or lack their own:\n${report}")
endif()
